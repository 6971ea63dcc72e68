#include "document/documenthistory.h"
#include "document/traindata.h"
#include "form/fieldchecks.h"
#include "form/stepname.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

struct History {
    History() { history.setFieldNamer(&fieldStepName); }
    TrainData data;
    DocumentHistory history{data};
};

struct Change {
    const char* name;
    const char* step;
    std::function<void(TrainData&)> make;
};

void typeAndLeave(TrainData& d, TextId id, const char* text) {
    d.setText(id, QString::fromLatin1(text));
    applyFieldCheck(d, id);
    d.commitChange(fieldStepName(id));
}

// Each change with what its rules do to other controls: a delay's partner
// follows it down, no trailers make a motor car lead, a transmission greys
// the blending, holding control renames the notches.
const Change changes[] = {
    {"field", "反応性 力行入", [](TrainData& d) { typeAndLeave(d, txtDelay(0), "0.1x"); }},
    {"field with a list rule", "T車両数", [](TrainData& d) { typeAndLeave(d, txtCar(3), "0"); }},
    {"list", "指令伝達",
     [](TrainData& d) {
         d.setListIndex(cbxBrkSend, 2);
         d.commitChange(listStepName(cbxBrkSend));
     }},
    {"check box", "抑速制御",
     [](TrainData& d) {
         d.setCheck(3, true);
         d.commitChange(checkStepName(3));
     }},
    {"motor-sound table", "モータ音",
     [](TrainData& d) {
         MotorSoundTable table = d.motorSoundTable();
         table[Track::P2][5].index = 3;
         d.setMotorSoundTable(table);
     }},
    {"acceleration table", "加速力曲線",
     [](TrainData& d) {
         AccelerationTable table = d.accelerationTable();
         table[2].speed1 = 40;
         d.setAccelerationTable(table);
     }},
};

} // namespace

TEST(DocumentHistory, EachKindOfChangeIsOneStepThatUndoesAndRedoesWithItsRules) {
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        History h;
        const DocumentState before = h.data.state();
        QSignalSpy committed(&h.history, &DocumentHistory::documentCommitted);
        change.make(h.data);
        const DocumentState after = h.data.state();
        EXPECT_EQ(h.history.stack().count(), 1);
        EXPECT_EQ(h.history.undoText(), QString::fromUtf8(change.step));
        EXPECT_TRUE(h.data.isModified());
        h.history.undo();
        EXPECT_TRUE(h.data.holds(before));
        EXPECT_FALSE(h.data.isModified());
        EXPECT_EQ(h.history.redoText(), QString::fromUtf8(change.step));
        h.history.redo();
        EXPECT_TRUE(h.data.holds(after));
        EXPECT_TRUE(h.data.isModified());
        EXPECT_EQ(committed.count(), 3);
    }
    EXPECT_EQ(fieldStepName(txtMove(0)), QStringLiteral("機敏性 力行入"));
}

TEST(DocumentHistory, PendingTypingGoesFirstAndTheMarkFollowsTheSavedState) {
    History h;
    typeAndLeave(h.data, txtPer(0), "3");
    h.data.setText(txtPer(1), QStringLiteral("0.5")); // typing, not committed
    EXPECT_TRUE(h.history.hasPendingChanges());
    EXPECT_EQ(h.history.undoText(), QStringLiteral("粘着係数"));
    h.history.undo();
    EXPECT_EQ(h.data.text(txtPer(1)), QStringLiteral("0.35"));
    EXPECT_EQ(h.data.text(txtPer(0)), QStringLiteral("3"));
    EXPECT_EQ(h.history.redoText(), QString()); // putting typing back is no step

    // Typing back to the committed text is no change.
    h.data.setText(txtPer(1), QStringLiteral("0.3"));
    h.data.setText(txtPer(1), QStringLiteral("0.35"));
    h.data.commitChange(fieldStepName(txtPer(1)));
    EXPECT_EQ(h.history.stack().count(), 1);

    // A save with typing in a field: the typing becomes a step, the saved state clean.
    h.data.setText(txtPer(1), QStringLiteral("0.5"));
    h.data.setModified(false);
    EXPECT_EQ(h.history.stack().count(), 2);
    EXPECT_FALSE(h.data.isModified());
    h.history.undo();
    h.history.undo();
    EXPECT_TRUE(h.data.isModified());
    h.history.redo();
    h.history.redo();
    EXPECT_FALSE(h.data.isModified());
    EXPECT_FALSE(h.history.canRedo());
}

TEST(DocumentHistory, ReplacingStartsFreshAndBoundsHold) {
    History h;
    for (int i = 0; i < DocumentHistory::StepLimit + 5; ++i) {
        h.data.setText(txtPer(0), QString::number(i + 10));
        h.data.commitChange(QString());
    }
    EXPECT_EQ(h.history.stack().count(), DocumentHistory::StepLimit);
    // The saved state fell off the bottom: no undo reaches it.
    while (h.history.canUndo())
        h.history.undo();
    EXPECT_TRUE(h.data.isModified());

    // A text too large to keep twice ends the history that led to it.
    h.data.setText(txtPer(1), QString(60 * 1024, u'9'));
    h.data.commitChange(QString());
    EXPECT_FALSE(h.history.canUndo());
    EXPECT_TRUE(h.data.isModified());

    h.history.replaceDocument([&] {
        h.data.newDocument();
        h.data.setMotorSoundTable(defaultMotorSoundTable()); // a reader's work is no step
        h.data.setText(txtPer(0), QStringLiteral("2"));
    });
    EXPECT_FALSE(h.history.canUndo());
    EXPECT_FALSE(h.data.isModified());
    h.history.replaceDocument([] {}, true); // a recovered copy
    EXPECT_TRUE(h.data.isModified());
}
