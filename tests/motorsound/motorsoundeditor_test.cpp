#include "document/traindata.h"
#include "motorsound/motorsoundeditor.h"
#include "support/scriptedprompter.h"

#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

// A pixel row inside a value's cell (its upper pixel, so snapping is exercised).
double yOf(int value) {
    return 798 - 2 * value;
}

class MotorSoundEditorTest : public ::testing::Test {
protected:
    void SetUp() override { editor.load(original); }

    void edit(MotorSoundTool tool, int row1, int value1, int row2, int value2) {
        editor.selectTool(tool);
        editor.press(Qt::LeftButton, row1, yOf(value1));
        editor.move(row2, yOf(value2));
        editor.press(Qt::LeftButton, row2, yOf(value2));
    }
    const MotorSoundTrack& track(Track t) const { return editor.workingCopy()[t]; }
    // Nothing changed outside rows first..last of track t.
    void expectOnlyChanged(Track t, int first, int last) const {
        for (int n = 0; n < TrackCount; ++n)
            for (int r = 0; r < MotorSoundRows; ++r)
                if (n != int(t) || r < first || r > last) {
                    ASSERT_EQ(editor.workingCopy().tracks[n][r], original.tracks[n][r])
                        << n << "/" << r;
                }
    }

    MotorSoundTable original = defaultMotorSoundTable();
    MotorSoundCopyBuffer buffer;
    ScriptedPrompter prompter;
    MotorSoundEditor editor{buffer, prompter};
};

} // namespace

TEST_F(MotorSoundEditorTest, LinesSetValuesWithLimitsAndHalvesToEvenInEitherDirection) {
    edit(MotorSoundTool::Pitch, 100, 5, 145, 50);
    for (int r = 100; r <= 145; ++r)
        EXPECT_EQ(track(Track::P1)[r].pitch, std::max(5 + r - 100, 10)) << r;
    expectOnlyChanged(Track::P1, 100, 145);

    edit(MotorSoundTool::Volume, 0, 0, 2, 1);
    edit(MotorSoundTool::Volume, 10, 0, 12, 3);
    edit(MotorSoundTool::Volume, 300, 300, 310, 300);
    EXPECT_EQ(track(Track::P1)[1].volume, 0);
    EXPECT_EQ(track(Track::P1)[11].volume, 2);
    for (int r = 300; r <= 310; ++r)
        EXPECT_EQ(track(Track::P1)[r].volume, 127) << r;
    EXPECT_EQ(track(Track::P1)[300].pitch, original[Track::P1][300].pitch);
    EXPECT_EQ(prompter.count(), 0);

    // Lines drawn leftwards equal lines drawn rightwards.
    for (const auto& [r1, v1, r2, v2] : {std::array{0, 0, 799, 399}, std::array{10, 300, 17, 3},
                                         std::array{5, 120, 650, 13}}) {
        for (MotorSoundTool tool : {MotorSoundTool::Pitch, MotorSoundTool::Volume}) {
            editor.load(original);
            edit(tool, r1, v1, r2, v2);
            const MotorSoundTable rightwards = editor.workingCopy();
            editor.load(original);
            edit(tool, r2, v2, r1, v1);
            EXPECT_EQ(editor.workingCopy(), rightwards) << r1 << " " << r2;
        }
    }
    EXPECT_EQ(track(Track::P1)[5].volume, 120); // each end keeps its press's value
    EXPECT_EQ(track(Track::P1)[650].volume, 13);
}

TEST_F(MotorSoundEditorTest, OneColumnTakesTheFirstPressAndIndexTheChoice) {
    edit(MotorSoundTool::Pitch, 300, 80, 300, 20);
    edit(MotorSoundTool::Pitch, 301, 3, 301, 200);
    edit(MotorSoundTool::Volume, 302, 300, 302, 5);
    EXPECT_EQ(track(Track::P1)[300].pitch, 80);
    EXPECT_EQ(track(Track::P1)[301].pitch, 10);
    EXPECT_EQ(track(Track::P1)[302].volume, 127);
    expectOnlyChanged(Track::P1, 300, 302);

    editor.load(original);
    editor.selectTrack(2);
    editor.chooseIndex(-1); // "無音"
    edit(MotorSoundTool::Index, 10, 250, 20, 3);
    for (int r = 10; r <= 20; ++r)
        EXPECT_EQ(track(Track::B1)[r], (MotorSoundEntry{original[Track::B1][r].pitch, 127, -1}))
            << r;
    expectOnlyChanged(Track::B1, 10, 20);
}

