#include "document/traindata.h"
#include "shared/failure.h"
#include "support/documenttests.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {
// What a list shows: its selection and whether it can be changed.
std::pair<int, bool> shown(const TrainData& data, ListId id) {
    return {data.listIndex(id), data.listEnabled(id)};
}
} // namespace

// The default values are pinned by the written new document, the caption
// and path by the reset below, the blending list by the form test.
TEST_F(DocumentTest, NewDocumentListsFollowTheDefaultsAndTheRules) {
    // Straight air: one handle and notched brakes are not allowed.
    EXPECT_EQ(shown(data, cbxHandle(0)), std::pair(0, false));
    EXPECT_TRUE(data.listEnabled(cbxHandle(1)));
    EXPECT_FALSE(data.listEnabled(cbxHandle(2)));
}

TEST_F(DocumentTest, NewDocumentResetKeepsFormatVersionAndPathAndUndoesTheRules) {
    data.setFormatVersion(1220000);
    data.setDocumentPath(QStringLiteral("/tmp/a.dat"));
    data.setText(txtPer(0), QStringLiteral("9"));
    AccelerationTable table = data.accelerationTable();
    table[3].speed1 = 40;
    data.setAccelerationTable(table);
    data.setListIndex(cbxBrkSend, 1);
    data.setListIndex(cbxHandle(0), 1);
    data.setListIndex(cbxHandle(2), 2);
    data.setCheck(chkDevice(3), true);
    data.setListIndex(cbxBrkSend, 2);
    data.resetToDefaults();
    EXPECT_EQ(data.formatVersion(), 1220000);
    EXPECT_EQ(data.caption(), QStringLiteral("/tmp/a.dat - Orlenda"));
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
    EXPECT_EQ(data.accelerationTable()[3].speed1, 0);
    EXPECT_EQ(shown(data, cbxBrkElcAir), std::pair(1, true));
    EXPECT_FALSE(data.listEnabled(cbxHandle(2)));
    EXPECT_EQ(data.listEntries(cbxHandle(2)).at(0), QStringLiteral("5ノッチ"));
    data.newDocument();
    EXPECT_TRUE(data.documentPath().isEmpty());
    EXPECT_EQ(data.caption(), QStringLiteral("Orlenda"));
}

TEST_F(DocumentTest, BrakeTransmissionRuleAutomaticAirGreysBlendingAndElectricCommandEnablesHandles) {
    data.setListIndex(cbxBrkElcAir, 2);
    data.setListIndex(cbxBrkSend, 2);
    EXPECT_EQ(shown(data, cbxBrkElcAir), std::pair(0, false));
    data.setListIndex(cbxBrkSend, 0);
    EXPECT_EQ(shown(data, cbxBrkElcAir), std::pair(1, true));

    // An electric command enables the handles, keeping their selections.
    data.setListIndex(cbxBrkElcAir, 2);
    data.setListIndex(cbxHandle(2), 1);
    data.setListIndex(cbxBrkSend, 1);
    EXPECT_EQ(data.listIndex(cbxBrkElcAir), 2);
    EXPECT_TRUE(data.listEnabled(cbxHandle(0)));
    EXPECT_EQ(shown(data, cbxHandle(2)), std::pair(1, true));

    data.setListIndex(cbxHandle(0), 1);
    data.setListIndex(cbxHandle(1), 3);
    data.setListIndex(cbxBrkSend, 0);
    EXPECT_EQ(shown(data, cbxHandle(0)), std::pair(0, false));
    EXPECT_EQ(data.listIndex(cbxHandle(2)), 4);
    EXPECT_EQ(data.listIndex(cbxHandle(1)), 3);

    // The rule runs only when the selection changes: set after it, a greyed list keeps its choice.
    data.setListIndex(cbxHandle(0), 1);
    data.setListIndex(cbxBrkSend, 0);
    EXPECT_EQ(data.listIndex(cbxHandle(0)), 1);
}

TEST_F(DocumentTest, HoldingControlRuleRenamesBrakeNotchesKeepingTheirNumbers) {
    data.setListIndex(cbxBrkSend, 1);
    data.setListIndex(cbxHandle(2), 2);
    QSignalSpy spy(&data, &TrainData::listChanged);
    data.setCheck(chkDevice(3), true);
    EXPECT_EQ(data.listEntries(cbxHandle(2)),
              (QStringList{"4ノッチ", "5ノッチ", "6ノッチ", "7ノッチ", "無段"}));
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 7);
    EXPECT_GE(spy.count(), 1);
    data.setCheck(chkDevice(3), false);
    EXPECT_EQ(data.listEntries(cbxHandle(2)).at(2), QStringLiteral("7ノッチ"));
    for (int i = 0; i < 3; ++i)
        data.setCheck(chkDevice(i), true);
    EXPECT_EQ(data.listEntries(cbxHandle(2)).at(2), QStringLiteral("7ノッチ"));
}

TEST_F(DocumentTest, ListSelectionRejectsPositionsOutsideTheEntries) {
    EXPECT_THROW(data.setListIndex(cbxDevice(1), 4), StepFailure);
    EXPECT_THROW(data.setListIndex(cbxDevice(1), -2), StepFailure);
    EXPECT_EQ(data.listIndex(cbxDevice(1)), 0);
    data.setListIndex(cbxDevice(1), -1);
    EXPECT_EQ(data.listIndex(cbxDevice(1)), -1);
    // An item number that matches no entry is left to the reader's keyword test.
    EXPECT_TRUE(data.selectByItemData(cbxHandle(1), 0));
    EXPECT_EQ(data.listIndex(cbxHandle(1)), 4);
}
