#include "document/traindata.h"
#include "motorsound/motorsoundgraph.h"
#include "motorsound/rubberband.h"

#include <gtest/gtest.h>

using namespace Orlenda;
using Shape = RubberBand::Shape;

namespace {

int changedPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

struct Figure {
    Shape shape;
    QPoint start;
    QPoint end;
    int pixels; // flipped inside the graph
};

} // namespace

TEST(RubberBand, DrawingTheSameFigureTwiceRestoresTheGraph) {
    const QImage graph = MotorSoundGraph::render(defaultMotorSoundTable(), {});
    const Figure figures[] = {
        {Shape::Line, {0, 799}, {799, 0}, 800},     // the widest line
        {Shape::Line, {799, 1}, {0, 799}, 800},     // right to left
        {Shape::Line, {10, 11}, {10, 11}, 1},       // one point
        {Shape::Line, {5, 1}, {8, 701}, 701},       // steep
        {Shape::Line, {100, 101}, {900, 101}, 700}, // leaving the graph
        {Shape::Line, {-50, -50}, {-1, -3}, 0},     // outside it
        {Shape::Columns, {10, 1}, {20, 799}, 22 + 2 * 798},
        {Shape::Columns, {20, 5}, {10, 400}, 22 + 2 * 798},
        {Shape::Columns, {30, 5}, {30, 5}, 800}, // one column
        {Shape::Columns, {790, 5}, {850, 9}, 20 + 798},
    };
    for (const Figure& f : figures) {
        QImage image = graph;
        RubberBand::draw(image, f.shape, f.start, f.end);
        EXPECT_EQ(changedPixels(graph, image), f.pixels) << f.start.x() << "," << f.start.y();
        if (f.pixels > 0 && f.start.x() >= 0 && f.start.x() < 800 && f.start.y() >= 0 &&
            f.start.y() < 800) {
            EXPECT_EQ(image.pixel(f.start) ^ graph.pixel(f.start), 0x00FFFFFFu);
        }
        RubberBand::draw(image, f.shape, f.start, f.end);
        EXPECT_EQ(image, graph) << f.start.x() << "," << f.start.y();
    }
}

TEST(RubberBand, ColumnsSpanTheFullHeightWhateverTheRowsOfThePresses) {
    QImage image = MotorSoundGraph::render(defaultMotorSoundTable(), {});
    const QImage graph = image;
    RubberBand::draw(image, Shape::Columns, {100, 401}, {120, 401});
    for (int y : {0, 1, 400, 798, 799}) {
        EXPECT_NE(image.pixel(100, y), graph.pixel(100, y)) << y;
        EXPECT_NE(image.pixel(120, y), graph.pixel(120, y)) << y;
        EXPECT_EQ(image.pixel(110, y) != graph.pixel(110, y), y == 0 || y == 799) << y;
    }
    RubberBand::draw(image, Shape::None, {100, 401}, {120, 401});
    RubberBand::draw(image, Shape::Columns, {120, 3}, {100, 3});
    EXPECT_EQ(image, graph);
}
