#pragma once

#include "document/motorsoundtable.h"
#include "motorsound/motorsoundcopybuffer.h"
#include "motorsound/motorsoundtool.h"

#include <QPoint>

namespace Orlenda {

class GuardedSteps;

// One two-press edit: the tool and the two press points (column, snapped pixel row).
struct MotorSoundEdit {
    MotorSoundTool tool = MotorSoundTool::Index;
    QPoint start;
    QPoint end;
    int indexChoice = SilentSoundIndex; // the sound index the index tool writes
};

// Applies a two-press tool to the rows between the points, both included.
// Pitch never falls below 10 and volume never exceeds MaximumSoundVolume. A
// copy fills the buffer from record 0 and ends it with a pitch-0 mark. Returns
// true when the edit was a copy, after which the paste tool is to be selected.
bool applyMotorSoundEdit(MotorSoundTrack& track, MotorSoundCopyBuffer& buffer,
                         const MotorSoundEdit& edit, GuardedSteps& steps);

// What a pitch or volume edit writes at column, a column between its two
// ends: the same arithmetic and limits as applying it. StepFailure(Overflow)
// only for values far outside the graph.
std::int16_t motorSoundEditValue(const MotorSoundEdit& edit, int column);

// Writes the buffer into the rows from column on, up to its end mark or the
// last row.
void pasteMotorSoundRows(MotorSoundTrack& track, const MotorSoundCopyBuffer& buffer, int column);

} // namespace Orlenda
