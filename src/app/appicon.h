#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QList>

namespace Orlenda {

// The application icon is the version window's logo, so the menu, the file
// manager, the window frames and the version window all show one drawing.

// The pixel sizes installed in the icon theme.
QList<int> iconSizes();

// The logo at size x size pixels: enlarged pixel by pixel to the next whole
// multiple and then smoothed down, so lines stay crisp at every size.
QImage iconImage(int size);

// The logo as scalable art: one rectangle per run of equal pixels in a row.
QByteArray iconSvg();

// Every installed size, for the windows' frames and task bar.
QIcon applicationIcon();

} // namespace Orlenda
