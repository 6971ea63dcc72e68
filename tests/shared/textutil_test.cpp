#include "shared/textutil.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Orlenda;

TEST(TextBeforeAfter, SearchFromTheStartForwardsBackwardsOrNotAtAll) {
    const struct {
        bool before; // textBefore, else textAfter
        int start;
        const char* text;
        const char* separator;
        const char* expected;
    } cases[] = {
        // A positive start searches forwards from there: an earlier separator
        // is not seen, and a start beyond the text finds nothing.
        {true, 1, "1.5 ; comment", ";", "1.5 "}, {true, 1, "1.5", ";", "1.5"},
        {false, 1, "モータ音-P2]", "-", "P2]"},   {false, 1, "abc", "-", ""},
        {true, 3, "a-b-c", "-", "a-b"},          {false, 3, "a-b-c", "-", "c"},
        {true, 9, "a-b", "-", "a-b"},            {false, 9, "a-b", "-", ""},
        // Zero does not search.
        {true, 0, "a-b", "-", "a-b"},            {false, 0, "a-b", "-", "a-b"},
        // A negative start searches backwards within the prefix it names.
        {false, -1, "a-b-c", "-", "c"},          {true, -1, "a-b-c", "-", "a-b"},
        {true, -2, "a-b-", "-", "a"},
        // Not found: the whole text lies on the side the search began from.
        {true, -1, "abc", "-", ""},              {false, -1, "abc", "-", "abc"},
        // A start reaching before the text finds nothing rather than failing;
        // a separator cut by the window does not count.
        {false, -10, "a-b", "-", "a-b"},         {true, -2, "ab--", "--", ""},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const QString separator = QString::fromUtf8(c.separator);
        EXPECT_EQ(c.before ? textBefore(c.start, text, separator) : textAfter(c.start, text, separator),
                  QString::fromUtf8(c.expected))
            << (c.before ? "textBefore(" : "textAfter(") << c.start << ", " << c.text << ")";
    }
}

TEST(Trim, BlanksAreSpacesAndTabsOnly) {
    EXPECT_EQ(trimLeadingBlanks(QStringLiteral("\t  x ")), QStringLiteral("x "));
    EXPECT_EQ(trimTrailingBlanks(QStringLiteral("\t  x ")), QStringLiteral("\t  x"));
    EXPECT_EQ(trimLeadingBlanks(QStringLiteral(" \t ")), QString());
    EXPECT_EQ(trimTrailingBlanks(QString()), QString());
    EXPECT_EQ(trimLeadingBlanks(QStringLiteral("\nx")), QStringLiteral("\nx"));
}

TEST(MinMaxSwap, TiesGiveTheFirstArgumentAndSwapExchanges) {
    EXPECT_TRUE(std::signbit(minOf(-0.0, 0.0)));
    EXPECT_FALSE(std::signbit(maxOf(0.0, -0.0)));
    EXPECT_EQ(minOf(1, 2), 1);
    EXPECT_EQ(maxOf(1, 2), 2);
    std::int32_t a = 3, b = -7;
    swap(a, b);
    EXPECT_EQ(a, -7);
    EXPECT_EQ(b, 3);
    swap(a, a);
    EXPECT_EQ(a, 0);
}
