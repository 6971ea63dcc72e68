#include "shared/plottext.h"

#include <array>
#include <cstdint>

namespace Orlenda {

namespace {

constexpr int GlyphTop = 3; // rows above the glyph in its cell
constexpr int GlyphRows = 7;
constexpr int GlyphColumns = 5;

// One row per byte, the leftmost pixel in bit 4.
constexpr std::array<std::array<std::uint8_t, GlyphRows>, 16> kDigits = {{
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E},
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},
    {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02},
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E},
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E},
    {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},
    {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11},
    {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E},
    {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E},
    {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C},
    {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F},
    {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10},
}};

// The glyph of a digit or upper-case hexadecimal letter; -1 for a blank cell.
int glyphOf(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

int plotTextWidth(const QString& text) {
    return int(text.size()) * PlotCharWidth;
}

void drawPlotText(QImage& image, int x, int y, const QString& text, QRgb color) {
    for (QChar c : text) {
        const int digit = glyphOf(c);
        if (digit >= 0) {
            for (int row = 0; row < GlyphRows; ++row) {
                const int py = y + GlyphTop + row;
                if (py < 0 || py >= image.height())
                    continue;
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(py));
                for (int col = 0; col < GlyphColumns; ++col) {
                    const int px = x + col;
                    if ((kDigits[std::size_t(digit)][std::size_t(row)] >> (4 - col) & 1) &&
                        px >= 0 && px < image.width())
                        line[px] = color;
                }
            }
        }
        x += PlotCharWidth;
    }
}

} // namespace Orlenda
