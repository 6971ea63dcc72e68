#include "document/halfwidthtext.h"
#include "document/numbertext.h"

#include <gtest/gtest.h>

using namespace Orlenda;

TEST(HalfWidthText, FullWidthNumberCharactersBecomeAsciiAndNothingElseChanges) {
    // With the minus sign and the ideographic space that input methods also
    // produce, and the ends of the full-width block next to what lies just outside it.
    const std::pair<const char16_t*, const char*> cases[] = {
        {u"０１２３４５６７８９", "0123456789"},
        {u"－２．５Ｅ＋３", "-2.5E+3"},
        {u"１ｄ－２", "1d-2"},
        {u"＆ＨＦｆ＆Ｏ１７", "&HFf&O17"},
        {u"−１　２", "-1 2"},
        {u"！～\uFF00\uFF5F", "!~\uFF00\uFF5F"},
        {u"1.5 km/h", "1.5 km/h"},
        {u"電制３両ｶﾅ", "電制3両ｶﾅ"},
        {u"", ""}};
    for (const auto& [text, half] : cases)
        EXPECT_EQ(halfWidthText(text), QString::fromUtf8(half)) << half;
    // Files are read exactly: the number reader itself does not fold widths.
    EXPECT_EQ(leadingNumber(u"３００"), 0.0);
    EXPECT_EQ(leadingNumber(halfWidthText(u"３００")), 300.0);
}
