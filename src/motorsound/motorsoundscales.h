#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

namespace Orlenda {

// The scales beside the visible part of the motor-sound graph, outside its
// 800 x 800 image: speed numbers every 10 km/h under it and value numbers at
// its horizontal grid lines left of it (hexadecimal with the hexadecimal
// scale), each with a tick, placed for the view's scroll position.
class MotorSoundScales {
public:
    static constexpr int LeftMargin = 24;
    static constexpr int BottomMargin = 14;

    // An image of LeftMargin + view width by view height + BottomMargin;
    // the graph's place, (LeftMargin, 0) with the view's size, stays black.
    // scroll is the graph pixel at the view's top-left.
    static QImage render(QSize view, QPoint scroll, bool hexScale);
    static void paint(QImage& image, QSize view, QPoint scroll, bool hexScale);

    static QRgb textColor() { return qRgb(192, 192, 192); }
};

} // namespace Orlenda
