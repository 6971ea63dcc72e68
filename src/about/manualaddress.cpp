#include "about/manualaddress.h"

namespace Orlenda {

QUrl manualUrl(const QString& programFolder, const QString& configured) {
    const QUrl address(configured);
    if (!address.isRelative())
        return address;
    QString folder = programFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return QUrl::fromLocalFile(folder).resolved(address);
}

QUrl manualUrl(const QString& programFolder) {
    return manualUrl(programFolder, QStringLiteral(ORLENDA_MANUAL_URL));
}

} // namespace Orlenda
