#include "acceleration/notchswatch.h"

#include "document/accelerationtable.h"
#include "shared/graphpalette.h"

#include <algorithm>

namespace Orlenda {

QImage notchSwatch(int notch, int size) {
    const int n = std::clamp(notch, 0, NotchCount - 1);
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(GraphPalette::color(n + 10));
    if (size > 2) {
        const QRgb bright = GraphPalette::color(n + 1).rgb();
        for (int y = 1; y < size - 1; ++y)
            std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)) + 1, size - 2, bright);
    }
    return image;
}

} // namespace Orlenda
