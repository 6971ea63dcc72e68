#include "document/documenthistory.h"
#include "document/traindata.h"
#include "form/fieldchecks.h"
#include "form/stepname.h"

#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

struct History {
    History() { history.setFieldNamer(&fieldStepName); }
    TrainData data;
    DocumentHistory& history = data.keepHistory();
    void type(TextId id, const QString& text) {
        data.type([&] { data.setText(id, text); });
    }
};

struct Change {
    const char* name;
    const char* step;
    std::function<void(TrainData&)> make;
};

void typeAndLeave(TrainData& d, TextId id, const char* text) {
    d.type([&] { d.setText(id, QString::fromLatin1(text)); });
    d.edit(fieldStepName(id), [&] { applyFieldCheck(d, id); });
}

// Each change with what its rules do to other controls: a delay's partner
// follows it down, no trailers make a motor car lead, a transmission greys
// the blending, holding control renames the notches.
const Change changes[] = {
    {"field", "反応性 力行入", [](TrainData& d) { typeAndLeave(d, txtDelay(0), "0.1x"); }},
    {"field with a list rule", "T車両数", [](TrainData& d) { typeAndLeave(d, txtCar(3), "0"); }},
    {"list", "指令伝達",
     [](TrainData& d) {
         d.edit(listStepName(cbxBrkSend), [&] { d.setListIndex(cbxBrkSend, 2); });
     }},
    {"check box", "抑速制御",
     [](TrainData& d) {
         d.edit(checkStepName(3), [&] { d.setCheck(chkDevice(3), true); });
     }},
    {"motor-sound table", "モータ音",
     [](TrainData& d) {
         MotorSoundTable table = d.motorSoundTable();
         table[Track::P2][5].index = 3;
         d.edit(motorSoundStepName(), [&] { d.setMotorSoundTable(table); });
     }},
    {"acceleration table", "加速力曲線",
     [](TrainData& d) {
         AccelerationTable table = d.accelerationTable();
         table[2].speed1 = 40;
         d.edit(accelerationStepName(), [&] { d.setAccelerationTable(table); });
     }},
};

} // namespace

TEST(DocumentHistory, EachKindOfChangeIsOneStepThatUndoesAndRedoesWithItsRules) {
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        History h;
        const DocumentState before = h.data.state();
        QSignalSpy committed(&h.data, &TrainData::stepCommitted);
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
    h.type(txtPer(1), QStringLiteral("0.5")); // typing, not committed
    EXPECT_TRUE(h.history.hasPendingChanges());
    EXPECT_EQ(h.history.undoText(), QStringLiteral("粘着係数"));
    h.history.undo();
    EXPECT_EQ(h.data.text(txtPer(1)), QStringLiteral("0.35"));
    EXPECT_EQ(h.data.text(txtPer(0)), QStringLiteral("3"));
    EXPECT_EQ(h.history.redoText(), QString()); // putting typing back is no step

    // Typing back to the committed text is no change.
    h.type(txtPer(1), QStringLiteral("0.3"));
    h.type(txtPer(1), QStringLiteral("0.35"));
    h.data.edit(fieldStepName(txtPer(1)), [] {});
    EXPECT_EQ(h.history.stack().count(), 1);

    // A save with typing in a field: the typing becomes a step, the saved state clean.
    h.type(txtPer(1), QStringLiteral("0.5"));
    h.data.markSaved();
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
        h.data.edit(QString(), [&] { h.data.setText(txtPer(0), QString::number(i + 10)); });
    }
    EXPECT_EQ(h.history.stack().count(), DocumentHistory::StepLimit);
    // The saved state fell off the bottom: no undo reaches it.
    while (h.history.canUndo())
        h.history.undo();
    EXPECT_TRUE(h.data.isModified());

    // A text too large to keep twice ends the history that led to it.
    h.data.edit(QString(), [&] { h.data.setText(txtPer(1), QString(60 * 1024, u'9')); });
    EXPECT_FALSE(h.history.canUndo());
    EXPECT_TRUE(h.data.isModified());

    // A reader's work on a scratch document is no step, and comes in as one replacement.
    TrainData scratch;
    scratch.setText(txtPer(0), QStringLiteral("2"));
    scratch.setListIndex(cbxBrkSend, 2);
    scratch.setDocumentPath(QStringLiteral("/tmp/read.dat"));
    QSignalSpy committed(&h.data, &TrainData::stepCommitted);
    h.data.adopt(scratch);
    EXPECT_TRUE(h.data.holds(scratch.state()));
    EXPECT_EQ(h.data.documentPath(), QStringLiteral("/tmp/read.dat"));
    EXPECT_EQ(committed.count(), 1);
    EXPECT_FALSE(h.history.canUndo());
    EXPECT_FALSE(h.data.isModified());
    h.data.adopt(scratch, true); // a recovered copy
    EXPECT_TRUE(h.data.isModified());
    // Its saved state is unknown: no change and its reverse clears the mark.
    h.data.edit(checkStepName(0), [&] { h.data.setCheck(chkDevice(0), true); });
    h.data.edit(checkStepName(0), [&] { h.data.setCheck(chkDevice(0), false); });
    EXPECT_TRUE(h.data.isModified());
}

