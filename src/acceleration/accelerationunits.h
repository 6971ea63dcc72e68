#pragma once

#include "acceleration/trainconsist.h"

namespace Orlenda {

// The plot always works in km/h/s; the second unit, tractive force per tonne,
// only changes the value grid and the read-out.
enum class AccelerationUnit { KmPerHourPerSecond, KgfPerTonne };

// The speeds the plots and the figures cover: 0 to this, in km/h.
inline constexpr int TopSpeedKmh = 160;

// km/h per m/s.
inline constexpr double KmPerHourPerMetrePerSecond = 3.6;

// 3.530394 = 0.36 x 9.80665.
inline constexpr double KgfPerTonneFactor = 3.530394;

inline double kgfPerTonneToKmPerHourPerSecond(double force) {
    return force * KgfPerTonneFactor / RotatingMassFactor / 100;
}

inline double kmPerHourPerSecondToKgfPerTonne(double acceleration) {
    return acceleration * 100 * RotatingMassFactor / KgfPerTonneFactor;
}

} // namespace Orlenda
