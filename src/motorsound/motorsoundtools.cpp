#include "motorsound/motorsoundtools.h"

#include "document/numbertext.h"
#include "motorsound/motorsoundgeometry.h"
#include "shared/guardedsteps.h"
#include "shared/textutil.h"

#include <algorithm>
#include <utility>

namespace Orlenda {

namespace {

constexpr int MinimumPitch = 10;

std::int16_t limitedValue(MotorSoundTool tool, std::int16_t value) {
    if (tool == MotorSoundTool::Volume)
        return std::int16_t(minOf(value, MaximumSoundVolume));
    return std::int16_t(maxOf(value, MinimumPitch));
}

void setValue(MotorSoundEntry& row, MotorSoundTool tool, std::int16_t value) {
    if (tool == MotorSoundTool::Volume)
        row.volume = limitedValue(tool, value);
    else
        row.pitch = limitedValue(tool, value);
}

// The value of the line at column k, before the tool's limit: the slope from
// the two 32-bit differences in double precision, halves rounded to even.
std::int16_t lineValue(std::int32_t startX, std::int32_t startY, double slope, std::int32_t k) {
    return toInt16(((GraphHeight - 1) - slope * (k - startX) - startY) / 2);
}

MotorSoundEntry& rowAt(MotorSoundTrack& track, int row) {
    if (row < 0 || row >= MotorSoundRows)
        throw StepFailure(Failure::SubscriptOutOfRange);
    return track[std::size_t(row)];
}

MotorSoundEntry& recordAt(MotorSoundCopyBuffer& buffer, int k) {
    if (k < 0 || k >= MotorSoundCopyBuffer::Size)
        throw StepFailure(Failure::SubscriptOutOfRange);
    return buffer.records[std::size_t(k)];
}

bool applyOneColumn(MotorSoundTrack& track, MotorSoundCopyBuffer& buffer,
                    const MotorSoundEdit& edit, GuardedSteps& steps) {
    const int r = edit.start.x();
    switch (edit.tool) {
    case MotorSoundTool::Copy:
        steps([&] { buffer.records[0] = rowAt(track, r); });
        buffer.records[1].pitch = 0;
        return true;
    case MotorSoundTool::Index:
        steps([&] { rowAt(track, r).index = std::int16_t(edit.indexChoice); });
        return false;
    case MotorSoundTool::Pitch:
    case MotorSoundTool::Volume:
        // The first press's height alone: a second height in the same column gives no line.
        steps([&] {
            setValue(rowAt(track, r), edit.tool, std::int16_t(valueOfSnappedY(edit.start.y())));
        });
        return false;
    case MotorSoundTool::Paste:
        break;
    }
    return false;
}

} // namespace

bool applyMotorSoundEdit(MotorSoundTrack& track, MotorSoundCopyBuffer& buffer,
                         const MotorSoundEdit& edit, GuardedSteps& steps) {
    if (edit.tool == MotorSoundTool::Paste)
        return false;
    if (edit.start.x() == edit.end.x())
        return applyOneColumn(track, buffer, edit, steps);

    std::int32_t startX = edit.start.x();
    std::int32_t startY = edit.start.y();
    std::int32_t endX = edit.end.x();
    std::int32_t endY = edit.end.y();
    // Both coordinates swap, so a line drawn leftwards keeps its two ends.
    if (startX > endX) {
        std::swap(startX, endX);
        std::swap(startY, endY);
    }
    // The slope from the two 32-bit differences, in double precision.
    const double slope = double(endY - startY) / double(endX - startX);
    for (std::int32_t k = startX; k <= endX; ++k) {
        switch (edit.tool) {
        case MotorSoundTool::Copy:
            steps([&] { recordAt(buffer, k - startX) = rowAt(track, k); });
            break;
        case MotorSoundTool::Index:
            steps([&] { rowAt(track, k).index = std::int16_t(edit.indexChoice); });
            break;
        case MotorSoundTool::Pitch:
        case MotorSoundTool::Volume:
            steps([&] { setValue(rowAt(track, k), edit.tool, lineValue(startX, startY, slope, k)); });
            break;
        case MotorSoundTool::Paste:
            break;
        }
    }
    if (edit.tool != MotorSoundTool::Copy)
        return false;
    steps([&] { recordAt(buffer, endX - startX + 1).pitch = 0; });
    return true;
}

std::int16_t motorSoundEditValue(const MotorSoundEdit& edit, int column) {
    if (edit.start.x() == edit.end.x())
        return limitedValue(edit.tool, std::int16_t(valueOfSnappedY(edit.start.y())));
    const bool leftwards = edit.start.x() > edit.end.x();
    const QPoint left = leftwards ? edit.end : edit.start;
    const QPoint right = leftwards ? edit.start : edit.end;
    const double slope = double(right.y() - left.y()) / double(right.x() - left.x());
    return limitedValue(edit.tool, lineValue(left.x(), left.y(), slope, column));
}

void pasteMotorSoundRows(MotorSoundTrack& track, const MotorSoundCopyBuffer& buffer, int column) {
    for (int k = 0; k < MotorSoundCopyBuffer::Size; ++k) {
        const MotorSoundEntry& record = buffer.records[std::size_t(k)];
        const int row = column + k;
        if (record.pitch == 0 || row >= MotorSoundRows)
            return;
        if (row >= 0)
            track[std::size_t(row)] = record;
    }
}

} // namespace Orlenda
