#include "document/traindata.h"
#include "motorsound/motorsoundgeometry.h"
#include "motorsound/motorsoundgraph.h"
#include "motorsound/motorsoundreadout.h"
#include "shared/graphpalette.h"

#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

QRgb entry(int n) {
    return GraphPalette::color(n).rgb();
}
const QRgb kBlack = QColor(Qt::black).rgb();
const QRgb kGrid = QColor(64, 64, 64).rgb();

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y);
}

// Pixel rows of the horizontal grid, top to bottom.
QList<int> horizontalGridRows(const QImage& image) {
    QList<int> rows;
    for (int y = 0; y < GraphHeight; ++y) {
        if (at(image, 51, y) == kGrid && at(image, 799, y) == kGrid)
            rows.append(y);
    }
    return rows;
}

} // namespace

TEST(MotorSoundGraph, NewDocumentShowsP1InEntryOneOverTheGrid) {
    const MotorSoundTable table = defaultMotorSoundTable();
    const QImage image = MotorSoundGraph::render(table, {});
    ASSERT_EQ(image.size(), QSize(800, 800));

    // Pitch flat at value 10 up to row 47, then rising to 178 at row 799.
    for (int r = 0; r <= 47; ++r) {
        EXPECT_EQ(at(image, r, 779), entry(1)) << r;
        EXPECT_EQ(at(image, r, 778), entry(1)) << r;
    }
    EXPECT_NE(at(image, 48, 779), entry(1));
    EXPECT_EQ(at(image, 799, 799 - 2 * 178), entry(1));
    EXPECT_EQ(at(image, 799, 798 - 2 * 178), entry(1));
    // Volume 127 in the lower pixel of its cell only (the pitch passes 127 near row 570).
    for (int r = 0; r < 800; ++r) {
        EXPECT_EQ(at(image, r, 799 - 254), entry(1)) << r;
        if (table[Track::P1][r].pitch != 127) {
            ASSERT_NE(at(image, r, 798 - 254), entry(1)) << r;
        }
    }
    // P2 (silent, pitch 100, volume 0) is not drawn: the bottom row is grid, the pitch row black.
    EXPECT_EQ(at(image, 7, 598), kBlack);
    EXPECT_EQ(at(image, 7, 799), kGrid);

    // Grid: every 50 columns, every 20 pixel rows up from the bottom.
    EXPECT_EQ(at(image, 50, 3), kGrid);
    EXPECT_EQ(at(image, 750, 3), kGrid);
    EXPECT_EQ(at(image, 51, 3), kBlack);
    const QList<int> rows = horizontalGridRows(image);
    ASSERT_EQ(rows.size(), 40);
    EXPECT_EQ(rows.first(), 19);
    EXPECT_EQ(rows.last(), 799);
}

TEST(MotorSoundGraph, PreviousTrackInDarkEntriesBehindTheCurrent) {
    MotorSoundTable table = defaultMotorSoundTable();
    table[Track::P2][5] = table[Track::P1][5]; // same marks: the current one wins
    table[Track::P2][5].index = 3;
    table[Track::P1][6].index = 7;

    const QImage p2OverP1 = MotorSoundGraph::render(table, {1, 0, false});
    EXPECT_EQ(at(p2OverP1, 0, 779), entry(10)); // P1 pitch, index 0, dark
    EXPECT_EQ(at(p2OverP1, 6, 779), entry(17)); // index 7, dark
    EXPECT_EQ(at(p2OverP1, 0, 599), entry(0));  // P2 pitch 100, silent, bright grey
    EXPECT_EQ(at(p2OverP1, 5, 779), entry(4));  // P2 drawn over P1 in the same cell
    EXPECT_EQ(at(p2OverP1, 5, 545), entry(4));

    const QImage p1OverP2 = MotorSoundGraph::render(table, {0, 1, false});
    EXPECT_EQ(at(p1OverP2, 0, 599), entry(9));
    EXPECT_EQ(at(p1OverP2, 0, 779), entry(1));
    EXPECT_EQ(at(p1OverP2, 5, 779), entry(1));

    // One track as both: only the bright colours remain.
    const QImage same = MotorSoundGraph::render(table, {0, 0, false});
    EXPECT_EQ(at(same, 6, 779), entry(8));
}

