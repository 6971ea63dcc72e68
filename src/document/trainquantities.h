#pragma once

#include <QStringView>
#include <cstdint>

namespace Orlenda {

// The formation values the running resistance needs, as whole numbers.
struct TrainConsist {
    std::int16_t motorWeight = 0;   // t per motor car
    std::int16_t motorCount = 0;    // motor cars
    std::int16_t trailerWeight = 0; // t per trailer car
    std::int16_t trailerCount = 0;  // trailer cars
};

// A consist field's text as a whole number: the whole text read as one
// number, halves to even. A text that is not a number reads as 0 and a value
// beyond the 16-bit range is limited to it, so a model built from it never fails.
std::int16_t consistValue(QStringView text);

} // namespace Orlenda
