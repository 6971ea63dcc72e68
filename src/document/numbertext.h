#pragma once

#include "shared/failure.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace Orlenda {

// Number text of files and fields. Always the C conventions (a point as the
// decimal mark), never the user's locale.

// The leading number of a text; 0 when there is none. Blanks, tabs and line
// feeds are skipped wherever they stand; "&H" and "&O" read hexadecimal and
// octal. Never fails: magnitudes beyond the double range give its limits.
double leadingNumber(QStringView text);

// Nearest whole number, halves to the even neighbour.
double roundHalfEven(double value);

// Rounds half to even; StepFailure(Overflow) outside the target range.
std::int16_t toInt16(double value);
std::int32_t toInt32(double value);

// Rounds half to even, then limits to the 16-bit range instead of failing.
std::int16_t toInt16Clamped(double value);

// A 32-bit float; StepFailure(Overflow) when the value is too large.
float toFloat(double value);

// The whole text (blanks at either end allowed) must be a number:
// StepFailure(TypeMismatch) when it is not, Overflow when out of range.
double strictNumber(QStringView text);
// The same for 16-bit integers without an exception, for loops over thousands of values: the kind
// of failure, or none with value set.
std::optional<Failure> tryStrictInt16(QStringView text, std::int16_t& value);

// Up to 15 significant digits, no trailing zeros, exponent form ("1E+20") only
// for very large or very small magnitudes. Infinities are written as the
// largest finite value of their sign, NaN as 0.
QString doubleText(double value);

// A 32-bit float rounded to seven significant digits, in the same style.
QString floatText(float value);

} // namespace Orlenda
