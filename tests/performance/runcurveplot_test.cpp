#include "document/traindata.h"
#include "performance/runcurveplot.h"
#include "shared/graphpalette.h"

#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

QRgb notchColour(int notch) {
    return GraphPalette::color(notch + 1).rgb();
}

int count(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

// The new document with notches 4 and 8 that pull harder than its notch 1.
PerformanceTrain strongerTrain() {
    PerformanceTrain train = performanceTrain(TrainData());
    train.table[3] = {1.5f, 1.2f, 40, 60, 2.0f};
    train.table[7] = {2.5f, 2.2f, 50, 70, 2.0f};
    return train;
}

} // namespace

TEST(RunCurvePlot, DrawsEachChosenNotchInItsColourToTheEndOfTheLongestRun) {
    const PerformanceTrain train = strongerTrain();
    RunCurvePlot plot;
    plot.redraw(train, {{0, 3, 7}, 0, 20, QStringLiteral("a.dat")});
    const QImage& image = plot.image();
    for (int notch : {0, 3, 7})
        EXPECT_GT(count(image, notchColour(notch)), 50) << notch;
    EXPECT_EQ(count(image, notchColour(1)), 0);

    // The time axis ends in the last step of the slowest run (notch 1, about 520 s).
    EXPECT_NE(image.pixel(plot.columnOf(500), RunCurvePlot::rowOf(55)), qRgb(0, 0, 0));
    EXPECT_GT(plot.columnOf(600), RunCurvePlot::Right - 60);

    EXPECT_EQ(image.text(QStringLiteral("Title")), QStringLiteral("a.dat"));
    EXPECT_EQ(image.text(QStringLiteral("Description")),
              QStringLiteral("ノッチ 1,4,8、勾配 0.0 ‰、ブレーキ初速 20 km/h。"
                             "縦: 速度 [km/h]、横: 時間 [s]"));

    // The read-out names the run point nearest to the pointer.
    const std::optional<RunPoint> start =
        plot.nearestRunPoint({RunCurvePlot::Left - 5, RunCurvePlot::Bottom + 3});
    ASSERT_TRUE(start);
    EXPECT_EQ(start->speed, 0);
    EXPECT_EQ(start->time, 0);
    EXPECT_EQ(runPointText({3, 12.34, 45, 123.4}),
              QStringLiteral("ノッチ 4　12.3 s　45 km/h　123 m"));
}

TEST(RunCurvePlot, ReferenceRunsAreDashedInTheSameColoursUnderTheDocuments) {
    PerformanceTrain train = strongerTrain();
    const PerformanceTrain reference = train;
    train.table[3] = {1.0f, 0.9f, 40, 60, 2.0f};
    RunCurvePlot plot;
    plot.redraw(train, {{3}, 0, 20, {}});
    const int alone = count(plot.image(), notchColour(3));
    // The same train lies under the document's runs.
    plot.redraw(train, {{3}, 0, 20, {}}, &train);
    EXPECT_EQ(count(plot.image(), notchColour(3)), alone);
    plot.redraw(train, {{3}, 0, 20, {}}, &reference);
    const int both = count(plot.image(), notchColour(3));
    EXPECT_GT(both, alone + 20);
    // Dashed: at most about half of the reference's own solid line.
    RunCurvePlot solid;
    solid.redraw(reference, {{3}, 0, 20, {}});
    EXPECT_LT(both - alone, count(solid.image(), notchColour(3)) * 2 / 3);
}

TEST(RunCurvePlot, BrakingFollowsTheGradeAndStartsInsideThePlot) {
    const PerformanceTrain train = performanceTrain(TrainData());
    const QRgb white = RunCurvePlot::brakingColor().rgb();
    RunCurvePlot plot;
    // New document: 4 km/h/s with 0.8 s delay; +10 per mille adds 0.32094 km/h/s.
    for (auto [grade, end] : {std::pair{0.0, 25.8}, std::pair{10.0, 23.943}}) {
        plot.redraw(train, {{0}, grade, 100, {}});
        EXPECT_EQ(plot.image().pixel(plot.columnOf(end), RunCurvePlot::Bottom), white) << grade;
        EXPECT_NE(plot.image().pixel(plot.columnOf(end) + 2, RunCurvePlot::Bottom), white);
    }
    plot.redraw(train, {{0}, 0, 160, {}});
    const int top = RunCurvePlot::rowOf(160);
    EXPECT_NE(plot.image().pixel(RunCurvePlot::Left, top), white);
    EXPECT_EQ(plot.image().pixel(RunCurvePlot::Left + 1, top), white);
}
