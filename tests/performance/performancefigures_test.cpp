#include "document/traindata.h"
#include "performance/performancefigures.h"
#include "performance/performancetables.h"

#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

PerformanceFigures figuresOf(const TrainData& data, double grade = 0) {
    return computePerformance(performanceTrain(data), grade);
}

NotchFigures fromCurve(const std::function<double(int)>& a) {
    SpeedCurve curve{};
    for (int v = 0; v <= 160; ++v)
        curve[std::size_t(v)] = a(v);
    NotchFigures n;
    fillRunFigures(n, curve);
    return n;
}

// A notch that cannot start has no balancing speed and reaches no speed.
void expectStandstill(const NotchFigures& n) {
    EXPECT_EQ(n.canStart, false);
    EXPECT_FALSE(n.balancingSpeed);
    EXPECT_FALSE(n.runs->at(0).time);
}

} // namespace

TEST(PerformanceFigures, NewDocumentMatchesTheHandWorkedValues) {
    const TrainData data;
    const PerformanceFigures f = figuresOf(data);
    const NotchFigures& one = f.notches[0];
    EXPECT_NEAR(*one.startAcceleration, 0.55990, 5e-6);
    EXPECT_EQ(one.canStart, true);
    EXPECT_NEAR(*one.balancingSpeed, 55.684, 5e-4);
    EXPECT_NEAR(*one.runs->at(4).time, 227.15, 5e-3);
    EXPECT_NEAR(*one.runs->at(4).distance, 2291.8, 0.05);
    EXPECT_FALSE(one.runs->at(5).time);
    EXPECT_NEAR(*one.maxPower, 82.755, 5e-4);
    EXPECT_EQ(one.maxPowerSpeed, 25);
    EXPECT_NEAR(*f.adhesionLimit, 6.0486, 5e-5);
    EXPECT_EQ(one.adhesionExceeded, false);
    EXPECT_EQ(*f.mass, 65000);
    EXPECT_NEAR(*f.braking[9].time, 25.8, 1e-9);
    EXPECT_NEAR(*f.braking[9].distance, 369.44, 5e-3);
    EXPECT_TRUE(one.failure.isEmpty());
    // 0.6 km/h/s x 65,000 kg x 1.1 / 3.6 / 1000 and 82.7546 kW / 65 t.
    EXPECT_NEAR(*one.startTractiveEffort, 11.917, 5e-4);
    EXPECT_NEAR(*one.maxPowerPerTonne, 1.2731, 5e-5);
    EXPECT_NEAR(*f.motorShare, 100 * 35.0 / 65, 1e-9);

    const NotchFigures& two = f.notches[1];
    expectStandstill(two);
    EXPECT_LT(*two.startAcceleration, 0);
    EXPECT_EQ(two.maxPower, 0);
    EXPECT_EQ(two.maxPowerSpeed, 0);

    EXPECT_NEAR(*figuresOf(data, 10).notches[0].balancingSpeed, 30.917, 5e-4);
}

TEST(PerformanceFigures, SteepestGradesEitherStopTheTrainOrKeepItAccelerating) {
    const TrainData data;
    expectStandstill(figuresOf(data, MaxGrade).notches[0]);
    // 40 per mille downhill outweighs the resistance at every speed.
    const NotchFigures down = figuresOf(data, MinGrade).notches[0];
    EXPECT_FALSE(down.balancingSpeed);
    EXPECT_EQ(down.balancingAbove, 160);
    EXPECT_TRUE(down.runs->at(15).time);
    const TextTable::Cell above = notchTable(figuresOf(data, MinGrade), nullptr).rows[2][0];
    EXPECT_EQ(above.text, QStringLiteral("160 以上"));
    EXPECT_EQ(above.tip, QStringLiteral("160 km/h でもまだ加速します"));
    // A notch that cannot start keeps its dash and says why.
    const TextTable::Cell stopped = notchTable(figuresOf(data), nullptr).rows[2][1];
    EXPECT_EQ(stopped.text, QStringLiteral("—"));
    EXPECT_FALSE(stopped.tip.isEmpty());
    EXPECT_FALSE(figuresOf(data).notches[1].balancingAbove);
}

