#include "shared/graphpalette.h"
#include "shared/wheelscroll.h"
#include "shared/windowplacement.h"

#include <gtest/gtest.h>

using namespace Orlenda;

TEST(GraphPalette, StoresRedInTheLowestByte) {
    EXPECT_EQ(GraphPalette::word(2), 0x00A0FFu); // orange #FFA000
    EXPECT_EQ(GraphPalette::word(16), 0x800050u); // dark violet #500080
    // Each dark twin is no brighter than its bright colour.
    for (int i = 1; i <= 8; ++i)
        EXPECT_LE(GraphPalette::color(i + 9).value(), GraphPalette::color(i).value());
}

TEST(WindowPlacement, ASavedPlacementIsUsedOnlyWhenSaneAndOnAScreen) {
    // Written values are pinned through the main window's closing test; a
    // position left of the screen keeps its sign.
    EXPECT_EQ(windowPlacementSettings(QRect(-8, -8, 10, 10), false).at(0).second,
              QStringLiteral("-120"));
    const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const QSize minimum(288, 224);
    auto placement = [&](QStringList texts) {
        return savedWindowPlacement(texts, screens, minimum);
    };
    EXPECT_EQ(placement({"1500", "3000", "8640", "6720"}), QRect(100, 200, 576, 448));
    EXPECT_EQ(placement({"30000", "150", "8640", "6720"}), QRect(2000, 10, 576, 448));
    for (const QStringList& bad : {QStringList{"1500", "3000", "8640"},
                                   {"x", "3000", "8640", "6720"},
                                   {"1500", "3000", "15", "15"},                     // too small
                                   {"1500", "3000", "900000", "6720"},              // wider than any screen
                                   {"-90000", "3000", "8640", "6720"},              // left of the screens
                                   {"1500", "16200", "8640", "6720"},               // below them
                                   {"1500", "-600", "8640", "6720"},                // title bar above
                                   {"1500", "3000", "99999999999999", "6720"}}) {
        EXPECT_FALSE(placement(bad)) << bad.join(',').toStdString();
    }
    EXPECT_EQ(savedWindowSize("9000", "7500", {557, 453}, {941, 837}), QSize(600, 500));
    EXPECT_EQ(savedWindowSize("90000", "15", {557, 453}, {941, 837}), QSize(941, 453));
    EXPECT_FALSE(savedWindowSize("", "7500", {557, 453}, {941, 837}));
    EXPECT_FALSE(savedWindowSize("-9000", "7500", {557, 453}, {941, 837}));
}

TEST(WindowPlacement, AWindowsGeometryIsKeptWithItsMaximisedStateAndFirstFitsTheScreen) {
    const QList<QRect> screens = {QRect(0, 0, 1280, 800)};
    const auto kept = windowGeometrySettings(QStringLiteral("Performance"),
                                             QRect(100, 50, 700, 600), true);
    QStringList texts;
    for (const auto& [key, value] : kept)
        texts << value;
    EXPECT_EQ(kept.last(), (QPair<QString, QString>{"PerformanceMaximized", "1"}));
    const auto saved = savedWindowGeometry(texts, screens, {300, 200});
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->normal, QRect(100, 50, 700, 600));
    EXPECT_TRUE(saved->maximized);
    texts[2] = QStringLiteral("1e9");
    EXPECT_FALSE(savedWindowGeometry(texts, screens, {300, 200}));

    // 900 x 820 on a 1280 x 800 screen whose panel takes 30 rows: shrunk to
    // fit with its frame, right of the main window when there is room, else left.
    const QRect available(0, 0, 1280, 770);
    const QMargins frame(4, 26, 4, 4);
    EXPECT_EQ(firstWindowGeometry({900, 820}, available, QRect(0, 0, 300, 400), frame),
              QRect(304, 26, 900, 740));
    EXPECT_EQ(firstWindowGeometry({900, 820}, available, QRect(960, 100, 300, 400), frame),
              QRect(56, 26, 900, 740));
    // No room on either side: against the edge away from the main window.
    EXPECT_EQ(firstWindowGeometry({900, 600}, available, QRect(100, 0, 900, 400), frame),
              QRect(376, 26, 900, 600));
}

TEST(WheelScroll, NotchesMoveFortyPixelsAndShiftOrATiltScrollsSideways) {
    WheelScroll wheel;
    EXPECT_EQ(wheel.distance({0, 120}, {}, false), QPoint(0, -40)); // up: towards the top
    EXPECT_EQ(wheel.distance({0, -240}, {}, false), QPoint(0, 80));
    EXPECT_EQ(wheel.distance({0, -120}, {}, true), QPoint(40, 0));
    EXPECT_EQ(wheel.distance({120, 0}, {}, false), QPoint(-40, 0));
    EXPECT_EQ(wheel.distance({-120, 0}, {}, true), QPoint(40, 0));
    // A touchpad's swipe scrolls by its own pixels.
    EXPECT_EQ(wheel.distance({0, 999}, {-7, 3}, false), QPoint(7, -3));
    // A fine wheel's parts add up: eight steps of 15 make one notch.
    int moved = 0;
    for (int i = 0; i < 8; ++i)
        moved += wheel.distance({0, -15}, {}, false).y();
    EXPECT_EQ(moved, 40);
}
