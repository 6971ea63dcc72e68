#include "acceleration/accelerationplot.h"
#include "acceleration/plotreadout.h"
#include "document/traindata.h"
#include "shared/failure.h"
#include "shared/graphpalette.h"
#include "support/scriptedprompter.h"

#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

const TrainConsist kDefaultConsist{35, 1, 30, 1};
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGrid = qRgb(64, 64, 64);
const QRgb kResistance = qRgb(128, 128, 128);
const QRgb kText = qRgb(96, 96, 96);

QRgb palette(int entry) {
    return GraphPalette::color(entry).rgb();
}

class AccelerationPlotTest : public ::testing::Test {
protected:
    const QImage& draw(const PlotChoices& choices = {},
                       const TrainConsist& consist = kDefaultConsist) {
        plot.redraw(table, consist, choices, prompter);
        return plot.image();
    }
    QRgb at(int x, int y) const { return plot.image().pixel(x, y); }
    void expectAt(QRgb color, std::initializer_list<QPoint> points) const {
        for (QPoint p : points)
            EXPECT_EQ(at(p.x(), p.y()), color) << p.x() << "," << p.y();
    }
    int count(QRgb color) const {
        int n = 0;
        for (int y = 0; y < AccelerationPlot::Height; ++y)
            for (int x = 0; x < AccelerationPlot::Width; ++x)
                n += plot.image().pixel(x, y) == color;
        return n;
    }
    // Whether the box holds a pixel of the colour.
    bool any(QRgb color, int left, int top, int right, int bottom) const {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                if (plot.image().pixel(x, y) == color)
                    return true;
        return false;
    }

    AccelerationTable table = defaultAccelerationTable();
    ScriptedPrompter prompter;
    AccelerationPlot plot;
};

} // namespace

TEST_F(AccelerationPlotTest, DefaultNotchLessResistanceAtTheComputedPixels) {
    draw();
    EXPECT_EQ(prompter.count(), 0);
    // 0.6 less 0.040103 at standstill is 56 pixels up; at 25 km/h 0.537 -> 54;
    // at 30 km/h 0.3466 -> 35; at 50 km/h 0.0423 -> 4.
    expectAt(palette(1), {{0, 343}, {50, 345}, {60, 364}, {100, 395}});
    // Joined: every column between two points carries the curve.
    for (int x = 0; x < 100; ++x)
        EXPECT_TRUE(any(palette(1), x, 340, x, 399)) << x;
    // The seven empty notches fall below the bottom edge once the resistance is subtracted.
    for (int entry = 10; entry < GraphPalette::Count; ++entry)
        EXPECT_EQ(count(palette(entry)), 0) << entry;
    EXPECT_EQ(count(kResistance), 0);
}

TEST_F(AccelerationPlotTest, ShowingResistanceDrawsItGreyAndTheCurvesUnreduced) {
    draw({0, AccelerationUnit::KmPerHourPerSecond, false});
    // 0.6 up to 20 km/h, 0.15 at 50, 0.0375 at 100 (3.75 rounds to 4), 0.0167 at 150.
    expectAt(palette(1), {{0, 339}, {40, 339}, {100, 384}, {200, 395}, {300, 397}});
    // 0.040103 and 0.263631 km/h/s to the nearest pixel.
    expectAt(kResistance, {{0, 395}, {2, 395}, {200, 373}});
    // The empty notches lie on the bottom row, the last drawn of them (notch 8) on top.
    expectAt(palette(17), {{301, 399}, {30, 399}});
    EXPECT_EQ(count(palette(12)), 0); // entirely covered by notch 1
}

TEST_F(AccelerationPlotTest, SelectedNotchIsDrawnLastInItsBrightColour) {
    table[2] = table[0];
    draw({2, AccelerationUnit::KmPerHourPerSecond, false});
    expectAt(palette(3), {{0, 339}, {100, 384}});
    EXPECT_EQ(count(palette(1)), 0);
}

TEST_F(AccelerationPlotTest, GridLinesAndNumbersFollowTheUnit) {
    table = {};
    draw({0, AccelerationUnit::KmPerHourPerSecond, true});
    expectAt(kGrid, {{150, 399}, {150, 299}, {150, 199}, {150, 99}});
    expectAt(kGrid, {{0, 150}, {20, 150}, {160, 150}, {300, 150}});
    expectAt(kBlack, {{150, 367}, {21, 150}});
    // Speed numbers centred under their lines at the bottom, values just above theirs.
    EXPECT_TRUE(any(kText, 156, 388, 164, 399));
    EXPECT_FALSE(any(kText, 166, 388, 174, 399));
    EXPECT_TRUE(any(kText, 2, 288, 7, 298));
    EXPECT_FALSE(any(kText, 0, 300, 319, 387));

    draw({0, AccelerationUnit::KgfPerTonne, true});
    // Every 10 kgf/t is 32.09 pixels: 367, 335, 303, ... up to 120 kgf/t at 14.
    expectAt(kGrid, {{150, 367}, {150, 335}, {150, 303}, {150, 14}});
    expectAt(kBlack, {{150, 366}, {150, 334}, {150, 299}, {150, 13}});
}