TEST(PerformanceFigures, BrakingFollowsTheGrade) {
    TrainData data;
    // Uphill adds 10 x 3.530394 / 1.1 / 100 = 0.32094 km/h/s to the 4 km/h/s.
    const SpeedFigure up = figuresOf(data, 10).braking[9];
    EXPECT_NEAR(*up.time, 23.943, 5e-4);
    EXPECT_NEAR(*up.distance, 343.65, 5e-3);
    EXPECT_GT(*figuresOf(data, -10).braking[9].time, *figuresOf(data).braking[9].time);

    // 1 km/h/s cannot hold a train on 40 per mille downhill.
    data.setText(txtPer(0), QStringLiteral("1"));
    const SpeedFigure down = brakingFrom(performanceTrain(data), MinGrade, 100);
    EXPECT_FALSE(down.time);
    EXPECT_FALSE(down.distance);
    EXPECT_TRUE(down.reason.contains(QStringLiteral("勾配")));
    // Just holding it: the stop would take longer than any figure shows.
    const double holding = -gradeDeceleration(MinGrade) + 1e-9;
    data.setText(txtPer(0), QString::number(holding, 'g', 17));
    const SpeedFigure creeping = brakingFrom(performanceTrain(data), MinGrade, 10);
    EXPECT_FALSE(creeping.time);
    EXPECT_FALSE(creeping.reason.isEmpty());
}

TEST(PerformanceFigures, RunsAndBalancingFromHandMadeCurves) {
    // 1 km/h/s throughout: V seconds to V km/h over V^2 / 7.2 m, and no balancing speed.
    const NotchFigures flat = fromCurve([](int) { return 1.0; });
    EXPECT_FALSE(flat.balancingSpeed);
    EXPECT_DOUBLE_EQ(*flat.runs->at(15).time, 160);
    EXPECT_NEAR(*flat.runs->at(15).distance, 160.0 * 160 / 7.2, 1e-9);

    // a(31) exactly 0: balancing at 31 km/h; 30 km/h is reached, 40 is not.
    const NotchFigures stop = fromCurve([](int v) { return v <= 30 ? 1.0 : 0.0; });
    EXPECT_DOUBLE_EQ(*stop.balancingSpeed, 31);
    EXPECT_DOUBLE_EQ(*stop.runs->at(2).time, 30);
    EXPECT_FALSE(stop.runs->at(3).time);

    // Halfway between 0.5 and -0.5 km/h/s.
    EXPECT_DOUBLE_EQ(*fromCurve([](int v) { return v <= 12 ? 0.5 : -0.5; }).balancingSpeed, 12.5);
    // a(0) = 0 cannot start.
    expectStandstill(fromCurve([](int v) { return v == 0 ? 0.0 : 1.0; }));
}

TEST(PerformanceFigures, NoBrakingWithoutDecelerationAndNoRunsWithoutMass) {
    TrainData data;
    data.setText(txtPer(0), QStringLiteral("0"));
    data.setText(txtCar(1), QStringLiteral("0"));
    data.setText(txtCar(3), QStringLiteral("0"));
    const PerformanceFigures f = figuresOf(data);
    EXPECT_FALSE(f.braking[0].time);
    EXPECT_FALSE(f.braking[15].distance);
    EXPECT_EQ(f.mass, 0);
    EXPECT_FALSE(f.adhesionLimit);
    for (const NotchFigures& n : f.notches) {
        EXPECT_FALSE(n.startAcceleration);
        EXPECT_FALSE(n.canStart);
        EXPECT_FALSE(n.runs);
        EXPECT_FALSE(n.adhesionExceeded);
        EXPECT_EQ(n.maxPower, 0);
        EXPECT_EQ(n.startTractiveEffort, 0);
        EXPECT_FALSE(n.maxPowerPerTonne);
        EXPECT_EQ(n.failure, QStringLiteral("質量が 0 のため計算できません"));
    }
    EXPECT_FALSE(f.motorShare);
    EXPECT_EQ(failureNotes(f),
              QStringList({QStringLiteral("質量が 0 のため計算できません"),
                           QStringLiteral("常用ブレーキ: 減速度が 0.1 km/h/s 未満か数でないため"
                                          "計算できません")}));
}

