#include "sound/playbackreadout.h"

namespace Orlenda {

QString driveStateText(DriveState state) {
    switch (state) {
    case DriveState::Power:
        return QStringLiteral("力行");
    case DriveState::Brake:
        return QStringLiteral("ブレーキ");
    case DriveState::Coast:
        break;
    }
    return QStringLiteral("惰行");
}

QString playbackReadout(double seconds, double speed, DriveState state) {
    return QStringLiteral(" %1 s  %2 km/h  %3")
        .arg(seconds, 0, 'f', 1)
        .arg(speed, 0, 'f', 1)
        .arg(driveStateText(state));
}

} // namespace Orlenda
