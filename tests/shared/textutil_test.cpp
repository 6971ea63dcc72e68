#include "shared/textutil.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Orlenda;

TEST(TextBeforeAfter, PositiveStartSearchesForwards) {
    EXPECT_EQ(textBefore(1, QStringLiteral("1.5 ; comment"), QStringLiteral(";")), QStringLiteral("1.5 "));
    EXPECT_EQ(textBefore(1, QStringLiteral("1.5"), QStringLiteral(";")), QStringLiteral("1.5"));
    EXPECT_EQ(textAfter(1, QStringLiteral("モータ音-P2]"), QStringLiteral("-")), QStringLiteral("P2]"));
    EXPECT_EQ(textAfter(1, QStringLiteral("abc"), QStringLiteral("-")), QString());
    // The search starts at start: a separator before it is not seen.
    EXPECT_EQ(textBefore(3, QStringLiteral("a-b-c"), QStringLiteral("-")), QStringLiteral("a-b"));
    EXPECT_EQ(textAfter(3, QStringLiteral("a-b-c"), QStringLiteral("-")), QStringLiteral("c"));
    // A start beyond the text finds nothing.
    EXPECT_EQ(textBefore(9, QStringLiteral("a-b"), QStringLiteral("-")), QStringLiteral("a-b"));
    EXPECT_EQ(textAfter(9, QStringLiteral("a-b"), QStringLiteral("-")), QString());
}

TEST(TextBeforeAfter, ZeroStartDoesNotSearch) {
    EXPECT_EQ(textBefore(0, QStringLiteral("a-b"), QStringLiteral("-")), QStringLiteral("a-b"));
    EXPECT_EQ(textAfter(0, QStringLiteral("a-b"), QStringLiteral("-")), QStringLiteral("a-b"));
}

TEST(TextBeforeAfter, NegativeStartSearchesBackwardsWithinPrefix) {
    EXPECT_EQ(textAfter(-1, QStringLiteral("a-b-c"), QStringLiteral("-")), QStringLiteral("c"));
    EXPECT_EQ(textBefore(-1, QStringLiteral("a-b-c"), QStringLiteral("-")), QStringLiteral("a-b"));
    EXPECT_EQ(textBefore(-2, QStringLiteral("a-b-"), QStringLiteral("-")), QStringLiteral("a"));
    // Not found: the whole text lies on the side the search began from.
    EXPECT_EQ(textBefore(-1, QStringLiteral("abc"), QStringLiteral("-")), QString());
    EXPECT_EQ(textAfter(-1, QStringLiteral("abc"), QStringLiteral("-")), QStringLiteral("abc"));
    // A start reaching before the text finds nothing rather than failing.
    EXPECT_EQ(textAfter(-10, QStringLiteral("a-b"), QStringLiteral("-")), QStringLiteral("a-b"));
    // A separator cut by the window does not count.
    EXPECT_EQ(textBefore(-2, QStringLiteral("ab--"), QStringLiteral("--")), QString());
}

TEST(Trim, BlanksAreSpacesAndTabsOnly) {
    EXPECT_EQ(trimLeadingBlanks(QStringLiteral("\t  x ")), QStringLiteral("x "));
    EXPECT_EQ(trimTrailingBlanks(QStringLiteral("\t  x ")), QStringLiteral("\t  x"));
    EXPECT_EQ(trimLeadingBlanks(QStringLiteral(" \t ")), QString());
    EXPECT_EQ(trimTrailingBlanks(QString()), QString());
    EXPECT_EQ(trimLeadingBlanks(QStringLiteral("\nx")), QStringLiteral("\nx"));
}

TEST(MinMaxSwap, TiesGiveTheFirstArgumentAndSwapExchanges) {
    const double plusZero = 0.0;
    const double minusZero = -0.0;
    EXPECT_TRUE(std::signbit(minOf(minusZero, plusZero)));
    EXPECT_FALSE(std::signbit(maxOf(plusZero, minusZero)));
    EXPECT_EQ(minOf(1, 2), 1);
    EXPECT_EQ(maxOf(1, 2), 2);
    std::int32_t a = 3, b = -7;
    swap(a, b);
    EXPECT_EQ(a, -7);
    EXPECT_EQ(b, 3);
    swap(a, a);
    EXPECT_EQ(a, 0);
}
