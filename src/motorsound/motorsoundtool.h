#pragma once

#include "motorsound/rubberband.h"

#include <QString>

namespace Orlenda {

// The mouse tools of the motor-sound graph, in the order of their buttons.
enum class MotorSoundTool : int { Index, Pitch, Volume, Copy, Paste };
inline constexpr int MotorSoundToolCount = 5;

// Ranges of rows show as full-height columns, lines of values as the line itself.
inline RubberBand::Shape rubberBandShape(MotorSoundTool tool) {
    switch (tool) {
    case MotorSoundTool::Index:
    case MotorSoundTool::Copy:
        return RubberBand::Shape::Columns;
    case MotorSoundTool::Pitch:
    case MotorSoundTool::Volume:
        return RubberBand::Shape::Line;
    case MotorSoundTool::Paste:
        break;
    }
    return RubberBand::Shape::None;
}

// The caption of the tool's button, which also names its steps in the undo history.
inline QString motorSoundToolCaption(MotorSoundTool tool) {
    static constexpr const char* captions[MotorSoundToolCount] = {
        "インデックス", "ピッチ", "ボリューム", "コピー", "ペースト"};
    return QString::fromUtf8(captions[int(tool)]);
}

} // namespace Orlenda
