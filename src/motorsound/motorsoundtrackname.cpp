#include "motorsound/motorsoundtrackname.h"

#include <QStringList>

namespace Orlenda {

std::optional<int> motorSoundTrackOfName(const QString& name) {
    static const QStringList names = {QStringLiteral("P1"), QStringLiteral("P2"),
                                      QStringLiteral("B1"), QStringLiteral("B2")};
    const qsizetype n = names.indexOf(name.toUpper());
    if (n < 0)
        return std::nullopt;
    return int(n);
}

} // namespace Orlenda
