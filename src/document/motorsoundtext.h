#pragma once

#include "document/motorsoundtable.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace Orlenda {

// The track of a name P1, P2, B1 or B2 in either case; none otherwise.
std::optional<Track> motorSoundTrackOfName(QStringView name);

// Row r's speed in km/h with its one decimal, exactly: "42.6" for row 213.
QString motorSoundRowSpeed(int row);

} // namespace Orlenda
