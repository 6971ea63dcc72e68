#include "document/traindata.h"
#include "shared/failure.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace Orlenda;

TEST(NewDocument, TextFieldsHoldTheirDefaults) {
    TrainData data;
    EXPECT_EQ(data.text(txtPer(1)), QStringLiteral("0.35"));
    EXPECT_EQ(data.text(txtDelay(4)), QStringLiteral("1.2"));
    EXPECT_EQ(data.text(txtMove(4)), QStringLiteral("300"));
    EXPECT_EQ(data.text(txtPrs(2)), QStringLiteral("686"));
    EXPECT_EQ(data.text(txtPoint(2)), QStringLiteral("-1000"));
    EXPECT_EQ(data.text(txtCar(4)), QStringLiteral("20"));
    EXPECT_EQ(data.text(txtAdaptLoad), QStringLiteral("0"));
    EXPECT_TRUE(data.documentPath().isEmpty());
    EXPECT_EQ(data.caption(), QStringLiteral("Orlenda"));
}

TEST(NewDocument, ListsFollowTheDefaultsAndTheRules) {
    TrainData data;
    EXPECT_EQ(data.listIndex(cbxBrkSend), 0);
    EXPECT_EQ(data.listIndex(cbxBrkElcAir), 1);
    EXPECT_TRUE(data.listEnabled(cbxBrkElcAir));
    // Straight air: one handle and notched brakes are not allowed.
    EXPECT_EQ(data.listIndex(cbxHandle(0)), 0);
    EXPECT_FALSE(data.listEnabled(cbxHandle(0)));
    EXPECT_EQ(data.listItemData(cbxHandle(1)), 4);
    EXPECT_TRUE(data.listEnabled(cbxHandle(1)));
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 0);
    EXPECT_FALSE(data.listEnabled(cbxHandle(2)));
    EXPECT_EQ(data.listEntries(cbxHandle(2)).first(), QStringLiteral("5段"));
    for (int i = 0; i < CheckCount; ++i)
        EXPECT_FALSE(data.check(i));
}

TEST(NewDocument, TablesHoldTwoSoundingAndTwoSilentTracks) {
    TrainData data;
    const MotorSoundTable& m = data.motorSoundTable();
    for (Track t : {Track::P1, Track::B1}) {
        EXPECT_EQ(m[t][0], (MotorSoundEntry{10, 127, 0}));
        EXPECT_EQ(m[t][47].pitch, 10);
        EXPECT_EQ(m[t][48].pitch, 11);
        EXPECT_EQ(m[t][450].pitch, 100);
        EXPECT_EQ(m[t][799].pitch, 178);
    }
    for (Track t : {Track::P2, Track::B2}) {
        for (const MotorSoundEntry& e : m[t])
            ASSERT_EQ(e, (MotorSoundEntry{100, 0, -1}));
    }
    EXPECT_EQ(data.accelerationTable()[0], (AccelerationRow{0.6f, 0.6f, 25, 25, 2.0f}));
    EXPECT_EQ(data.accelerationTable()[7], (AccelerationRow{0, 0, 0, 0, 1.0f}));
}

TEST(NewDocument, ResetKeepsFormatVersionAndNewClearsPath) {
    TrainData data;
    data.setFormatVersion(1220000);
    data.setDocumentPath(QStringLiteral("/tmp/a.dat"));
    data.setText(txtPer(0), QStringLiteral("9"));
    data.accelerationTable()[3].speed1 = 40;
    data.resetToDefaults();
    EXPECT_EQ(data.formatVersion(), 1220000);
    EXPECT_EQ(data.documentPath(), QStringLiteral("/tmp/a.dat"));
    EXPECT_EQ(data.caption(), QStringLiteral("/tmp/a.dat - Orlenda"));
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
    EXPECT_EQ(data.accelerationTable()[3].speed1, 0);
    data.newDocument();
    EXPECT_TRUE(data.documentPath().isEmpty());
    EXPECT_EQ(data.caption(), QStringLiteral("Orlenda"));
}

