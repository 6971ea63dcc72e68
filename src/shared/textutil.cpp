#include "shared/textutil.h"

namespace Orlenda {

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

} // namespace

QString latinUpper(QStringView text) {
    QString result = text.toString();
    for (QChar& c : result) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return result;
}

bool equalsLatinUpper(QStringView text, QStringView upper) {
    if (text.size() != upper.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text.at(i).unicode();
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - u'a' + u'A');
        if (c != upper.at(i).unicode())
            return false;
    }
    return true;
}

QString trimLeadingBlanks(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && isBlank(s.at(i)))
        ++i;
    return s.mid(i);
}

QString trimTrailingBlanks(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && isBlank(s.at(n - 1)))
        --n;
    return s.left(n);
}

QString textBefore(const QString& text, const QString& sep) {
    const qsizetype at = text.indexOf(sep);
    return at < 0 ? text : text.left(at);
}

QString textAfter(const QString& text, const QString& sep) {
    const qsizetype at = text.indexOf(sep);
    return at < 0 ? QString() : text.mid(at + sep.size());
}

} // namespace Orlenda
