#include "motorsound/rubberband.h"

#include <algorithm>
#include <cstdlib>

namespace Orlenda {

namespace {

constexpr QRgb XorWhite = 0x00FFFFFF;

class XorCanvas {
public:
    explicit XorCanvas(QImage& image)
        : mBits(image.bits()), mStride(image.bytesPerLine()), mWidth(image.width()),
          mHeight(image.height()) {}

    void flip(int x, int y) const {
        if (x >= 0 && x < mWidth && y >= 0 && y < mHeight)
            reinterpret_cast<QRgb*>(mBits + qsizetype(y) * mStride)[x] ^= XorWhite;
    }
    int width() const { return mWidth; }
    int height() const { return mHeight; }

private:
    uchar* mBits;
    qsizetype mStride;
    int mWidth;
    int mHeight;
};

void drawColumns(const XorCanvas& canvas, int x1, int x2) {
    const int left = std::min(x1, x2);
    const int right = std::max(x1, x2);
    const int bottom = canvas.height() - 1;
    const int first = std::max(left, 0);
    const int last = std::min(right, canvas.width() - 1);
    for (int x = first; x <= last; ++x) {
        canvas.flip(x, 0);
        if (bottom != 0)
            canvas.flip(x, bottom);
    }
    for (int y = 1; y < bottom; ++y) {
        canvas.flip(left, y);
        if (right != left)
            canvas.flip(right, y);
    }
}

// Bresenham: both ends included, every pixel once.
void drawLine(const XorCanvas& canvas, QPoint a, QPoint b) {
    int x = a.x();
    int y = a.y();
    const int dx = std::abs(b.x() - x);
    const int dy = -std::abs(b.y() - y);
    const int sx = x < b.x() ? 1 : -1;
    const int sy = y < b.y() ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        canvas.flip(x, y);
        if (x == b.x() && y == b.y())
            return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

} // namespace

void RubberBand::draw(QImage& image, Shape shape, QPoint start, QPoint end) {
    if (image.isNull() || image.depth() != 32)
        return;
    const XorCanvas canvas(image);
    switch (shape) {
    case Shape::None:
        return;
    case Shape::Columns:
        drawColumns(canvas, start.x(), end.x());
        return;
    case Shape::Line:
        drawLine(canvas, start, end);
        return;
    }
}

} // namespace Orlenda
