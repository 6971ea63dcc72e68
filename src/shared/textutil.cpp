#include "shared/textutil.h"

#include <optional>

namespace Orlenda {

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// 0-based position of the separator chosen by start, or none.
std::optional<qsizetype> findSeparator(std::int32_t start, const QString& text,
                                        const QString& sep) {
    if (start > 0) {
        const qsizetype from = qsizetype(start) - 1;
        if (from > text.size())
            return std::nullopt;
        const qsizetype at = text.indexOf(sep, from);
        return at < 0 ? std::nullopt : std::optional<qsizetype>(at);
    }
    const qsizetype window = text.size() + qsizetype(start) + 1;
    if (window < sep.size() || window < 0)
        return std::nullopt;
    const qsizetype at = text.left(window).lastIndexOf(sep);
    return at < 0 ? std::nullopt : std::optional<qsizetype>(at);
}

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

void swap(std::int32_t& a, std::int32_t& b) {
    a = a ^ b;
    b = a ^ b;
    a = a ^ b;
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

QString textBefore(std::int32_t start, const QString& text, const QString& sep) {
    if (start == 0)
        return text;
    const auto at = findSeparator(start, text, sep);
    if (!at)
        return start > 0 ? text : QString();
    return text.left(*at);
}

QString textAfter(std::int32_t start, const QString& text, const QString& sep) {
    if (start == 0)
        return text;
    const auto at = findSeparator(start, text, sep);
    if (!at)
        return start > 0 ? QString() : text;
    return text.mid(*at + sep.size());
}

} // namespace Orlenda
