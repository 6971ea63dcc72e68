#pragma once

#include <QString>
#include <optional>

namespace Orlenda {

// The track of a name P1, P2, B1 or B2 in either case (0 to 3); none otherwise.
std::optional<int> motorSoundTrackOfName(const QString& name);

} // namespace Orlenda
