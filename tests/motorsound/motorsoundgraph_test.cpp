#include "document/traindata.h"
#include "motorsound/motorsoundgeometry.h"
#include "motorsound/motorsoundgraph.h"
#include "motorsound/motorsoundreadout.h"
#include "motorsound/motorsoundscales.h"
#include "motorsound/motorsoundtools.h"
#include "motorsound/rubberband.h"
#include "shared/graphpalette.h"

#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

QRgb entry(int n) {
    return GraphPalette::color(n).rgb();
}
const QRgb kBlack = QColor(Qt::black).rgb();
const QRgb kGrid = QColor(64, 64, 64).rgb();

QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

// Pixel rows of the horizontal grid, found where no track mark lies.
QList<int> gridRows(const QImage& image) {
    QList<int> rows;
    for (int y = 0; y < GraphHeight; ++y)
        if (image.pixel(51, y) == kGrid && image.pixel(799, y) == kGrid)
            rows.append(y);
    return rows;
}

} // namespace

TEST(MotorSoundGraph, NewDocumentShowsP1InEntryOneOverTheDecimalGrid) {
    const MotorSoundTable table = defaultMotorSoundTable();
    const QImage image = MotorSoundGraph::render(table, {});
    ASSERT_EQ(image.size(), QSize(800, 800));
    // Pitch: the whole cell; volume 127: the lower pixel only.
    for (int r = 0; r < 800; ++r) {
        const int p = table[Track::P1][r].pitch;
        EXPECT_EQ(image.pixel(r, 798 - 2 * p), entry(1)) << r;
        EXPECT_EQ(image.pixel(r, 799 - 2 * p), entry(1)) << r;
        EXPECT_EQ(image.pixel(r, 545), entry(1)) << r;
        if (p != 127) {
            ASSERT_NE(image.pixel(r, 544), entry(1)) << r;
        }
    }
    EXPECT_EQ(image.pixel(7, 598), kBlack); // P2 is not drawn
    EXPECT_EQ(image.pixel(50, 3), kGrid);
    EXPECT_EQ(image.pixel(51, 3), kBlack);
    const QList<int> rows = gridRows(image);
    EXPECT_EQ(rows.size(), 40);
    EXPECT_EQ(rows.first(), 19);
    EXPECT_EQ(rows.last(), 799);

    const QList<int> hexRows = gridRows(MotorSoundGraph::render(table, {0, 0, true}));
    EXPECT_EQ(hexRows.size(), 25);
    EXPECT_EQ(hexRows.mid(0, 2), QList<int>({31, 63}));
}

TEST(MotorSoundGraph, PreviousTrackInDarkEntriesBehindTheCurrent) {
    MotorSoundTable table = defaultMotorSoundTable();
    table[Track::P2][5] = {10, 127, 3}; // the same cells as P1's row 5
    table[Track::P1][6].index = 7;

    const QImage p2OverP1 = MotorSoundGraph::render(table, {1, 0, false});
    EXPECT_EQ(p2OverP1.pixel(0, 779), entry(10));
    EXPECT_EQ(p2OverP1.pixel(6, 779), entry(17));
    EXPECT_EQ(p2OverP1.pixel(0, 598), entry(0)); // P2 is silent
    EXPECT_EQ(p2OverP1.pixel(5, 779), entry(4));
    EXPECT_EQ(p2OverP1.pixel(5, 545), entry(4));
    const QImage p1OverP2 = MotorSoundGraph::render(table, {0, 1, false});
    EXPECT_EQ(p1OverP2.pixel(0, 598), entry(9));
    EXPECT_EQ(p1OverP2.pixel(5, 779), entry(1));
    EXPECT_EQ(MotorSoundGraph::render(table, {0, 0, false}).pixel(6, 779), entry(8));
}

TEST(MotorSoundGraph, IndexesWithoutColourAndValuesOffTheGraphAreSafe) {
    MotorSoundTable table{};
    MotorSoundTrack& p1 = table[Track::P1];
    const std::int16_t odd[] = {8, -2, 32767, -32768};
    for (int i = 0; i < 4; ++i)
        p1[10 + i] = {50, 60, odd[i]};
    p1[14] = {-1, 400, 0};
    p1[15] = {32767, -32768, 0};
    p1[16] = {399, 0, 0};
    table[Track::P2][20] = {50, 60, 9};

    const QImage image = MotorSoundGraph::render(table, {0, 1, false});
    const QRgb grey = MotorSoundGraph::unknownIndexColor().rgb();
    for (int r : {10, 11, 12, 13, 20}) {
        EXPECT_EQ(image.pixel(r, 699), grey) << r;
        EXPECT_EQ(image.pixel(r, 679), grey) << r;
    }
    for (int n = 0; n < GraphPalette::Count; ++n)
        EXPECT_NE(grey, entry(n));
    EXPECT_EQ(image.pixel(14, 1), kBlack);
    EXPECT_EQ(image.pixel(16, 0), entry(1));
}

