#pragma once

#include <array>
#include <cstdint>

namespace Orlenda {

// Sound numbers run from silence up to the largest sound.
inline constexpr int SilentSoundIndex = -1;
inline constexpr int LargestSoundIndex = 7;
// The loudest volume; a sound without a volume of its own plays at it.
inline constexpr int MaximumSoundVolume = 127;

struct MotorSoundEntry {
    std::int16_t pitch = 0;
    std::int16_t volume = 0;
    std::int16_t index = SilentSoundIndex; // sound number

    friend bool operator==(const MotorSoundEntry&, const MotorSoundEntry&) = default;
};

enum class Track : int { P1 = 0, P2 = 1, B1 = 2, B2 = 3 };
inline constexpr int TrackCount = 4;
// Row r stands for the speed r x 0.2 km/h, so a track covers 0 to 159.8 km/h.
inline constexpr double MotorSoundKmhPerRow = 0.2;
inline constexpr int MotorSoundRowsPerKmh = 5;
static_assert(MotorSoundKmhPerRow * MotorSoundRowsPerKmh == 1.0);
inline constexpr int MotorSoundRows = 800;

using MotorSoundTrack = std::array<MotorSoundEntry, MotorSoundRows>;

struct MotorSoundTable {
    std::array<MotorSoundTrack, TrackCount> tracks;

    MotorSoundTrack& operator[](Track t) { return tracks[std::size_t(t)]; }
    const MotorSoundTrack& operator[](Track t) const { return tracks[std::size_t(t)]; }

    friend bool operator==(const MotorSoundTable&, const MotorSoundTable&) = default;
};

} // namespace Orlenda
