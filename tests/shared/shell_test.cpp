#include "shared/graphpalette.h"
#include "shared/windowplacement.h"

#include <gtest/gtest.h>

using namespace Orlenda;

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
