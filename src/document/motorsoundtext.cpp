#include "document/motorsoundtext.h"

#include <QStringList>

namespace Orlenda {

std::optional<Track> motorSoundTrackOfName(QStringView name) {
    // In the order of Track.
    static const QStringList names = {QStringLiteral("P1"), QStringLiteral("P2"),
                                      QStringLiteral("B1"), QStringLiteral("B2")};
    const qsizetype n = names.indexOf(name.toString().toUpper());
    if (n < 0)
        return std::nullopt;
    return Track(n);
}

QString motorSoundRowSpeed(int row) {
    static_assert(10 % MotorSoundRowsPerKmh == 0, "a row's speed needs one decimal at most");
    return QStringLiteral("%1.%2")
        .arg(row / MotorSoundRowsPerKmh)
        .arg(row % MotorSoundRowsPerKmh * (10 / MotorSoundRowsPerKmh));
}

} // namespace Orlenda