TEST(DocumentHistory, TheMarkComparesWithTheSavedStateAfterEveryStep) {
    History h;
    QSignalSpy marks(&h.data, &TrainData::modifiedChanged);
    h.data.edit(checkStepName(2), [&] { h.data.setCheck(chkDevice(2), true); });
    EXPECT_TRUE(h.data.isModified());
    h.data.edit(checkStepName(2), [&] { h.data.setCheck(chkDevice(2), false); });
    EXPECT_FALSE(h.data.isModified());
    EXPECT_EQ(h.history.stack().count(), 2); // both stay undoable
    EXPECT_EQ(marks.count(), 2);

    // After a save the saved state moves: back at the old one is modified.
    typeAndLeave(h.data, txtPer(0), "3");
    h.data.markSaved();
    EXPECT_FALSE(h.data.isModified());
    h.history.undo();
    EXPECT_TRUE(h.data.isModified());
    typeAndLeave(h.data, txtPer(0), "3"); // the saved value again, by another way
    EXPECT_FALSE(h.data.isModified());

    // Typing marks at once and clears when typed back.
    h.type(txtPer(1), QStringLiteral("0.4"));
    EXPECT_TRUE(h.data.isModified());
    h.type(txtPer(1), QStringLiteral("0.35"));
    EXPECT_FALSE(h.data.isModified());
}

namespace {
int strayEdits = 0;
void countStrayEdit() { ++strayEdits; }
} // namespace

TEST(DocumentHistory, AChangeOutsideAnEditIsCaughtAndScratchDocumentsAreFree) {
    const StrayEditHandler previous = setStrayEditHandler(&countStrayEdit);
    strayEdits = 0;
    {
        TrainData scratch;
        scratch.setText(txtPer(0), QStringLiteral("5"));
        scratch.setCheck(chkDevice(1), true);
        EXPECT_EQ(strayEdits, 0);

        History h;
        const std::function<void()> strays[] = {
            [&] { h.data.setText(txtPer(0), QStringLiteral("5")); },
            [&] { h.data.setListIndex(cbxBrkSend, 1); },
            [&] { h.data.setCheck(chkDevice(1), true); },
            [&] { h.data.setAccelerationTable(defaultAccelerationTable()); },
            [&] { h.data.setMotorSoundTable(defaultMotorSoundTable()); },
            [&] { h.data.resetToDefaults(); },
        };
        for (const auto& stray : strays) {
            const int before = strayEdits;
            stray();
            EXPECT_GT(strayEdits, before);
        }

        // Undo, redo and a replacement change the document from inside.
        const int before = strayEdits;
        h.data.edit(checkStepName(1), [&] { h.data.setCheck(chkDevice(1), false); });
        h.data.edit(checkStepName(1), [&] { h.data.setCheck(chkDevice(1), true); });
        h.history.undo();
        h.history.redo();
        h.data.adopt(scratch);
        EXPECT_EQ(strayEdits, before);
    }
    setStrayEditHandler(previous);
}
