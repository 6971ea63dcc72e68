#include "shared/commandline.h"
#include "shared/graphpalette.h"
#include "shared/windowplacement.h"

#include <gtest/gtest.h>

using namespace Orlenda;

TEST(CommandLine, QuotedPathWithBlankIsTakenWholeAndTheRestIgnored) {
    const QString raw = rawCommandLine({"my train.dat", "extra"});
    EXPECT_EQ(raw, QStringLiteral("\"my train.dat\" extra"));
    EXPECT_EQ(commandLinePath(raw), QStringLiteral("my train.dat"));
}

TEST(CommandLine, UnquotedPathEndsAtTheFirstBlank) {
    EXPECT_EQ(commandLinePath(rawCommandLine({"a.dat", "b.dat"})), QStringLiteral("a.dat"));
    EXPECT_EQ(commandLinePath(QStringLiteral("my train.dat")), QStringLiteral("my"));
    EXPECT_EQ(commandLinePath(QStringLiteral("/x/a.dat")), QStringLiteral("/x/a.dat"));
}

TEST(CommandLine, EmptyAndUnclosedQuotes) {
    EXPECT_EQ(commandLinePath(rawCommandLine({})), QString());
    EXPECT_EQ(commandLinePath(QStringLiteral("\"a b")), QStringLiteral("a b"));
    EXPECT_EQ(commandLinePath(QStringLiteral("\"\" x")), QString());
    EXPECT_EQ(commandLinePath(QStringLiteral(" a")), QString());
}

TEST(GraphPalette, StoresRedInTheLowestByte) {
    EXPECT_EQ(GraphPalette::word(2), 0x00A0FFu); // orange #FFA000
    EXPECT_EQ(GraphPalette::word(16), 0x800050u); // dark violet #500080
    EXPECT_EQ(GraphPalette::color(11), QColor(0x80, 0x50, 0x00));
    EXPECT_EQ(GraphPalette::color(9), QColor(0x40, 0x40, 0x40));
    for (int i = 1; i <= 8; ++i) {
        // Each dark twin is no brighter than its bright colour.
        EXPECT_LE(GraphPalette::color(i + 9).value(), GraphPalette::color(i).value());
    }
}

TEST(WindowPlacement, WritesTwipsInOrderAndNothingWhenMinimized) {
    const auto settings = windowPlacementSettings(QRect(10, 20, 576, 448), false);
    ASSERT_EQ(settings.size(), 4);
    EXPECT_EQ(settings.at(0), qMakePair(QStringLiteral("MainLeft"), QStringLiteral("150")));
    EXPECT_EQ(settings.at(1), qMakePair(QStringLiteral("MainTop"), QStringLiteral("300")));
    EXPECT_EQ(settings.at(2), qMakePair(QStringLiteral("MainWidth"), QStringLiteral("8640")));
    EXPECT_EQ(settings.at(3), qMakePair(QStringLiteral("MainHeight"), QStringLiteral("6720")));
    EXPECT_TRUE(windowPlacementSettings(QRect(10, 20, 576, 448), true).isEmpty());
    EXPECT_EQ(windowPlacementSettings(QRect(-8, -8, 10, 10), false).at(0).second,
              QStringLiteral("-120"));
}
