#pragma once

#include "sound/drivestate.h"

#include <QString>

namespace Orlenda {

// The read-out strip during playback: the time, the speed and the state,
// such as "12.3 s  45.6 km/h  力行".
QString playbackReadout(double seconds, double speed, DriveState state);
QString driveStateText(DriveState state);

} // namespace Orlenda
