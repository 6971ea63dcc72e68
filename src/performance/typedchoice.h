#pragma once

#include <QString>
#include <optional>

namespace Orlenda {

// What a user types into the 性能表 window's number boxes, read without
// guessing: full-width digits, signs and point count as their ASCII twins,
// blanks around the number and the box's unit are ignored, and the typed
// decimal digits are rounded half to even (2.55 gives 2.6, 2.45 gives 2.4)
// before the range is checked. Anything else, or a value outside the range,
// gives none: the box then keeps its previous value and says why.

// A grade in per mille to one decimal, -40 to 40.
std::optional<double> typedGrade(const QString& text);
// A braking speed in whole km/h, 1 to 160.
std::optional<int> typedBrakeSpeed(const QString& text);

// The refusals, naming the range.
QString gradeRefusal();
QString brakeSpeedRefusal();

// The typed number rounded half to even to the given count of decimals, as a
// whole count of those units (2.55 with 1 decimal gives 26); none unless the
// text is a plain decimal number of at most 15 digits before the point.
std::optional<qint64> typedDecimalUnits(const QString& text, int decimals);

} // namespace Orlenda
