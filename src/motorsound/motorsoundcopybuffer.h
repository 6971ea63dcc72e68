#pragma once

#include "document/motorsoundtable.h"

#include <array>

namespace Orlenda {

// Rows copied by the copy tool, for the paste tool. A record whose pitch is 0
// ends what a paste writes; a copy of all 800 rows still has room for that mark.
struct MotorSoundCopyBuffer {
    static constexpr int Size = MotorSoundRows + 1;

    // All fields zero, so a paste before any copy finds the end mark at once.
    MotorSoundCopyBuffer() { records.fill(MotorSoundEntry{0, 0, 0}); }

    std::array<MotorSoundEntry, Size> records;
};

} // namespace Orlenda
