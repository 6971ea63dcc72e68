#include "shared/commandline.h"
#include "shared/graphpalette.h"
#include "shared/windowplacement.h"

#include <gtest/gtest.h>

using namespace Orlenda;

TEST(CommandLine, QuotedPathsAreTakenWholeUnquotedOnesEndAtTheFirstBlank) {
    EXPECT_EQ(rawCommandLine({"my train.dat", "extra"}), QStringLiteral("\"my train.dat\" extra"));
    const char* const cases[][2] = {
        {"\"my train.dat\" extra", "my train.dat"}, {"a.dat b.dat", "a.dat"},
        {"my train.dat", "my"}, {"/x/a.dat", "/x/a.dat"}, {"", ""},
        // An unclosed quote runs to the end; empty quotes or a leading blank name nothing.
        {"\"a b", "a b"}, {"\"\" x", ""}, {" a", ""}};
    for (const auto& [raw, path] : cases)
        EXPECT_EQ(commandLinePath(QString::fromUtf8(raw)), QString::fromUtf8(path)) << raw;
    EXPECT_EQ(rawCommandLine({"a.dat", "b.dat"}), QStringLiteral("a.dat b.dat"));
    EXPECT_TRUE(rawCommandLine({}).isEmpty());
}

TEST(GraphPalette, StoresRedInTheLowestByte) {
    EXPECT_EQ(GraphPalette::word(2), 0x00A0FFu); // orange #FFA000
    EXPECT_EQ(GraphPalette::word(16), 0x800050u); // dark violet #500080
    EXPECT_EQ(GraphPalette::color(11), QColor(0x80, 0x50, 0x00));
    EXPECT_EQ(GraphPalette::color(9), QColor(0x40, 0x40, 0x40));
    // Each dark twin is no brighter than its bright colour.
    for (int i = 1; i <= 8; ++i)
        EXPECT_LE(GraphPalette::color(i + 9).value(), GraphPalette::color(i).value());
}

// The values and the minimized case are pinned through the main window's
// closing test; a position left of the screen keeps its sign.
TEST(WindowPlacement, NegativePositionsStayNegative) {
    EXPECT_EQ(windowPlacementSettings(QRect(-8, -8, 10, 10), false).at(0).second,
              QStringLiteral("-120"));
}