TEST_F(AccelerationPlotTest, ZeroMassAsksOnceAndDrawsWhatItCan) {
    const TrainConsist noCars{35, 0, 30, 0};
    draw({}, noCars);
    // The question's words are pinned by the command line's plot test, No by the window's.
    ASSERT_EQ(prompter.count(), 1);
    for (int entry = 1; entry < GraphPalette::Count; ++entry) // 9 is the grid's grey
        EXPECT_EQ(entry == 9 ? 0 : count(palette(entry)), 0) << entry;

    // Showing the resistance instead: the curves need no mass.
    draw({0, AccelerationUnit::KmPerHourPerSecond, false}, noCars);
    EXPECT_EQ(prompter.count(), 2);
    EXPECT_EQ(at(100, 384), palette(1));
    EXPECT_EQ(count(kResistance), 0);
}

TEST_F(AccelerationPlotTest, PointsThatCannotBeComputedAreLeftOut) {
    // A negative second speed from a file divides by zero at standstill only.
    table[0] = {0.6f, 0.6f, 0, -1, 2.0f};
    draw({0, AccelerationUnit::KmPerHourPerSecond, false});
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_FALSE(any(palette(1), 0, 0, 1, 399));
    expectAt(palette(1), {{2, 339}, {4, 384}});

    // A value whose height does not fit a 16-bit coordinate.
    table[0] = {400.0f, 400.0f, 10, 10, 2.0f};
    draw({0, AccelerationUnit::KmPerHourPerSecond, false});
    EXPECT_EQ(prompter.count(), 2);
    EXPECT_TRUE(prompter.questions().at(1).text.startsWith(failureDescription(Failure::Overflow)));
}

TEST(AccelerationPlotRows, HundredPixelsPerUnitHalvesToEvenWithinSixteenBits) {
    for (auto [value, row] :
         {std::pair{0.0f, 399}, {0.6f, 339}, {0.125f, 387}, {0.375f, 361}, {-320.0f, 32399}})
        EXPECT_EQ(AccelerationPlot::rowOf(value), row) << value;
    EXPECT_THROW(AccelerationPlot::rowOf(400.0f), StepFailure);
    EXPECT_THROW(AccelerationPlot::rowOf(-324.0f), StepFailure);
}

TEST(AccelerationReadout, SelectedCurveAtTheNearestWholeSpeedInTheUnit) {
    const AccelerationTable table = defaultAccelerationTable();
    PlotChoices gross{0, AccelerationUnit::KmPerHourPerSecond, false};
    // Above 25 km/h notch 1 falls as 375 / v^2; pixel 199 and 201 are both nearest 100 km/h.
    for (int x : {199, 200, 201})
        EXPECT_EQ(plotReadoutText(x, 396, table, kDefaultConsist, gross).section("  ", 1),
                  QStringLiteral("曲線 0.038"))
            << x;
    EXPECT_EQ(plotReadoutText(203, 276, table, kDefaultConsist, gross),
              QStringLiteral(" 101.5, 1.23  曲線 0.036"));
    gross.unit = AccelerationUnit::KgfPerTonne;
    EXPECT_EQ(plotReadoutText(200, 399, table, kDefaultConsist, gross),
              QStringLiteral(" 100, 0  曲線 1.17"));
    // Net of the resistance, about 0.040 at standstill; nothing for a train without mass.
    EXPECT_NEAR(*curveValueAt(0, table, kDefaultConsist, {}), 0.56, 0.001);
    EXPECT_EQ(plotReadoutText(0, 399, table, TrainConsist{}, {}), QStringLiteral(" 0, 0"));
    gross.selectedNotch = 1; // a zero notch reads 0
    EXPECT_EQ(*curveValueAt(0, table, TrainConsist{}, gross), 0);
}

TEST_F(AccelerationPlotTest, FailingCoefficientLeavesOutOnlyTheSpeedsThatNeedIt) {
    // 20^1e30 overflows: the characteristic region is lost, the linear one is not.
    table[0] = {1.0f, 1.0f, 20, 20, 1e30f};
    draw({0, AccelerationUnit::KmPerHourPerSecond, false});
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_TRUE(prompter.questions().at(0).text.startsWith(failureDescription(Failure::Overflow)));
    for (int x = 0; x <= 40; ++x)
        EXPECT_EQ(at(x, 299), palette(1)) << x;
    EXPECT_FALSE(any(palette(1), 41, 0, 319, 399));
}

TEST_F(AccelerationPlotTest, ReferenceIsDashedInItsNotchColourUnderTheDocumentsCurves) {
    // Notch 3 of the reference in notch 3's bright colour, which the
    // document's notch 3 shows only when selected.
    const QRgb third = AccelerationPlot::referenceColor(2).rgb();
    EXPECT_EQ(third, palette(3));
    plot.setReference(ReferenceCurves{table, kDefaultConsist});
    draw({0, AccelerationUnit::KmPerHourPerSecond, false});
    // The same train: every dash lies under the document's curves.
    EXPECT_EQ(count(third), 0);

    ReferenceCurves other{table, kDefaultConsist};
    other.table[2] = {1.0f, 1.0f, 60, 60, 2.0f};
    plot.setReference(other);
    draw({0, AccelerationUnit::KmPerHourPerSecond, false});
    int dashes = 0;
    for (int x = 0; x <= 120; ++x)
        dashes += at(x, 299) == third;
    EXPECT_GT(dashes, 40);
    EXPECT_LT(dashes, 100);
    EXPECT_EQ(prompter.count(), 0);

    // A reference without mass is never asked about; net curves of it are left out.
    plot.setReference(ReferenceCurves{other.table, {35, 0, 30, 0}});
    draw();
    EXPECT_EQ(count(third), 0);
    EXPECT_EQ(prompter.count(), 0);
}