TEST(PerformanceFigures, AbsurdInputsGiveNoFigureWithTheirReason) {
    const auto absurd = [](TextId id, const char* text) {
        TrainData data;
        data.setText(id, QString::fromLatin1(text));
        return figuresOf(data);
    };
    // Every figure from the mass or the adhesion limit, and nothing else.
    PerformanceFigures f = absurd(txtCar(0), "-35");
    const QString negative = QStringLiteral("編成の値が負のため計算できません");
    EXPECT_FALSE(f.mass);
    EXPECT_FALSE(f.motorShare);
    EXPECT_FALSE(f.adhesionLimit);
    for (const NotchFigures& n : f.notches) {
        EXPECT_FALSE(n.startAcceleration);
        EXPECT_FALSE(n.maxPower);
        EXPECT_FALSE(n.startTractiveEffort);
        EXPECT_FALSE(n.adhesionExceeded);
        EXPECT_EQ(n.failure, negative);
    }
    EXPECT_TRUE(f.braking[9].time);
    EXPECT_EQ(failureNotes(f), QStringList{negative});
    EXPECT_EQ(notchTable(f, nullptr).rows[3][0].tip, negative);
    EXPECT_TRUE(summaryText(f).startsWith(QStringLiteral("質量 — t")));

    f = absurd(txtPer(1), "-0.35");
    const QString adhesion =
        QStringLiteral("粘着係数が 0.1 未満か数でないため粘着限界を計算できません");
    EXPECT_FALSE(f.adhesionLimit);
    EXPECT_FALSE(f.notches[0].adhesionExceeded);
    EXPECT_TRUE(f.notches[0].canStart);
    EXPECT_EQ(failureNotes(f), QStringList{adhesion});
    const TextTable::Cell mark = notchTable(f, nullptr).rows[7][0];
    EXPECT_EQ(mark.text, QStringLiteral("—"));
    EXPECT_EQ(mark.tip, adhesion);

    // The braking table: unusable inputs, then results beyond any figure.
    for (const auto& [id, text] : {std::pair{txtDelay(2), "-5"}, std::pair{txtPer(0), "1e-30"},
                                   std::pair{txtDelay(2), "1e308"}}) {
        f = absurd(id, text);
        for (const SpeedFigure& b : f.braking) {
            EXPECT_FALSE(b.time) << text;
            EXPECT_FALSE(b.distance) << text;
            EXPECT_FALSE(b.reason.isEmpty()) << text;
        }
        EXPECT_EQ(failureNotes(f).size(), 1) << text;
        EXPECT_EQ(brakingTable(f, nullptr).rows[0][1].tip, f.braking[0].reason);
    }

    // A curve that barely accelerates: 10 km/h in 5 x 10^5 s, 30 km/h beyond 10^6 s.
    const NotchFigures n = fromCurve([](int) { return 2e-5; });
    EXPECT_TRUE(n.runs->at(1).time);
    EXPECT_TRUE(n.runs->at(2).reason.contains(QStringLiteral("大きすぎる")));
    EXPECT_FALSE(n.runs->at(15).time);
}

TEST(PerformanceFigures, ModelFailuresNameTheirReasonAndKeepThePower) {
    TrainData data;
    // A 16-bit overflow of the consist: the model fails for every notch, the power does not.
    data.setText(txtCar(0), QStringLiteral("200"));
    data.setText(txtCar(1), QStringLiteral("200"));
    PerformanceFigures f = figuresOf(data);
    EXPECT_EQ(f.notches[0].failure, QStringLiteral("編成の値が大きすぎるため計算できません"));
    EXPECT_EQ(*f.mass, (200.0 * 200 + 30) * 1000);
    EXPECT_GT(*f.notches[0].maxPower, 82.755 * 600);

    // A coefficient that overflows above speed2: only notch 3 fails, and its
    // power is the maximum over the speeds that can be computed.
    TrainData steep;
    AccelerationTable steepTable = steep.accelerationTable();
    steepTable[2] = {1, 1, 20, 20, 1e30f};
    steep.setAccelerationTable(steepTable);
    f = figuresOf(steep);
    EXPECT_TRUE(f.notches[0].failure.isEmpty());
    EXPECT_EQ(f.notches[2].failure,
              QStringLiteral("加速力曲線を計算できません（オーバーフローしました。）"));
    EXPECT_FALSE(f.notches[2].canStart);
    EXPECT_EQ(f.notches[2].maxPowerSpeed, 20);
    EXPECT_EQ(f.notches[2].adhesionExceeded, false);
    EXPECT_EQ(failureNotes(f), QStringList{QStringLiteral("ノッチ 3: ") + f.notches[2].failure});
}
