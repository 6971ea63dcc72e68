#include "document/numbertext.h"

#include "shared/failure.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace Orlenda {

namespace {

bool isInnerBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

int radixDigit(QChar c, int radix) {
    int d = -1;
    if (isDigit(c))
        d = c.unicode() - '0';
    else if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        d = c.unicode() - 'a' + 10;
    else if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        d = c.unicode() - 'A' + 10;
    return d < radix ? d : -1;
}

// Whether a decimal text that from_chars found out of range lies above the
// range rather than below it: above when its first significant digit stands
// at the units or higher, as no value between 1 and DBL_MAX is out of range.
bool aboveRange(std::string_view text) {
    const std::size_t e = std::min(text.find('e'), text.size());
    long long exponent = 0;
    if (e < text.size()) {
        const std::size_t digits = e + (text[e + 1] == '+' ? 2 : 1);
        std::from_chars(text.data() + digits, text.data() + text.size(), exponent);
    }
    const std::string_view mantissa = text.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    const long long place =
        first < point ? (long long)(point - first) - 1 : -(long long)(first - point);
    return place + exponent >= 0;
}

// Parses a decimal text made only of a minus sign, digits, point and an "e"
// exponent, in the C conventions whatever the user's locale; the double
// range's limits stand in for an overflow, and a value too small for it is 0.
double decimalValue(std::string_view text) {
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const bool negative = text.front() == '-';
        value = aboveRange(text) ? DBL_MAX : 0.0;
        return negative ? -value : value;
    }
    return value;
}

struct Parsed {
    double value = 0;
    qsizetype end = 0;  // position after the last character taken
    bool found = false; // at least one digit
};

// Reads a radix number after "&H" / "&O"; small values wrap like 16- and
// 32-bit words so that "&HFFFF" reads as -1.
Parsed parseRadix(QStringView text, qsizetype pos, int radix, bool skipBlanks) {
    Parsed p;
    double magnitude = 0;
    while (pos < text.size()) {
        if (skipBlanks && isInnerBlank(text.at(pos))) {
            ++pos;
            continue;
        }
        const int d = radixDigit(text.at(pos), radix);
        if (d < 0)
            break;
        magnitude = magnitude * radix + d;
        p.found = true;
        ++pos;
    }
    p.end = pos;
    // Hundreds of digits overflow the double; the range's limit stands in.
    if (!std::isfinite(magnitude))
        magnitude = DBL_MAX;
    if (magnitude <= 0xFFFF)
        p.value = double(std::int16_t(std::uint16_t(magnitude)));
    else if (magnitude <= 0xFFFFFFFFu)
        p.value = double(std::int32_t(std::uint32_t(magnitude)));
    else
        p.value = magnitude;
    p.found = true; // "&H" alone still counts as a number (0)
    return p;
}

Parsed parseNumber(QStringView text, bool skipBlanks) {
    qsizetype pos = 0;
    auto skip = [&] {
        while (skipBlanks && pos < text.size() && isInnerBlank(text.at(pos)))
            ++pos;
    };
    skip();
    if (pos + 1 < text.size() && text.at(pos) == QLatin1Char('&')) {
        qsizetype next = pos + 1;
        while (skipBlanks && next < text.size() && isInnerBlank(text.at(next)))
            ++next;
        if (next < text.size()) {
            const QChar kind = text.at(next).toUpper();
            if (kind == QLatin1Char('H'))
                return parseRadix(text, next + 1, 16, skipBlanks);
            if (kind == QLatin1Char('O'))
                return parseRadix(text, next + 1, 8, skipBlanks);
        }
    }

    std::string ascii;
    Parsed p;
    // from_chars takes a minus sign only; a plus sign changes nothing.
    if (pos < text.size() && (text.at(pos) == QLatin1Char('+') || text.at(pos) == QLatin1Char('-'))) {
        if (text.at(pos) == QLatin1Char('-'))
            ascii += '-';
        ++pos;
    }
    bool point = false;
    for (;; ++pos) {
        skip();
        if (pos >= text.size())
            break;
        const QChar c = text.at(pos);
        if (isDigit(c)) {
            ascii += char(c.unicode());
            p.found = true;
        } else if (c == QLatin1Char('.') && !point) {
            ascii += '.';
            point = true;
        } else {
            break;
        }
    }
    p.end = pos;
    if (p.found && pos < text.size()) {
        const QChar e = text.at(pos).toUpper();
        if (e == QLatin1Char('E') || e == QLatin1Char('D')) {
            qsizetype q = pos + 1;
            std::string exponent = "e";
            auto skipQ = [&] {
                while (skipBlanks && q < text.size() && isInnerBlank(text.at(q)))
                    ++q;
            };
            skipQ();
            if (q < text.size() && (text.at(q) == QLatin1Char('+') || text.at(q) == QLatin1Char('-'))) {
                exponent += char(text.at(q).unicode());
                ++q;
            }
            bool digits = false;
            for (;; ++q) {
                skipQ();
                if (q >= text.size() || !isDigit(text.at(q)))
                    break;
                // A longer exponent only saturates the value; keep the text short.
                if (exponent.size() < 12)
                    exponent += char(text.at(q).unicode());
                digits = true;
            }
            if (digits) {
                ascii += exponent;
                p.end = q;
            }
        }
    }
    if (p.found)
        p.value = decimalValue(ascii);
    return p;
}

