#include "shared/windowplacement.h"

namespace Orlenda {

QList<QPair<QString, QString>> windowPlacementSettings(const QRect& outerGeometry, bool minimized) {
    if (minimized)
        return {};
    auto twips = [](int pixels) { return QString::number(qint64(pixels) * TwipsPerPixel); };
    return {
        {QStringLiteral("MainLeft"), twips(outerGeometry.x())},
        {QStringLiteral("MainTop"), twips(outerGeometry.y())},
        {QStringLiteral("MainWidth"), twips(outerGeometry.width())},
        {QStringLiteral("MainHeight"), twips(outerGeometry.height())},
    };
}

} // namespace Orlenda