TEST(NewDocument, ResetUndoesWhatTheRulesDidToTheLists) {
    TrainData data;
    data.setListIndex(cbxBrkSend, 1);
    data.setListIndex(cbxHandle(0), 1);
    data.setListIndex(cbxHandle(2), 2);
    data.setCheck(3, true);
    data.setListIndex(cbxBrkSend, 2);
    data.resetToDefaults();
    EXPECT_TRUE(data.listEnabled(cbxBrkElcAir));
    EXPECT_EQ(data.listIndex(cbxBrkElcAir), 1);
    EXPECT_FALSE(data.listEnabled(cbxHandle(2)));
    EXPECT_EQ(data.listEntries(cbxHandle(2)).at(0), QStringLiteral("5ノッチ"));
}

TEST(BrakeTransmissionRule, AutomaticAirDropsAndGreysBlending) {
    TrainData data;
    data.setListIndex(cbxBrkElcAir, 2);
    data.setListIndex(cbxBrkSend, 2);
    EXPECT_EQ(data.listIndex(cbxBrkElcAir), 0);
    EXPECT_FALSE(data.listEnabled(cbxBrkElcAir));
    data.setListIndex(cbxBrkSend, 0);
    EXPECT_TRUE(data.listEnabled(cbxBrkElcAir));
    EXPECT_EQ(data.listIndex(cbxBrkElcAir), 1);
}

TEST(BrakeTransmissionRule, ElectricCommandEnablesHandlesKeepingSelections) {
    TrainData data;
    data.setListIndex(cbxBrkElcAir, 2);
    data.setListIndex(cbxHandle(2), 1);
    data.setListIndex(cbxBrkSend, 1);
    EXPECT_EQ(data.listIndex(cbxBrkElcAir), 2);
    EXPECT_TRUE(data.listEnabled(cbxHandle(0)));
    EXPECT_TRUE(data.listEnabled(cbxHandle(2)));
    EXPECT_EQ(data.listIndex(cbxHandle(2)), 1);

    data.setListIndex(cbxHandle(0), 1);
    data.setListIndex(cbxHandle(1), 3);
    data.setListIndex(cbxBrkSend, 0);
    EXPECT_EQ(data.listIndex(cbxHandle(0)), 0);
    EXPECT_EQ(data.listIndex(cbxHandle(2)), 4);
    EXPECT_FALSE(data.listEnabled(cbxHandle(0)));
    EXPECT_EQ(data.listIndex(cbxHandle(1)), 3);
}

TEST(BrakeTransmissionRule, RunsOnlyWhenTheSelectionChanges) {
    TrainData data;
    data.setListIndex(cbxHandle(0), 1); // set after the rule: stays even though greyed
    data.setListIndex(cbxBrkSend, 0);
    EXPECT_EQ(data.listIndex(cbxHandle(0)), 1);
}

TEST(HoldingControlRule, RenamesBrakeNotchesKeepingTheirNumbers) {
    TrainData data;
    data.setListIndex(cbxBrkSend, 1);
    data.setListIndex(cbxHandle(2), 2);
    QSignalSpy spy(&data, &TrainData::listChanged);
    data.setCheck(3, true);
    EXPECT_EQ(data.listEntries(cbxHandle(2)),
              (QStringList{"4ノッチ", "5ノッチ", "6ノッチ", "7ノッチ", "無段"}));
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 7);
    EXPECT_GE(spy.count(), 1);
    data.setCheck(3, false);
    EXPECT_EQ(data.listEntries(cbxHandle(2)).at(2), QStringLiteral("7ノッチ"));
    for (int i = 0; i < 3; ++i)
        data.setCheck(i, true);
    EXPECT_EQ(data.listEntries(cbxHandle(2)).at(2), QStringLiteral("7ノッチ"));
}

TEST(ListSelection, RejectsPositionsOutsideTheEntries) {
    TrainData data;
    EXPECT_THROW(data.setListIndex(cbxDevice(1), 4), StepFailure);
    EXPECT_THROW(data.setListIndex(cbxDevice(1), -2), StepFailure);
    EXPECT_EQ(data.listIndex(cbxDevice(1)), 0);
    data.setListIndex(cbxDevice(1), -1);
    EXPECT_EQ(data.listIndex(cbxDevice(1)), -1);
    EXPECT_FALSE(data.selectByItemData(cbxHandle(1), 7));
    EXPECT_EQ(data.listItemData(cbxHandle(1)), 4);
    EXPECT_TRUE(data.selectByItemData(cbxHandle(1), 0));
    EXPECT_EQ(data.listIndex(cbxHandle(1)), 4);
}