TEST(MotorSoundGraph, RubberBandDrawnTwiceRestoresTheImage) {
    const QImage graph = MotorSoundGraph::render(defaultMotorSoundTable(), {});
    using enum RubberBand::Shape;
    // Shape, start, end, and the pixels it changes.
    const std::tuple<RubberBand::Shape, QPoint, QPoint, int> figures[] = {
        {Line, {0, 799}, {799, 0}, 800},      {Line, {799, 1}, {0, 799}, 800},
        {Line, {10, 11}, {10, 11}, 1},        {Line, {5, 1}, {8, 701}, 701},
        {Line, {100, 101}, {900, 101}, 700},  {Line, {-50, -50}, {-1, -3}, 0},
        {Columns, {20, 5}, {10, 400}, 22 + 2 * 798}, {Columns, {30, 5}, {30, 5}, 800},
        {Columns, {790, 5}, {850, 9}, 20 + 798}};
    for (const auto& [shape, start, end, pixels] : figures) {
        QImage image = graph;
        RubberBand::draw(image, shape, start, end);
        int changed = 0;
        for (int y = 0; y < 800; ++y)
            for (int x = 0; x < 800; ++x)
                changed += image.pixel(x, y) != graph.pixel(x, y);
        EXPECT_EQ(changed, pixels) << start.x() << "," << start.y();
        // White in exclusive-or; the full height of the columns whatever the rows pressed.
        const QPoint first(start.x(), shape == Line ? start.y() : 799);
        if (pixels > 0) {
            EXPECT_EQ(image.pixel(first) ^ graph.pixel(first), 0x00FFFFFFu);
        }
        RubberBand::draw(image, shape, start, end);
        EXPECT_EQ(image, graph);
    }
}

TEST(MotorSoundGraph, PositionsAndReadOut) {
    EXPECT_EQ(graphColumn(100.5), 100);
    EXPECT_EQ(graphColumn(101.5), 102);
    EXPECT_EQ(QList<int>({snappedGraphY(0), snappedGraphY(1), snappedGraphY(2)}),
              QList<int>({1, 1, 3}));
    EXPECT_EQ(valueOfSnappedY(1), 399);
    EXPECT_EQ(valueOfSnappedY(799), 0);
    // A press at the very edge of a scaled screen still lands on the graph.
    EXPECT_EQ(graphPressPoint(799.5, 800), QPoint(799, 799));
    EXPECT_EQ(graphPressPoint(-0.6, -3), QPoint(0, 1));
}

TEST(MotorSoundReadout, StoredRowUnderThePointerAndWhatAnEditWouldWrite) {
    MotorSoundTrack track{};
    track[213] = {85, 127, 3};
    track[0] = {-5, 0, -1};
    EXPECT_EQ(motorSoundRowReadout(track, 213.4, 5, false),
              QStringLiteral("42.6 km/h 音 3 ピッチ 85 音量 127"));
    EXPECT_EQ(motorSoundRowReadout(track, 213, 799, true),
              QStringLiteral("42.6 km/h 音 0x3 ピッチ 0x55 音量 0x7F"));
    EXPECT_EQ(motorSoundRowReadout(track, 0, 0, true),
              QStringLiteral("0.0 km/h 音 無音 ピッチ -0x5 音量 0x0"));
    EXPECT_EQ(motorSoundRowReadout(track, 800, 10, false), QString());
    EXPECT_EQ(motorSoundRowReadout(track, 10, -1, false), QString());

    // The pitch line's value at the pointer, after the tool's lowest pitch;
    // in the first press's column the first press's value.
    const QPoint start(100, lowerPixelOfValue(50));
    const MotorSoundEdit pitch{MotorSoundTool::Pitch, start, QPoint(145, lowerPixelOfValue(4))};
    EXPECT_EQ(motorSoundEditReadout(pitch, false), QStringLiteral("29.0 km/h ← ピッチ 10"));
    const MotorSoundEdit same{MotorSoundTool::Volume, start, QPoint(100, lowerPixelOfValue(300))};
    EXPECT_EQ(motorSoundEditReadout(same, true), QStringLiteral("20.0 km/h ← 音量 0x32"));
    EXPECT_EQ(motorSoundEditReadout({MotorSoundTool::Index, start, QPoint(7, 1), -1}, false),
              QStringLiteral("1.4 km/h ← 音 無音"));
    EXPECT_EQ(motorSoundEditReadout({MotorSoundTool::Copy, start, QPoint(7, 1)}, false),
              QStringLiteral("1.4〜20.0 km/h"));
}

TEST(MotorSoundScales, NumbersFollowTheScrollPositionOutsideTheGraph) {
    using S = MotorSoundScales;
    const QSize view(400, 400);
    const QImage start = S::render(view, {0, 400}, false);
    ASSERT_EQ(start.size(), QSize(S::LeftMargin + 400, 400 + S::BottomMargin));
    // The graph's place stays black: the numbers are only in the margins.
    EXPECT_EQ(start.copy(S::LeftMargin, 0, 400, 400), blankImage(400, 400));
    // Scrolled 50 rows right, "10" under row 50 moves 50 pixels left, to the
    // place of "0"; the value numbers stay.
    const QImage scrolled = S::render(view, {50, 400}, false);
    const QRect speedTen(S::LeftMargin + 50 - 8, 403, 16, S::BottomMargin - 3);
    EXPECT_EQ(scrolled.copy(speedTen.translated(-50, 0)), start.copy(speedTen));
    EXPECT_NE(start.copy(speedTen.translated(-50, 0)), start.copy(speedTen));
    EXPECT_EQ(scrolled.copy(0, 0, S::LeftMargin, 400), start.copy(0, 0, S::LeftMargin, 400));
    // Value 20 sits at pixel row 759, 359 in a view scrolled to 400; hex moves the lines.
    const QRect valueTwenty(0, 359 - 6, S::LeftMargin, 12);
    EXPECT_NE(start.copy(valueTwenty), blankImage(S::LeftMargin, 12));
    EXPECT_EQ(S::render(view, {0, 390}, false).copy(valueTwenty.translated(0, 10)),
              start.copy(valueTwenty));
    EXPECT_NE(S::render(view, {0, 400}, true).copy(0, 0, S::LeftMargin, 400),
              start.copy(0, 0, S::LeftMargin, 400));
}
