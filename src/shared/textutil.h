#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

namespace Orlenda {

// a on a tie, so clamps keep the value they were given when it equals the limit.
inline double minOf(double a, double b) { return a <= b ? a : b; }
inline double maxOf(double a, double b) { return !(a < b) ? a : b; }

// Exchanges by exclusive or; the same variable passed twice ends as 0.
void swap(std::int32_t& a, std::int32_t& b);

// Blanks are spaces and horizontal tabs only.
QString trimLeadingBlanks(const QString& s);
QString trimTrailingBlanks(const QString& s);

// Upper case for the Latin letters a to z only: file keywords are ASCII, and
// full case rules would turn other letters into them ("ſ" into "S").
QString latinUpper(QStringView text);
// Whether latinUpper(text) equals upper, without building it.
bool equalsLatinUpper(QStringView text, QStringView upper);

// start counts characters from 1; a positive start searches forwards from it,
// a negative one backwards within the first (length + start + 1) characters,
// and 0 does not search. When sep is not found the whole text lies on the side
// the search began from.
QString textBefore(std::int32_t start, const QString& text, const QString& sep);
QString textAfter(std::int32_t start, const QString& text, const QString& sep);

} // namespace Orlenda
