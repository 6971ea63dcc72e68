#pragma once

#include "document/motorsoundtable.h"
#include "sound/triplebuffer.h"

namespace Orlenda {

// The working copy's tracks as the audio thread sees them: the GUI thread
// publishes each edit, the audio thread reads the newest at every block.
using MotorSoundTableBuffer = TripleBuffer<MotorSoundTable>;

} // namespace Orlenda
