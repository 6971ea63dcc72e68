#include "motorsound/motorsoundscales.h"

#include "motorsound/motorsoundgeometry.h"
#include "shared/plottext.h"

#include <climits>

namespace Orlenda {

namespace {

constexpr int Gap = 3; // between neighbouring numbers, at least

void setPixel(QImage& image, int x, int y, QRgb colour) {
    if (x >= 0 && x < image.width() && y >= 0 && y < image.height())
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
}

} // namespace

QImage MotorSoundScales::render(QSize view, QPoint scroll, bool hexScale) {
    QImage image;
    paint(image, view, scroll, hexScale);
    return image;
}

void MotorSoundScales::paint(QImage& image, QSize view, QPoint scroll, bool hexScale) {
    const QSize size(LeftMargin + view.width(), view.height() + BottomMargin);
    if (image.size() != size || image.format() != QImage::Format_RGB32)
        image = QImage(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QRgb colour = textColor();

    // Speeds under the columns in view, centred on their grid lines.
    int lastRight = INT_MIN;
    for (int row = 0; row < GraphWidth; row += RowsPerSpeedLine) {
        const int x = LeftMargin + row - scroll.x();
        if (x < LeftMargin || x >= LeftMargin + view.width())
            continue;
        const QString label = QString::number(row / MotorSoundRowsPerKmh);
        const int left = x - plotTextWidth(label) / 2 + 1;
        setPixel(image, x, view.height(), colour);
        setPixel(image, x, view.height() + 1, colour);
        // A number that would touch the one before it is left out.
        if (left < lastRight + Gap)
            continue;
        drawPlotText(image, left, view.height() + 1, label, colour);
        lastRight = left + plotTextWidth(label);
    }

    // Values at the horizontal grid lines in view, right-aligned against the graph.
    const int step = hexScale ? 16 : 10;
    int lastTop = INT_MAX;
    for (int value = 0; lowerPixelOfValue(value) >= 0; value += step) {
        const int y = lowerPixelOfValue(value) - scroll.y();
        if (y < 0 || y >= view.height())
            continue;
        const QString label =
            hexScale ? QString::number(value, 16).toUpper() : QString::number(value);
        setPixel(image, LeftMargin - 2, y, colour);
        setPixel(image, LeftMargin - 1, y, colour);
        const int top = y - PlotTextHeight / 2;
        if (top + PlotTextHeight > lastTop)
            continue;
        drawPlotText(image, LeftMargin - Gap - plotTextWidth(label), top, label, colour);
        lastTop = top;
    }
}

} // namespace Orlenda
