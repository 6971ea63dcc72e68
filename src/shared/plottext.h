#pragma once

#include <QImage>
#include <QString>

namespace Orlenda {

// The plot's axis numbers come from a built-in 5 x 7 pixel face in a 6 x 12
// cell (the size of a 9 point UI font's digits), so the picture is the same
// on every machine, with or without a display, and needs no font system.
inline constexpr int PlotTextHeight = 12;
inline constexpr int PlotCharWidth = 6;

int plotTextWidth(const QString& text);

// Sets the pixels of the text's digits and upper-case hexadecimal letters with
// the cell's top-left at (x, y); parts outside the image are left out. Other
// characters leave a blank cell.
void drawPlotText(QImage& image, int x, int y, const QString& text, QRgb color);

} // namespace Orlenda
