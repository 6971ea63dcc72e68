#pragma once

#include "document/motorsoundtable.h"

#include <QString>

namespace Orlenda {

struct MotorSoundEdit;

// The status read-outs of the motor-sound graph. Values are decimal, or
// upper-case hexadecimal after "0x" with the hexadecimal scale; a silent
// index reads 無音.

// The speed of a row with one decimal and its unit: "42.6 km/h".
QString motorSoundSpeedText(int row);

// The stored row under graph pixel (x, y) of the track: "42.6 km/h 音 3
// ピッチ 85 音量 127". Empty off the graph.
QString motorSoundRowReadout(const MotorSoundTrack& track, double x, double y, bool hexScale);

// During an edit whose end is the pointer: what the index, pitch or volume
// tool would write in the pointer's row ("42.6 km/h ← ピッチ 85"), or the
// speed range a copy would take ("20.0〜42.6 km/h").
QString motorSoundEditReadout(const MotorSoundEdit& edit, bool hexScale);

} // namespace Orlenda
