#include "acceleration/notchcurve.h"
#include "acceleration/notchrules.h"
#include "acceleration/trainconsist.h"
#include "support/documenttests.h"

#include <QList>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

float at(const AccelerationRow& row, int v) {
    return notchAcceleration(row, makeNotchCurve(row), v);
}

void expectCurve(const AccelerationRow& row, std::initializer_list<std::pair<int, float>> points) {
    for (const auto& [v, expected] : points)
        EXPECT_EQ(at(row, v), expected) << row.speed1 << "/" << row.speed2 << " at " << v;
}

const TrainConsist kDefaultConsist{35, 1, 30, 1};

} // namespace

TEST(AccelerationCurve, RegionBoundariesBelongToTheLowerRegionAndZeroRowsStayFinite) {
    // Linear up to speed1, constant power up to speed2, then 1/v^curve.
    expectCurve({0.6f, 0.6f, 25, 25, 2.0f},
                {{0, 0.6f}, {25, 0.6f}, {26, 375.0f / (26 * 26)}, {50, 0.15f}, {100, 0.0375f}});
    expectCurve({1.0f, 0.5f, 20, 40, 2.0f},
                {{0, 1.0f}, {10, 0.75f}, {20, 0.5f}, {21, 10.0f / 21}, {40, 0.25f}});
    expectCurve({1.0f, 0.5f, 20, 40, 2.0f}, {{41, float(400.0 / (41.0 * 41.0))}});
    // A second speed below the first starts the characteristic region early.
    expectCurve({1.0f, 0.5f, 40, 20, 2.0f}, {{20, 0.75f}, {21, float(400.0 / 441.0)}, {40, 0.25f}});
    // Degenerate rows stay finite.
    expectCurve({0, 0, 0, 0, 1.0f}, {{0, 0.0f}, {1, 0.0f}, {80, 0.0f}, {160, 0.0f}});
    // No constant tractive-effort region: accel1 at standstill, then nothing.
    expectCurve({0.8f, 0.5f, 0, 30, 2.0f}, {{0, 0.8f}, {10, 0.0f}, {31, 0.0f}});
    expectCurve({0.8f, 0.5f, 20, 0, 2.0f}, {{0, 0.8f}, {1, 0.0f}});
}

TEST(AccelerationCurve, RowsFromBrokenFilesFailInsteadOfDrawingNonsense) {
    // v < 0: the curve itself cannot be made.
    const struct {
        AccelerationRow row;
        int v;
        Failure failure;
    } cases[] = {
        {{0.6f, 0.6f, 0, -5, 2.0f}, 0, Failure::DivisionByZero},
        {{0.6f, 0.6f, 0, -5, 1.5f}, -1, Failure::InvalidArgument},
        {{0.6f, 0.6f, 0, 0, -1.0f}, -1, Failure::DivisionByZero},
        // A negative first speed puts v = 0 into the constant-power region.
        {{0.6f, 0.6f, -3, 10, 2.0f}, 0, Failure::DivisionByZero},
        {{3e38f, 3e38f, 100, 200, 4.0f}, -1, Failure::Overflow},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(failureOf([&] { c.v < 0 ? void(makeNotchCurve(c.row)) : void(at(c.row, c.v)); }),
                  c.failure)
            << c.row.speed1 << "/" << c.row.speed2 << "/" << c.row.curve;
    }
    EXPECT_EQ(at(cases[0].row, 1), 25 * 0.6f);
}

