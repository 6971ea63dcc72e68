#include "motorsound/motorsoundreadout.h"

#include "document/motorsoundtext.h"
#include "motorsound/motorsoundgeometry.h"
#include "motorsound/motorsoundtools.h"
#include "shared/failure.h"

#include <algorithm>
#include <cmath>

namespace Orlenda {

namespace {

QString valueText(int value, bool hexScale) {
    if (!hexScale)
        return QString::number(value);
    // "0x" so that 10 is never read as ten.
    const QString digits = QStringLiteral("0x") + QString::number(std::abs(value), 16).toUpper();
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

QString indexText(int index, bool hexScale) {
    return QStringLiteral("音 ") +
           (index == SilentSoundIndex ? QStringLiteral("無音") : valueText(index, hexScale));
}

} // namespace

QString motorSoundSpeedText(int row) {
    return motorSoundRowSpeed(row) + QStringLiteral(" km/h");
}

QString motorSoundRowReadout(const MotorSoundTrack& track, double x, double y, bool hexScale) {
    if (!insideGraph(x, y))
        return {};
    const int row = std::clamp(graphColumn(x), 0, MotorSoundRows - 1);
    const MotorSoundEntry& e = track[std::size_t(row)];
    return motorSoundSpeedText(row) + QLatin1Char(' ') + indexText(e.index, hexScale) +
           QStringLiteral(" ピッチ ") + valueText(e.pitch, hexScale) + QStringLiteral(" 音量 ") +
           valueText(e.volume, hexScale);
}

QString motorSoundEditReadout(const MotorSoundEdit& edit, bool hexScale) {
    const int row = edit.end.x();
    switch (edit.tool) {
    case MotorSoundTool::Index:
        return motorSoundSpeedText(row) + QStringLiteral(" ← ") +
               indexText(edit.indexChoice, hexScale);
    case MotorSoundTool::Pitch:
    case MotorSoundTool::Volume:
        try {
            return motorSoundSpeedText(row) +
                   (edit.tool == MotorSoundTool::Pitch ? QStringLiteral(" ← ピッチ ")
                                                       : QStringLiteral(" ← 音量 ")) +
                   valueText(motorSoundEditValue(edit, row), hexScale);
        } catch (const StepFailure&) {
            return {};
        }
    case MotorSoundTool::Copy: {
        const int low = std::min(edit.start.x(), row);
        const int high = std::max(edit.start.x(), row);
        return motorSoundRowSpeed(low) + QStringLiteral("〜") + motorSoundSpeedText(high);
    }
    case MotorSoundTool::Paste:
        break;
    }
    return {};
}

} // namespace Orlenda
