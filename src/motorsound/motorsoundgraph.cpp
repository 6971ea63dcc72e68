#include "motorsound/motorsoundgraph.h"

#include "motorsound/motorsoundgeometry.h"
#include "shared/graphpalette.h"

#include <algorithm>
#include <array>

namespace Orlenda {

namespace {

// Pixels are written straight into the scan lines: every mark is one or two
// pixels, and a painter per pixel would cost many times the whole redraw.
class Canvas {
public:
    explicit Canvas(QImage& image) : mBits(image.bits()), mStride(image.bytesPerLine()) {}

    QRgb* line(int y) const { return reinterpret_cast<QRgb*>(mBits + qsizetype(y) * mStride); }

    void set(int x, int y, QRgb colour) const {
        if (x >= 0 && x < GraphWidth && y >= 0 && y < GraphHeight)
            line(y)[x] = colour;
    }

private:
    uchar* mBits;
    qsizetype mStride;
};

// Colours of the sound indices from silence up, at palette entries 0 to 8;
// offset 9 picks the dark twins. Any other index is drawn in the unknown colour.
void paintTrack(const Canvas& canvas, const MotorSoundTrack& track, int offset) {
    std::array<QRgb, LargestSoundIndex - SilentSoundIndex + 1> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = GraphPalette::color(offset + int(i)).rgb();
    const QRgb unknown = MotorSoundGraph::unknownIndexColor().rgb();
    for (int r = 0; r < MotorSoundRows; ++r) {
        const MotorSoundEntry& e = track[std::size_t(r)];
        const QRgb c = (e.index >= SilentSoundIndex && e.index <= LargestSoundIndex)
                           ? colours[std::size_t(e.index - SilentSoundIndex)]
                           : unknown;
        canvas.set(r, lowerPixelOfValue(e.volume), c);
        const int pitchY = lowerPixelOfValue(e.pitch);
        canvas.set(r, pitchY - 1, c);
        canvas.set(r, pitchY, c);
    }
}

int validTrack(int track) {
    return std::clamp(track, 0, TrackCount - 1);
}

} // namespace

QImage MotorSoundGraph::render(const MotorSoundTable& table, const MotorSoundView& view) {
    QImage image;
    paint(image, table, view);
    return image;
}

void MotorSoundGraph::paint(QImage& image, const MotorSoundTable& table,
                            const MotorSoundView& view) {
    if (image.size() != QSize(GraphWidth, GraphHeight) || image.format() != QImage::Format_RGB32)
        image = QImage(GraphWidth, GraphHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    const Canvas canvas(image);
    const QRgb grid = gridColor().rgb();

    for (int y = 0; y < GraphHeight; ++y) {
        QRgb* line = canvas.line(y);
        for (int x = 0; x < GraphWidth; x += RowsPerSpeedLine)
            line[x] = grid;
    }
    const int step = view.hexScale ? 32 : 20;
    for (int y = GraphHeight - 1; y >= 0; y -= step)
        std::fill_n(canvas.line(y), GraphWidth, grid);

    paintTrack(canvas, table.tracks[std::size_t(validTrack(view.previousTrack))], 9);
    paintTrack(canvas, table.tracks[std::size_t(validTrack(view.currentTrack))], 0);
}

} // namespace Orlenda
