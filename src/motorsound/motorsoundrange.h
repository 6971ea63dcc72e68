#pragma once

#include "document/motorsoundtable.h"

#include <QString>
#include <optional>
#include <utility>

namespace Orlenda {

class GuardedSteps;

// A range of rows typed as numbers, with what to write there: each field is
// written as the mouse tool writes it for the same two end points, so the
// tool's rounding and limits hold (the lowest pitch, the highest volume).
struct MotorSoundRange {
    int fromRow = 0;
    int toRow = 0;
    std::optional<int> index; // -1 is silent
    std::optional<std::pair<int, int>> pitch;
    std::optional<std::pair<int, int>> volume;
};

// The dialog's entries as typed; an empty optional leaves that field as it is.
struct MotorSoundRangeInput {
    QString fromSpeed; // km/h
    QString toSpeed;
    std::optional<int> index;
    std::optional<std::pair<QString, QString>> pitch;
    std::optional<std::pair<QString, QString>> volume;
};

// The range, or a message naming the permitted range of the first bad entry:
// speeds 0 to 159.8 km/h (each rounded to the nearest row, halves to even),
// index -1 to 7, pitch and volume whole numbers 0 to 399 (what a press on
// the graph can give). Nothing is ever clamped silently.
struct MotorSoundRangeParse {
    std::optional<MotorSoundRange> range;
    QString error;
};
MotorSoundRangeParse parseMotorSoundRange(const MotorSoundRangeInput& input);

// Writes the range into the track through the mouse tools' own edit.
void applyMotorSoundRange(MotorSoundTrack& track, const MotorSoundRange& range,
                          GuardedSteps& steps);

} // namespace Orlenda
