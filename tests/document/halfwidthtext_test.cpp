#include "document/halfwidthtext.h"
#include "document/numbertext.h"

#include <gtest/gtest.h>

using namespace Orlenda;

TEST(HalfWidthText, FullWidthNumberCharactersBecomeAscii) {
    EXPECT_EQ(halfWidthText(u"０１２３４５６７８９"), QStringLiteral("0123456789"));
    EXPECT_EQ(halfWidthText(u"＋１．５"), QStringLiteral("+1.5"));
    EXPECT_EQ(halfWidthText(u"－２．５Ｅ＋３"), QStringLiteral("-2.5E+3"));
    EXPECT_EQ(halfWidthText(u"１ｄ－２"), QStringLiteral("1d-2"));
    EXPECT_EQ(halfWidthText(u"＆ＨＦｆ"), QStringLiteral("&HFf"));
    EXPECT_EQ(halfWidthText(u"＆Ｏ１７"), QStringLiteral("&O17"));
    // The minus sign and the ideographic space that input methods also produce.
    EXPECT_EQ(halfWidthText(u"−１　２"), QStringLiteral("-1 2"));
    // The ends of the full-width block, and what lies just outside it.
    EXPECT_EQ(halfWidthText(u"！～"), QStringLiteral("!~"));
    EXPECT_EQ(halfWidthText(u"\uFF00\uFF5F"), QStringLiteral("\uFF00\uFF5F"));
}

TEST(HalfWidthText, KeepsEverythingElse) {
    EXPECT_EQ(halfWidthText(u"1.5 km/h"), QStringLiteral("1.5 km/h"));
    EXPECT_EQ(halfWidthText(u"電制３両"), QStringLiteral("電制3両"));
    EXPECT_EQ(halfWidthText(u"ｶﾅ"), QStringLiteral("ｶﾅ"));
    EXPECT_EQ(halfWidthText(u""), QString());
    // Files are read exactly: the number reader itself does not fold widths.
    EXPECT_EQ(leadingNumber(u"３００"), 0.0);
    EXPECT_EQ(leadingNumber(halfWidthText(u"３００")), 300.0);
}
