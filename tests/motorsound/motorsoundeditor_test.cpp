#include "document/traindata.h"
#include "motorsound/motorsoundeditor.h"
#include "motorsound/motorsoundgraph.h"
#include "support/scriptedprompter.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

// A pixel row inside the cell of a value (its upper pixel, so snapping is exercised).
double yOf(int value) {
    return 798 - 2 * value;
}

class MotorSoundEditorTest : public ::testing::Test {
protected:
    void SetUp() override { editor.load(original); }

    // Two left presses: (row, value) to (row, value).
    void edit(MotorSoundTool tool, int row1, int value1, int row2, int value2) {
        editor.selectTool(tool);
        editor.press(Qt::LeftButton, row1, yOf(value1));
        editor.move(row2, yOf(value2));
        editor.press(Qt::LeftButton, row2, yOf(value2));
    }
    const MotorSoundTrack& track(Track t) const { return editor.workingCopy()[t]; }
    // The working copy equals the original except in the given rows of one track.
    void expectUnchangedExcept(Track t, int first, int last) const {
        for (int n = 0; n < TrackCount; ++n) {
            for (int r = 0; r < MotorSoundRows; ++r) {
                if (n == int(t) && r >= first && r <= last)
                    continue;
                ASSERT_EQ(editor.workingCopy().tracks[n][r], original.tracks[n][r])
                    << n << "/" << r;
            }
        }
    }

    MotorSoundTable original = defaultMotorSoundTable();
    MotorSoundCopyBuffer buffer;
    ScriptedPrompter prompter;
    MotorSoundEditor editor{buffer, prompter};
};

} // namespace

