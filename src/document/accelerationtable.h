#pragma once

#include <array>
#include <cstdint>

namespace Orlenda {

// One power notch's acceleration curve parameters.
struct AccelerationRow {
    float accel1 = 0; // km/h/s, constant tractive-effort region
    float accel2 = 0; // km/h/s
    std::int16_t speed1 = 0; // km/h, constant-power region
    std::int16_t speed2 = 0; // km/h
    float curve = 1;         // characteristic region

    friend bool operator==(const AccelerationRow&, const AccelerationRow&) = default;
};

// Power notches 1 to 8 as rows 0 to 7.
inline constexpr int NotchCount = 8;
using AccelerationTable = std::array<AccelerationRow, NotchCount>;

} // namespace Orlenda
