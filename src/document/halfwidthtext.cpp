#include "document/halfwidthtext.h"

namespace Orlenda {

namespace {

constexpr char16_t FullWidthFirst = u'\uFF01'; // "！", twin of "!"
constexpr char16_t FullWidthLast = u'\uFF5E';  // "～", twin of "~"
constexpr char16_t FullWidthOffset = FullWidthFirst - u'!';
constexpr char16_t IdeographicSpace = u'\u3000';
constexpr char16_t MinusSign = u'\u2212';

} // namespace

QString halfWidthText(QStringView typed) {
    QString text = typed.toString();
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u >= FullWidthFirst && u <= FullWidthLast)
            c = QChar(char16_t(u - FullWidthOffset));
        else if (u == IdeographicSpace)
            c = QLatin1Char(' ');
        else if (u == MinusSign)
            c = QLatin1Char('-');
    }
    return text;
}

} // namespace Orlenda