TEST_F(MotorSoundEditorTest, PitchLineFollowsThePressesAndKeepsTheFloor) {
    edit(MotorSoundTool::Pitch, 100, 5, 145, 50);
    for (int r = 100; r <= 145; ++r) {
        EXPECT_EQ(track(Track::P1)[r].pitch, std::max(5 + r - 100, 10)) << r;
        EXPECT_EQ(track(Track::P1)[r].volume, 127);
        EXPECT_EQ(track(Track::P1)[r].index, 0);
    }
    expectUnchangedExcept(Track::P1, 100, 145);
    EXPECT_FALSE(editor.isPending());
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(MotorSoundEditorTest, LinesDrawnLeftwardsEqualLinesDrawnRightwards) {
    struct Line {
        int r1, v1, r2, v2;
    };
    for (const Line& l : {Line{0, 0, 799, 399}, Line{10, 300, 17, 3}, Line{200, 40, 203, 41},
                          Line{5, 120, 650, 130}}) {
        for (MotorSoundTool tool : {MotorSoundTool::Pitch, MotorSoundTool::Volume}) {
            editor.load(original);
            edit(tool, l.r1, l.v1, l.r2, l.v2);
            const MotorSoundTable rightwards = editor.workingCopy();
            editor.load(original);
            edit(tool, l.r2, l.v2, l.r1, l.v1);
            EXPECT_EQ(editor.workingCopy(), rightwards) << l.r1 << " " << l.r2;
        }
    }
    // The end rows take exactly the values of their presses.
    editor.load(original);
    edit(MotorSoundTool::Volume, 650, 13, 5, 120);
    EXPECT_EQ(track(Track::P1)[5].volume, 120);
    EXPECT_EQ(track(Track::P1)[650].volume, 13);
}

TEST_F(MotorSoundEditorTest, HalvesRoundToEvenAndLimitsApply) {
    edit(MotorSoundTool::Volume, 0, 0, 2, 1);
    EXPECT_EQ(track(Track::P1)[1].volume, 0);
    edit(MotorSoundTool::Volume, 10, 0, 12, 3);
    EXPECT_EQ(track(Track::P1)[11].volume, 2);

    edit(MotorSoundTool::Volume, 300, 300, 310, 300);
    for (int r = 300; r <= 310; ++r)
        EXPECT_EQ(track(Track::P1)[r].volume, 127) << r;
    edit(MotorSoundTool::Pitch, 400, 0, 410, 399);
    EXPECT_EQ(track(Track::P1)[400].pitch, 10);
    EXPECT_EQ(track(Track::P1)[410].pitch, 399);
}

TEST_F(MotorSoundEditorTest, OneColumnTakesTheFirstPressOnly) {
    edit(MotorSoundTool::Pitch, 300, 80, 300, 20);
    EXPECT_EQ(track(Track::P1)[300].pitch, 80);
    edit(MotorSoundTool::Pitch, 301, 3, 301, 200);
    EXPECT_EQ(track(Track::P1)[301].pitch, 10);
    edit(MotorSoundTool::Volume, 302, 300, 302, 5);
    EXPECT_EQ(track(Track::P1)[302].volume, 127);
    editor.chooseIndex(7);
    edit(MotorSoundTool::Index, 303, 0, 303, 0);
    EXPECT_EQ(track(Track::P1)[303].index, 7);
    expectUnchangedExcept(Track::P1, 300, 303);
}

TEST_F(MotorSoundEditorTest, IndexToolWritesTheChoiceOnTheCurrentTrackOnly) {
    editor.selectTrack(2);
    editor.chooseIndex(-1); // "無音"
    edit(MotorSoundTool::Index, 10, 250, 20, 3);
    for (int r = 10; r <= 20; ++r) {
        EXPECT_EQ(track(Track::B1)[r].index, -1) << r;
        EXPECT_EQ(track(Track::B1)[r].pitch, original[Track::B1][r].pitch);
    }
    expectUnchangedExcept(Track::B1, 10, 20);
}

TEST_F(MotorSoundEditorTest, CopyThenPasteOnAnotherTrackStopsAtTheLastRow) {
    editor.setHexScale(true);
    edit(MotorSoundTool::Copy, 199, 30, 100, 7);
    EXPECT_EQ(editor.tool(), MotorSoundTool::Paste);
    EXPECT_FALSE(editor.hexScale());
    EXPECT_EQ(buffer.records[100].pitch, 0);

    editor.selectTrack(1);
    EXPECT_EQ(editor.previousTrack(), 0);
    editor.press(Qt::LeftButton, 750, 5);
    EXPECT_FALSE(editor.isPending());
    for (int r = 750; r <= 799; ++r)
        EXPECT_EQ(track(Track::P2)[r], original[Track::P1][r - 650]) << r;
    expectUnchangedExcept(Track::P2, 750, 799);

    // Paste ignores other buttons.
    editor.press(Qt::RightButton, 0, 5);
    expectUnchangedExcept(Track::P2, 750, 799);
}

TEST_F(MotorSoundEditorTest, PasteStopsAtTheEndMark) {
    original[Track::P1][102].pitch = 0;
    editor.load(original);
    edit(MotorSoundTool::Copy, 100, 0, 110, 0);
    editor.press(Qt::LeftButton, 0, 0);
    EXPECT_EQ(track(Track::P1)[0], original[Track::P1][100]);
    EXPECT_EQ(track(Track::P1)[1], original[Track::P1][101]);
    expectUnchangedExcept(Track::P1, 0, 1);

    // One column: record 0 and a mark in record 1 that keeps its other fields.
    buffer.records[1] = {5, 66, 3};
    edit(MotorSoundTool::Copy, 500, 0, 500, 9);
    EXPECT_EQ(buffer.records[0], original[Track::P1][500]);
    EXPECT_EQ(buffer.records[1], (MotorSoundEntry{0, 66, 3}));
}

TEST_F(MotorSoundEditorTest, PasteBeforeAnyCopyChangesNothingButShowsItsWork) {
    QSignalSpy status(&editor, &MotorSoundEditor::statusChanged);
    QSignalSpy image(&editor, &MotorSoundEditor::imageChanged);
    editor.selectTool(MotorSoundTool::Paste);
    editor.press(Qt::LeftButton, 0, 0);
    EXPECT_EQ(editor.workingCopy(), original);
    ASSERT_EQ(status.size(), 2);
    EXPECT_EQ(status.at(0).at(0).toString(), QStringLiteral("処理中..."));
    EXPECT_TRUE(status.at(0).at(1).toBool());
    EXPECT_EQ(status.at(1).at(0).toString(), QString());
    EXPECT_GE(image.size(), 1);
}

TEST_F(MotorSoundEditorTest, NonLeftPressOrCancelDropsThePendingEdit) {
    const QImage graph = editor.graphImage();
    for (Qt::MouseButton cancelling : {Qt::RightButton, Qt::MiddleButton}) {
        edit(MotorSoundTool::Pitch, 100, 50, 100, 50); // settle a clean state
        editor.load(original);
        editor.selectTool(MotorSoundTool::Pitch);
        editor.press(Qt::LeftButton, 100, yOf(50));
        EXPECT_TRUE(editor.isPending());
        EXPECT_NE(editor.image(), graph);
        editor.move(300, yOf(200));
        editor.move(-40, 900); // outside the graph
        editor.press(cancelling, 200, yOf(100));
        EXPECT_FALSE(editor.isPending());
        EXPECT_EQ(editor.endPoint(), QPoint(200, 599));
        EXPECT_EQ(editor.workingCopy(), original);
        EXPECT_EQ(editor.image(), graph);
    }
    // A later left press starts a new edit.
    editor.press(Qt::LeftButton, 20, yOf(30));
    EXPECT_TRUE(editor.isPending());
    EXPECT_EQ(editor.startPoint(), QPoint(20, 739));
    editor.cancel();
    EXPECT_EQ(editor.image(), graph);
    // An idle right press does nothing at all.
    editor.press(Qt::RightButton, 20, yOf(30));
    EXPECT_FALSE(editor.isPending());
}

TEST_F(MotorSoundEditorTest, RubberBandSurvivesRedrawsAndToolChangesDuringAnEdit) {
    editor.selectTool(MotorSoundTool::Copy);
    editor.press(Qt::LeftButton, 100, 10);
    editor.move(150, 10);
    editor.setHexScale(true); // the scale changed by keyboard while the edit is pending
    editor.selectTrack(3);
    editor.move(160, 10);
    editor.press(Qt::RightButton, 0, 0);
    EXPECT_EQ(editor.image(), MotorSoundGraph::render(original, {3, 0, true}));

    // A tool changed behind the edit's back: the band drawn is the band erased.
    editor.selectTool(MotorSoundTool::Index);
    editor.press(Qt::LeftButton, 100, 10);
    editor.move(150, 10);
    editor.selectTool(MotorSoundTool::Pitch);
    editor.move(170, 300);
    editor.cancel();
    EXPECT_EQ(editor.image(), editor.graphImage());
}

TEST_F(MotorSoundEditorTest, ChoosingAnIndexCancelsAndSelectsTheIndexTool) {
    QSignalSpy tools(&editor, &MotorSoundEditor::toolChanged);
    editor.selectTool(MotorSoundTool::Volume);
    EXPECT_TRUE(editor.hexScale());
    editor.setHexScale(false); // the user may change it afterwards
    EXPECT_FALSE(editor.hexScale());
    editor.press(Qt::LeftButton, 10, 10);
    editor.chooseIndex(4);
    EXPECT_FALSE(editor.isPending());
    EXPECT_EQ(editor.tool(), MotorSoundTool::Index);
    EXPECT_EQ(editor.indexChoice(), 4);
    EXPECT_EQ(tools.size(), 2);
    EXPECT_EQ(editor.image(), editor.graphImage());
}

TEST_F(MotorSoundEditorTest, LoadStartsAfreshButKeepsTheCopyBuffer) {
    edit(MotorSoundTool::Copy, 10, 0, 12, 0);
    editor.selectTrack(2);
    editor.selectTool(MotorSoundTool::Volume);
    editor.press(Qt::LeftButton, 5, 5);

    MotorSoundEditor reopened{buffer, prompter};
    MotorSoundTable changed = original;
    changed[Track::P1][0].volume = 3;
    editor.load(changed);
    for (MotorSoundEditor* e : {&editor, &reopened}) {
        e->load(changed);
        EXPECT_FALSE(e->isPending());
        EXPECT_EQ(e->currentTrack(), 0);
        EXPECT_EQ(e->previousTrack(), 0);
        EXPECT_EQ(e->tool(), MotorSoundTool::Index);
        EXPECT_EQ(e->indexChoice(), -1);
        EXPECT_FALSE(e->hexScale());
        EXPECT_EQ(e->image(), MotorSoundGraph::render(changed, {}));
        e->selectTool(MotorSoundTool::Paste);
        e->press(Qt::LeftButton, 700, 5);
        EXPECT_EQ(e->workingCopy()[Track::P1][702], original[Track::P1][12]);
    }
    // やり直し returns to the document and drops the pending edit.
    editor.selectTool(MotorSoundTool::Pitch);
    editor.press(Qt::LeftButton, 5, 5);
    editor.startOver(changed);
    EXPECT_FALSE(editor.isPending());
    EXPECT_EQ(editor.workingCopy(), changed);
    EXPECT_EQ(editor.image(), editor.graphImage());
}
