#include "shared/appidentity.h"

#include "appversion.h"
#include "shared/apptitle.h"
#include "shared/graphpalette.h"

#include <QPainter>

namespace Orlenda {

AppIdentity appIdentity() {
    return {.title = applicationTitle(),
            .major = VersionMajor,
            .minor = VersionMinor,
            .revision = VersionRevision,
            .legalNotice = QStringLiteral("© 2026 The Orlenda developers"),
            .webPage = QString::fromLatin1(HomePage)};
}

QString versionText(int major, int minor, int revision) {
    QString text = QStringLiteral("Version ") + QString::number(major) + QLatin1Char('.') +
                   (QStringLiteral("0") + QString::number(minor)).right(2);
    if (revision > 0)
        text += QLatin1Char('.') + (QStringLiteral("000") + QString::number(revision)).right(4);
    return text;
}

QImage logoImage() {
    // A rising acceleration curve over rails, in the graph colours.
    QImage image(48, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(GraphPalette::color(15));
    p.drawRect(0, 0, 47, 47);
    p.setPen(GraphPalette::color(9));
    p.drawLine(4, 40, 43, 40);
    p.drawLine(4, 43, 43, 43);
    for (int x = 6; x < 44; x += 6)
        p.drawLine(x, 39, x, 44);
    p.setPen(GraphPalette::color(1));
    p.drawLine(5, 34, 18, 34);
    for (int x = 18; x < 43; ++x)
        p.drawPoint(x, 34 - int(26.0 * (1.0 - 13.0 / (x - 5))));
    p.setPen(GraphPalette::color(6));
    p.drawLine(5, 36, 43, 8);
    return image;
}

} // namespace Orlenda