QString finishGeneralText(const char* first, const char* last) {
    QString text = QString::fromLatin1(first, last - first);
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    return text;
}

} // namespace

double leadingNumber(QStringView text) {
    const Parsed p = parseNumber(text, true);
    return p.found ? p.value : 0.0;
}

double roundHalfEven(double value) { return std::nearbyint(value); }

std::int16_t toInt16(double value) {
    const double r = roundHalfEven(value);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw StepFailure(Failure::Overflow);
    return std::int16_t(r);
}

std::int32_t toInt32(double value) {
    const double r = roundHalfEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw StepFailure(Failure::Overflow);
    return std::int32_t(r);
}

std::int16_t toInt16Clamped(double value) {
    if (std::isnan(value))
        return 0;
    const double r = roundHalfEven(value);
    if (r < -32768.0)
        return -32768;
    if (r > 32767.0)
        return 32767;
    return std::int16_t(r);
}

float toFloat(double value) {
    if (std::isnan(value))
        throw StepFailure(Failure::InvalidArgument);
    if (std::fabs(value) > double(FLT_MAX))
        throw StepFailure(Failure::Overflow);
    return float(value);
}

namespace {

std::optional<Failure> tryStrictNumber(QStringView text, double& value) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && (text.at(first) == QLatin1Char(' ') || text.at(first) == QLatin1Char('\t')))
        ++first;
    while (last > first && (text.at(last - 1) == QLatin1Char(' ') || text.at(last - 1) == QLatin1Char('\t')))
        --last;
    const QStringView core = text.mid(first, last - first);
    const Parsed p = parseNumber(core, false);
    if (!p.found || p.end != core.size())
        return Failure::TypeMismatch;
    if (std::fabs(p.value) >= DBL_MAX)
        return Failure::Overflow;
    value = p.value;
    return std::nullopt;
}

} // namespace

double strictNumber(QStringView text) {
    double value = 0;
    if (const std::optional<Failure> failure = tryStrictNumber(text, value))
        throw StepFailure(*failure);
    return value;
}

std::optional<Failure> tryStrictInt16(QStringView text, std::int16_t& value) {
    double number = 0;
    if (const std::optional<Failure> failure = tryStrictNumber(text, number))
        return failure;
    const double r = roundHalfEven(number);
    if (!(r >= -32768.0 && r <= 32767.0))
        return Failure::Overflow;
    value = std::int16_t(r);
    return std::nullopt;
}

namespace {

template <typename Real>
QString generalText(Real value, int digits) {
    if (value == 0 || std::isnan(value))
        return QStringLiteral("0");
    // A file must never hold "inf", which reads back as 0.
    if (std::isinf(value))
        value = std::copysign(std::numeric_limits<Real>::max(), value);
    char buffer[64];
    const auto r =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return finishGeneralText(buffer, r.ptr);
}

} // namespace

QString doubleText(double value) {
    return generalText(value, 15);
}

QString floatText(float value) {
    return generalText(value, 7);
}

} // namespace Orlenda
