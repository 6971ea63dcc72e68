#include "shared/textutil.h"

#include <gtest/gtest.h>

#include <array>

using namespace Orlenda;

TEST(TextBeforeAfter, SplitAtTheFirstSeparator) {
    // Text, separator, before and after it.
    const std::array<const char*, 4> cases[] = {
        {"1.5 ; comment", ";", "1.5 ", " comment"},
        {"モータ音-P2]", "-", "モータ音", "P2]"},
        {"a-b-c", "-", "a", "b-c"},
        // Not found: the whole text lies before the separator.
        {"1.5", ";", "1.5", ""},
        {"ab--", "--", "ab", ""},
    };
    for (const auto& [text, separator, before, after] : cases) {
        const QString s = QString::fromUtf8(separator);
        EXPECT_EQ(textBefore(QString::fromUtf8(text), s), QString::fromUtf8(before)) << text;
        EXPECT_EQ(textAfter(QString::fromUtf8(text), s), QString::fromUtf8(after)) << text;
    }
}

TEST(Trim, BlanksAreSpacesAndTabsOnly) {
    EXPECT_EQ(trimLeadingBlanks(QStringLiteral("\t  x ")), QStringLiteral("x "));
    EXPECT_EQ(trimTrailingBlanks(QStringLiteral("\t  x ")), QStringLiteral("\t  x"));
    EXPECT_EQ(trimLeadingBlanks(QStringLiteral(" \t ")), QString());
    EXPECT_EQ(trimTrailingBlanks(QString()), QString());
    EXPECT_EQ(trimLeadingBlanks(QStringLiteral("\nx")), QStringLiteral("\nx"));
}
