#include "shared/textutil.h"

#include <gtest/gtest.h>

using namespace Orlenda;

TEST(TextBeforeAfter, SplitAtTheFirstSeparator) {
    const struct {
        const char* text;
        const char* separator;
        const char* before;
        const char* after;
    } cases[] = {
        {"1.5 ; comment", ";", "1.5 ", " comment"},
        {"モータ音-P2]", "-", "モータ音", "P2]"},
        {"a-b-c", "-", "a", "b-c"},
        // Not found: the whole text lies before the separator.
        {"1.5", ";", "1.5", ""},
        {"ab--", "--", "ab", ""},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const QString separator = QString::fromUtf8(c.separator);
        EXPECT_EQ(textBefore(text, separator), QString::fromUtf8(c.before)) << c.text;
        EXPECT_EQ(textAfter(text, separator), QString::fromUtf8(c.after)) << c.text;
    }
}

TEST(Trim, BlanksAreSpacesAndTabsOnly) {
    EXPECT_EQ(trimLeadingBlanks(QStringLiteral("\t  x ")), QStringLiteral("x "));
    EXPECT_EQ(trimTrailingBlanks(QStringLiteral("\t  x ")), QStringLiteral("\t  x"));
    EXPECT_EQ(trimLeadingBlanks(QStringLiteral(" \t ")), QString());
    EXPECT_EQ(trimTrailingBlanks(QString()), QString());
    EXPECT_EQ(trimLeadingBlanks(QStringLiteral("\nx")), QStringLiteral("\nx"));
}
