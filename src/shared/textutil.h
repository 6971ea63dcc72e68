#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

namespace Orlenda {

// a on a tie, so clamps keep the value they were given when it equals the limit.
inline double minOf(double a, double b) { return a <= b ? a : b; }
inline double maxOf(double a, double b) { return !(a < b) ? a : b; }

// Blanks are spaces and horizontal tabs only.
QString trimLeadingBlanks(const QString& s);
QString trimTrailingBlanks(const QString& s);

// Upper case for the Latin letters a to z only: file keywords are ASCII, and
// full case rules would turn other letters into them ("ſ" into "S").
QString latinUpper(QStringView text);
// Whether latinUpper(text) equals upper, without building it.
bool equalsLatinUpper(QStringView text, QStringView upper);

// The text before or after the first sep. When sep is not found the whole
// text lies before it, and nothing after it.
QString textBefore(const QString& text, const QString& sep);
QString textAfter(const QString& text, const QString& sep);

} // namespace Orlenda