// The window's test pins the "処理中..." shown first, and that a copy selects paste.
TEST_F(MotorSoundEditorTest, PasteBeforeAnyCopyChangesNothingAndCopyAndPasteMoveRows) {
    editor.selectTool(MotorSoundTool::Paste);
    editor.press(Qt::LeftButton, 0, 0);
    EXPECT_EQ(editor.workingCopy(), original);
    edit(MotorSoundTool::Copy, 199, 30, 100, 7);
    EXPECT_EQ(buffer.records[100].pitch, 0);
    editor.selectTrack(1);
    editor.press(Qt::LeftButton, 750, 5);
    editor.press(Qt::RightButton, 0, 5); // ignored by paste
    for (int r = 750; r <= 799; ++r)
        EXPECT_EQ(track(Track::P2)[r], original[Track::P1][r - 650]) << r;
    expectOnlyChanged(Track::P2, 750, 799);

    // A copied pitch of 0 ends the paste; one column keeps the mark's other fields.
    original[Track::P1][102].pitch = 0;
    editor.load(original);
    edit(MotorSoundTool::Copy, 100, 0, 110, 0);
    editor.press(Qt::LeftButton, 0, 0);
    EXPECT_EQ(track(Track::P1)[1], original[Track::P1][101]);
    expectOnlyChanged(Track::P1, 0, 1);
    buffer.records[1] = {5, 66, 3};
    edit(MotorSoundTool::Copy, 500, 0, 500, 9);
    EXPECT_EQ(buffer.records[0], original[Track::P1][500]);
    EXPECT_EQ(buffer.records[1], (MotorSoundEntry{0, 66, 3}));
}

TEST_F(MotorSoundEditorTest, CancellingLeavesTableAndImageAsTheyWere) {
    const QImage graph = editor.graphImage();
    editor.selectTool(MotorSoundTool::Pitch);
    for (Qt::MouseButton cancelling : {Qt::RightButton, Qt::MiddleButton}) {
        editor.press(Qt::LeftButton, 100, yOf(50));
        EXPECT_TRUE(editor.isPending());
        editor.move(300, yOf(200));
        editor.move(-40, 900);
        editor.press(cancelling, 200, yOf(100));
        EXPECT_FALSE(editor.isPending());
        EXPECT_EQ(editor.workingCopy(), original);
        EXPECT_EQ(editor.image(), graph);
    }
    editor.press(Qt::LeftButton, 20, yOf(30)); // a new edit starts
    EXPECT_EQ(editor.startPoint(), QPoint(20, 739));
    editor.cancel();

    // Redraws and a tool change during an edit keep the band erasable.
    editor.press(Qt::LeftButton, 100, 10);
    editor.setHexScale(true);
    editor.selectTrack(3);
    editor.selectTool(MotorSoundTool::Pitch);
    editor.move(170, 300);
    editor.cancel();
    EXPECT_EQ(editor.image(), MotorSoundGraph::render(original, {3, 0, false}));
}

// The window's やり直し pins startOver; the opening test pins the copy buffer kept across loads.
TEST_F(MotorSoundEditorTest, LoadReturnsToTheDocumentsFirstView) {
    editor.selectTrack(2);
    editor.chooseIndex(3);
    editor.setHexScale(true);
    editor.selectTool(MotorSoundTool::Volume);
    editor.press(Qt::LeftButton, 5, 5);
    MotorSoundTable changed = original;
    changed[Track::P1][0].volume = 3;
    editor.load(changed);
    EXPECT_FALSE(editor.isPending() || editor.hexScale());
    EXPECT_EQ(std::make_pair(editor.currentTrack(), editor.previousTrack()), std::make_pair(0, 0));
    EXPECT_EQ(std::make_pair(editor.tool(), editor.indexChoice()),
              std::make_pair(MotorSoundTool::Index, -1));
    EXPECT_EQ(editor.image(), MotorSoundGraph::render(changed, {}));
}

TEST_F(MotorSoundEditorTest, EachChangeIsAStepThatUndoAndRedoShowOnItsTrack) {
    const std::function<void()> changes[] = {
        [&] { edit(MotorSoundTool::Index, 10, 0, 20, 0); },
        [&] { editor.selectTrack(1), edit(MotorSoundTool::Pitch, 100, 50, 120, 60); },
        [&] {
            editor.selectTrack(2), edit(MotorSoundTool::Volume, 300, 5, 310, 9);
            edit(MotorSoundTool::Copy, 0, 0, 99, 0); // changes no row: no step
        },
        [&] { editor.selectTrack(3), edit(MotorSoundTool::Paste, 500, 0, 500, 0); },
        [&] { editor.startOver(original); },
    };
    QList<MotorSoundTable> states{original};
    for (const auto& change : changes) {
        change();
        states.append(editor.workingCopy());
    }
    const int tracks[] = {0, 1, 2, 3, 3};
    ASSERT_EQ(editor.history().stack().count(), 5);
    for (int k = 4; k >= 0; --k) {
        editor.selectTrack((tracks[k] + 1) % TrackCount);
        editor.undo();
        EXPECT_EQ(editor.workingCopy(), states[k]) << k;
        EXPECT_EQ(editor.currentTrack(), tracks[k]) << k;
    }
    for (int k = 1; k <= 5; ++k)
        editor.redo();
    editor.selectTool(MotorSoundTool::Pitch);
    editor.press(Qt::LeftButton, 100, yOf(50));
    editor.undo(); // takes back only the edit under way
    EXPECT_FALSE(editor.isPending());
    EXPECT_EQ(editor.workingCopy(), states[5]);
    EXPECT_EQ(editor.image(), editor.graphImage());
    editor.load(original);
    EXPECT_FALSE(editor.history().canUndo());
}