TEST(MotorSoundGraph, HexadecimalScaleDrawsTheGridEvery32Rows) {
    const QImage image = MotorSoundGraph::render(defaultMotorSoundTable(), {0, 0, true});
    const QList<int> rows = horizontalGridRows(image);
    ASSERT_EQ(rows.size(), 25);
    EXPECT_EQ(rows.first(), 31);
    EXPECT_EQ(rows.at(1), 63);
    EXPECT_EQ(rows.last(), 799);
}

TEST(MotorSoundGraph, IndexesAndValuesWithoutPlaceStayInsideTheImageAndPalette) {
    MotorSoundTable table{};
    for (MotorSoundTrack& track : table.tracks)
        track.fill({0, 0, -1});
    MotorSoundTrack& p1 = table[Track::P1];
    p1[10] = {50, 60, 8};
    p1[11] = {50, 60, -2};
    p1[12] = {50, 60, 32767};
    p1[13] = {50, 60, -32768};
    p1[14] = {-1, 400, 0};       // both marks above or below the image
    p1[15] = {32767, -32768, 0}; // far off
    p1[16] = {399, 0, 0};        // the top cell
    table[Track::P2][20] = {50, 60, 9};

    const QImage image = MotorSoundGraph::render(table, {0, 1, false});
    const QRgb grey = MotorSoundGraph::unknownIndexColor().rgb();
    for (int r = 10; r <= 13; ++r) {
        EXPECT_EQ(at(image, r, 699), grey) << r;
        EXPECT_EQ(at(image, r, 679), grey) << r;
    }
    EXPECT_EQ(at(image, 20, 699), grey); // the previous track uses the same grey
    for (int n = 0; n < GraphPalette::Count; ++n)
        EXPECT_NE(grey, entry(n));
    EXPECT_EQ(at(image, 14, 0), kBlack);
    EXPECT_EQ(at(image, 14, 1), kBlack);
    EXPECT_EQ(at(image, 16, 0), entry(1));
    EXPECT_EQ(at(image, 16, 1), entry(1));
}

TEST(MotorSoundGeometry, ColumnsRoundHalfToEvenAndRowsSnapToTheLowerPixel) {
    EXPECT_EQ(graphColumn(100.5), 100);
    EXPECT_EQ(graphColumn(101.5), 102);
    EXPECT_EQ(graphColumn(-0.5), 0);
    EXPECT_EQ(snappedGraphY(0), 1);
    EXPECT_EQ(snappedGraphY(1), 1);
    EXPECT_EQ(snappedGraphY(2), 3);
    EXPECT_EQ(snappedGraphY(799), 799);
    EXPECT_EQ(snappedGraphY(-1), -1);
    EXPECT_EQ(valueOfSnappedY(1), 399);
    EXPECT_EQ(valueOfSnappedY(799), 0);
    // A press at the very edge of a scaled screen still lands on the graph.
    EXPECT_EQ(graphPressPoint(799.5, 800), QPoint(799, 799));
    EXPECT_EQ(graphPressPoint(-0.6, -3), QPoint(0, 1));
}

TEST(MotorSoundReadout, SpeedAndValueUnderThePointer) {
    EXPECT_EQ(motorSoundReadout(0, 0, false), QStringLiteral(" 0, 399"));
    EXPECT_EQ(motorSoundReadout(799, 799, false), QStringLiteral(" 159.8, 0"));
    EXPECT_EQ(motorSoundReadout(62, 299, false), QStringLiteral(" 12.4, 250"));
    EXPECT_EQ(motorSoundReadout(3, 3, false), QStringLiteral(" 0.6, 398"));
    EXPECT_EQ(motorSoundReadout(60, 545, true), QStringLiteral(" 12, 7F"));
    EXPECT_EQ(motorSoundReadout(60, 544, true), QStringLiteral(" 12, 7F"));
}