TEST(AccelerationConsist, MassAndResistanceOfTheDefaultTrainAndOfOneCar) {
    const float mass = trainMass(kDefaultConsist);
    EXPECT_EQ(mass, 65000.0f);
    EXPECT_EQ(runningResistance(kDefaultConsist, mass, 0), float(796.5 * 3.6 / 71500.0));
    EXPECT_EQ(runningResistance(kDefaultConsist, mass, 100), float(5236.0 * 3.6 / 71500.0));
    // Subtracted in double precision and rounded once.
    const AccelerationRow row{0.6f, 0.6f, 25, 25, 2.0f};
    const NotchCurve curve = makeNotchCurve(row);
    EXPECT_EQ(netAcceleration(row, curve, kDefaultConsist, mass, 0),
              float(double(0.6f) - 796.5 * 3.6 / 71500.0));
    EXPECT_EQ(netAcceleration(row, curve, kDefaultConsist, mass, 100),
              float(double(0.0375f) - 5236.0 * 3.6 / 71500.0));

    // One motor car and minus one trailer: no cars beyond the first, M = 30 t.
    const TrainConsist oneCar{40, 1, 10, -1};
    EXPECT_EQ(trainMass(oneCar), 30000.0f);
    const double r = (16.2 + 2.42) * 40 - (7.65 + 0.275) * 10 + 0.199 * 100;
    EXPECT_NEAR(runningResistance(oneCar, 30000, 10), r * 3.6 / 33000.0, 1e-7);
}

TEST(AccelerationConsist, ZeroMassAndSixteenBitOverflowsFail) {
    const TrainConsist empty{35, 0, 30, 0};
    EXPECT_EQ(trainMass(empty), 0.0f);
    EXPECT_EQ(failureOf([&] { runningResistance(empty, 0, 50); }), Failure::DivisionByZero);
    const AccelerationRow row{0.6f, 0.6f, 25, 25, 2.0f};
    EXPECT_EQ(failureOf([&] { netAcceleration(row, makeNotchCurve(row), empty, 0, 0); }),
              Failure::DivisionByZero);
    EXPECT_EQ(failureOf([] { trainMass({200, 200, 0, 0}); }), Failure::Overflow);
    EXPECT_EQ(failureOf([] { trainMass({200, 100, 200, 100}); }), Failure::Overflow);
    EXPECT_EQ(failureOf([] { runningResistance({0, 32767, 0, 1}, 1000, 0); }), Failure::Overflow);
}

TEST(AccelerationConsist, FieldTextsBecomeWholeNumbersWithoutFailing) {
    const std::pair<const char16_t*, int> cases[] = {
        {u"35.5", 36}, {u"34.5", 34}, {u" 30 ", 30},     {u"1.2E1", 12},      {u"abc", 0},
        {u"12abc", 0}, {u"", 0},      {u"40000", 32767}, {u"-1e400", -32768},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(consistValue(text), value) << QString::fromUtf16(text).toStdString();
}

TEST(AccelerationRules, SpeedsDragEachOtherAndValuesAreRoundedAndLimited) {
    AccelerationRow row{0.6f, 0.6f, 25, 25, 2.0f};
    const auto speeds = [&] { return QList<int>{row.speed1, row.speed2}; };
    applyNotchField(row, NotchField::Speed1, u"30");
    EXPECT_EQ(speeds(), QList<int>({30, 30}));
    applyNotchField(row, NotchField::Speed2, u"20");
    EXPECT_EQ(speeds(), QList<int>({20, 20}));
    applyNotchField(row, NotchField::Speed2, u"45");
    EXPECT_EQ(speeds(), QList<int>({20, 45}));

    // Values are rounded and limited.
    row = {};
    const struct {
        NotchField field;
        const char16_t* text;
        QString stored;
    } cases[] = {
        {NotchField::Speed1, u"12.5", "12"},   {NotchField::Speed1, u"13.5", "14"},
        {NotchField::Speed1, u"-3", "0"},      {NotchField::Speed1, u"x", "0"},
        {NotchField::Speed1, u"1 2", "12"},    {NotchField::Speed2, u"40000", "32767"},
        {NotchField::Accel1, u"7", "5"},       {NotchField::Accel2, u"-1", "0"},
        {NotchField::Accel1, u"0.35", "0.35"}, {NotchField::Curve, u"0.5", "1"},
        {NotchField::Curve, u"9", "4"},        {NotchField::Curve, u"2.50", "2.5"},
    };
    for (const auto& c : cases) {
        applyNotchField(row, c.field, c.text);
        EXPECT_EQ(notchFieldText(row, c.field), c.stored)
            << QString::fromUtf16(c.text).toStdString();
    }
    EXPECT_EQ(row.speed2, 32767);
    EXPECT_EQ(row.accel1, 0.35f);
}
