#include "app/appicon.h"

#include "shared/appidentity.h"

#include <QPixmap>

namespace Orlenda {

QList<int> iconSizes() {
    return {16, 24, 32, 48, 64, 128, 256};
}

QImage iconImage(int size) {
    const QImage logo = logoImage();
    const int side = logo.width();
    const int multiple = (size + side - 1) / side;
    const QImage enlarged = logo.scaled(side * multiple, side * multiple, Qt::IgnoreAspectRatio,
                                        Qt::FastTransformation);
    if (enlarged.width() == size)
        return enlarged;
    return enlarged.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QByteArray iconSvg() {
    const QImage logo = logoImage();
    QByteArray svg;
    svg += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                          "viewBox=\"0 0 %1 %2\" shape-rendering=\"crispEdges\">\n")
               .arg(logo.width())
               .arg(logo.height())
               .toUtf8();
    for (int y = 0; y < logo.height(); ++y) {
        int x = 0;
        while (x < logo.width()) {
            const QRgb colour = logo.pixel(x, y);
            int end = x + 1;
            while (end < logo.width() && logo.pixel(end, y) == colour)
                ++end;
            svg +=
                QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"1\" fill=\"%4\"/>\n")
                    .arg(x)
                    .arg(y)
                    .arg(end - x)
                    .arg(QColor(colour).name())
                    .toUtf8();
            x = end;
        }
    }
    svg += "</svg>\n";
    return svg;
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : iconSizes())
        icon.addPixmap(QPixmap::fromImage(iconImage(size)));
    return icon;
}

} // namespace Orlenda
