#include "cli/clicommands.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"
#include "motorsound/motorsoundgeometry.h"
#include "motorsound/ui/motorsoundgraphview.h"
#include "motorsound/ui/motorsoundwindow.h"
#include "support/scriptedprompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

// Records what the status box showed each time it was painted, and whether
// the table had changed by then.
class PaintRecorder : public QObject {
public:
    std::function<bool()> workDone;
    QStringList texts;
    QList<bool> doneAtPaint;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            texts.append(static_cast<QLabel*>(watched)->text());
            doneAtPaint.append(workDone());
        }
        return false;
    }
};

class FlagEvent : public QObject {
public:
    bool delivered = false;
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            delivered = true;
            return true;
        }
        return QObject::event(e);
    }
};

class MotorSoundWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.load();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <typename T> T* child(const QString& name) const {
        T* w = window.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QWidget* graph() const { return window.graphView(); }
    QScrollBar* hScroll() const { return child<QScrollBar>(QStringLiteral("HScroll1")); }
    QScrollBar* vScroll() const { return child<QScrollBar>(QStringLiteral("VScroll1")); }
    QString status() const { return child<QLabel>(QStringLiteral("pbxStatus"))->text(); }
    const MotorSoundTable& working() const { return window.editor().workingCopy(); }

    // Scrolls so that the graph pixel is in view, then acts on it with real events.
    QPoint show(int row, int value) {
        const QPoint p(row, 798 - 2 * value);
        hScroll()->setValue(std::clamp(p.x() - 200, 0, 400));
        vScroll()->setValue(std::clamp(p.y() - 200, 0, 400));
        return p;
    }
    void press(int row, int value, Qt::MouseButton button = Qt::LeftButton) {
        const QPoint p = show(row, value);
        QTest::mousePress(graph(), button, {}, p);
        if (button == Qt::LeftButton) {
            QTest::mouseRelease(graph(), button, {}, p);
            return;
        }
        // The platform follows a right press with a context-menu request.
        QContextMenuEvent menu(QContextMenuEvent::Mouse, p, graph()->mapToGlobal(p));
        QCoreApplication::sendEvent(graph(), &menu);
    }
    void moveTo(int row, int value) { QTest::mouseMove(graph(), show(row, value)); }
    void click(const QString& name) {
        QWidget* w = child<QWidget>(name);
        // Check boxes and option buttons react on their indicator.
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
    }
    void clickTrack(int row) {
        auto* list = child<QListWidget>(QStringLiteral("lstLayer"));
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    void pitchLine(int row1, int value1, int row2, int value2) {
        click(QStringLiteral("optTool(1)"));
        press(row1, value1);
        moveTo(row2, value2);
        press(row2, value2);
    }

    TrainData data;
    ScriptedPrompter prompter;
    MotorSoundWindow window{data, prompter, nullptr};
};

} // namespace

TEST_F(MotorSoundWindowTest, OpensAtTheBottomLeftWithTheFixedLayout) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("モータ音"));
    EXPECT_EQ(window.size(), QSize(533, 422));
    EXPECT_FALSE(window.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    auto* list = child<QListWidget>(QStringLiteral("lstLayer"));
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("減速音1"));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(list->toolTip(), QStringLiteral("編集するトラックを選択してください。"));
    // Every row visible without scrolling.
    EXPECT_FALSE(list->verticalScrollBar()->isVisible());
    auto* index = child<QComboBox>(QStringLiteral("cbxIndex"));
    ASSERT_EQ(index->count(), 9);
    EXPECT_EQ(index->itemText(0), QStringLiteral("無音"));
    EXPECT_EQ(index->itemText(8), QStringLiteral("7"));
    EXPECT_EQ(child<QRadioButton>(QStringLiteral("optTool(4)"))->text(),
              QStringLiteral("ペースト"));
    EXPECT_TRUE(child<QRadioButton>(QStringLiteral("optTool(0)"))->isChecked());
    EXPECT_FALSE(child<QCheckBox>(QStringLiteral("chkHex"))->isChecked());

    EXPECT_EQ(hScroll()->value(), 0);
    EXPECT_EQ(vScroll()->maximum(), 400);
    EXPECT_EQ(vScroll()->value(), 400);
    EXPECT_EQ(hScroll()->pageStep(), 400);
    EXPECT_EQ(graph()->pos(), QPoint(0, -400));
    // The corner square sits between the two bars.
    auto* corner = child<QWidget>(QStringLiteral("Picture1"));
    EXPECT_EQ(corner->geometry().topLeft(), hScroll()->geometry().topRight() + QPoint(1, 0));
    EXPECT_EQ(corner->geometry().topLeft(), vScroll()->geometry().bottomLeft() + QPoint(0, 1));

    hScroll()->setValue(123);
    vScroll()->setValue(45);
    EXPECT_EQ(graph()->pos(), QPoint(-123, -45));
    window.load();
    EXPECT_EQ(graph()->pos(), QPoint(0, -400));
}

TEST_F(MotorSoundWindowTest, TwoPressEditChangesOnlyTheCurrentTrackUntilApplied) {
    const MotorSoundTable before = data.motorSoundTable();
    clickTrack(1);
    pitchLine(10, 20, 50, 60);
    for (int r = 10; r <= 50; ++r)
        EXPECT_EQ(working()[Track::P2][r].pitch, 20 + r - 10) << r;
    MotorSoundTable expected = before;
    for (int r = 10; r <= 50; ++r)
        expected[Track::P2][r].pitch = std::int16_t(20 + r - 10);
    EXPECT_EQ(working(), expected);
    EXPECT_EQ(data.motorSoundTable(), before);
    EXPECT_EQ(status(), QString());

    // 適用 writes everything, keeps the window and a pending edit.
    press(100, 100);
    click(QStringLiteral("cmdApply"));
    EXPECT_EQ(data.motorSoundTable(), expected);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.editor().isPending());

    // やり直し drops later edits and the pending one.
    press(200, 100);
    click(QStringLiteral("cmdRedo"));
    EXPECT_FALSE(window.editor().isPending());
    EXPECT_EQ(working(), expected);
    EXPECT_EQ(window.editor().image(), window.editor().graphImage());

    // キャンセル leaves the document alone; reopening shows the document.
    pitchLine(300, 5, 310, 50);
    click(QStringLiteral("cmdCancel"));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(data.motorSoundTable(), expected);
    window.load();
    window.show();
    EXPECT_EQ(working(), expected);

    // The close box too.
    pitchLine(300, 5, 310, 50);
    window.close();
    EXPECT_EQ(data.motorSoundTable(), expected);

    // OK applies and closes.
    window.load();
    window.show();
    pitchLine(300, 5, 310, 50);
    const MotorSoundTable edited = working();
    EXPECT_NE(edited, expected);
    click(QStringLiteral("cmdOk"));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(data.motorSoundTable(), edited);
}

TEST_F(MotorSoundWindowTest, ReadOutFollowsThePointer) {
    hScroll()->setValue(0);
    vScroll()->setValue(0);
    // QTest takes the point (0, 0) for "the centre"; send that one directly.
    QMouseEvent topLeft(QEvent::MouseMove, QPointF(0, 0), graph()->mapToGlobal(QPointF(0, 0)),
                        Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(graph(), &topLeft);
    EXPECT_EQ(status(), QStringLiteral(" 0, 399"));
    hScroll()->setValue(400);
    vScroll()->setValue(400);
    QTest::mouseMove(graph(), QPoint(799, 799));
    EXPECT_EQ(status(), QStringLiteral(" 159.8, 0"));

    click(QStringLiteral("chkHex"));
    EXPECT_TRUE(window.editor().hexScale());
    moveTo(62, 127);
    EXPECT_EQ(status(), QStringLiteral(" 12.4, 7F"));
}

TEST_F(MotorSoundWindowTest, ToolsSetTheScaleAndFocusCancelsAPendingEdit) {
    auto* hex = child<QCheckBox>(QStringLiteral("chkHex"));
    click(QStringLiteral("optTool(2)"));
    EXPECT_TRUE(hex->isChecked());
    press(10, 10);
    ASSERT_TRUE(window.editor().isPending());
    click(QStringLiteral("chkHex")); // cancels first, then unticks
    EXPECT_FALSE(window.editor().isPending());
    EXPECT_FALSE(hex->isChecked());
    EXPECT_EQ(window.editor().tool(), MotorSoundTool::Volume);

    press(10, 10);
    clickTrack(2);
    EXPECT_FALSE(window.editor().isPending());
    EXPECT_EQ(window.editor().currentTrack(), 2);
    EXPECT_EQ(window.editor().image(), window.editor().graphImage());

    press(10, 10);
    click(QStringLiteral("optTool(3)"));
    EXPECT_FALSE(window.editor().isPending());
    EXPECT_EQ(window.editor().tool(), MotorSoundTool::Copy);

    press(10, 10);
    auto* index = child<QComboBox>(QStringLiteral("cbxIndex"));
    index->setCurrentIndex(4);
    emit index->activated(4);
    EXPECT_FALSE(window.editor().isPending());
    EXPECT_EQ(window.editor().indexChoice(), 3);
    EXPECT_TRUE(child<QRadioButton>(QStringLiteral("optTool(0)"))->isChecked());

    // A right press on the graph cancels too, and opens no menu.
    press(10, 10);
    press(20, 20, Qt::RightButton);
    EXPECT_FALSE(window.editor().isPending());
    EXPECT_FALSE(window.graphMenu()->isVisible());
    EXPECT_EQ(working(), data.motorSoundTable());
}

TEST_F(MotorSoundWindowTest, CopySelectsPasteAndTheBufferOutlivesClosing) {
    click(QStringLiteral("optTool(2)"));
    click(QStringLiteral("optTool(3)"));
    press(100, 0);
    press(199, 0);
    EXPECT_TRUE(child<QRadioButton>(QStringLiteral("optTool(4)"))->isChecked());
    EXPECT_FALSE(child<QCheckBox>(QStringLiteral("chkHex"))->isChecked());
    click(QStringLiteral("cmdCancel"));

    window.load();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.editor().tool(), MotorSoundTool::Index);
    clickTrack(1);
    click(QStringLiteral("optTool(4)"));

    // "処理中..." is on screen before the rows change, and nothing else runs meanwhile.
    const MotorSoundTable before = working();
    FlagEvent waiting;
    PaintRecorder recorder;
    recorder.workDone = [&] { return working() != before || waiting.delivered; };
    child<QLabel>(QStringLiteral("pbxStatus"))->installEventFilter(&recorder);
    QCoreApplication::postEvent(&waiting, new QEvent(QEvent::User));
    press(750, 0);
    ASSERT_FALSE(recorder.texts.isEmpty());
    EXPECT_EQ(recorder.texts.first(), QStringLiteral("処理中..."));
    EXPECT_FALSE(recorder.doneAtPaint.first());
    EXPECT_EQ(status(), QString());

    const MotorSoundTable& original = data.motorSoundTable();
    for (int r = 750; r <= 799; ++r)
        EXPECT_EQ(working()[Track::P2][r], original[Track::P1][r - 650]) << r;
    for (int r = 0; r < 750; ++r)
        ASSERT_EQ(working()[Track::P2][r], original[Track::P2][r]) << r;
}

TEST_F(MotorSoundWindowTest, ContextMenuSavesTheGraphWithoutDisturbingAnEdit) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("graph.png"));
    window.setImagePathChooser([&](QWidget*) { return path; });

    press(300, 50, Qt::RightButton);
    QMenu* menu = window.graphMenu();
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    EXPECT_FALSE(window.editor().isPending());

    click(QStringLiteral("optTool(1)"));
    press(300, 50);
    moveTo(320, 80);
    const QImage shown = window.editor().image();
    QContextMenuEvent byKeyboard(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                 graph()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(graph(), &byKeyboard);
    ASSERT_TRUE(menu->isVisible());
    menu->actions().first()->trigger();
    menu->hide();

    EXPECT_TRUE(window.editor().isPending());
    EXPECT_EQ(window.editor().image(), shown);
    QImage saved(path);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), window.editor().graphImage());
    EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("画像を保存..."));
}

TEST_F(MotorSoundWindowTest, CommandLinePlotIsTheWindowsImage) {
    MotorSoundTable table = data.motorSoundTable();
    for (int r = 0; r < MotorSoundRows; ++r)
        table[Track::B2][r] = {std::int16_t(30 + r / 3), std::int16_t(r % 128),
                               std::int16_t(r % 10 - 1)};
    data.setMotorSoundTable(table);
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("train.dat"));
    writeWholeFile(in, encodeShiftJis(trainFileText(data)));

    window.load();
    clickTrack(3);
    clickTrack(1);
    click(QStringLiteral("chkHex"));
    const QString out = dir.filePath(QStringLiteral("graph.png"));
    QString outText, errText;
    QTextStream o(&outText), e(&errText);
    ASSERT_EQ(
        runCli({"plot", "motor", in, out, "--track", "P2", "--previous", "B2", "--hex"}, o, e),
        CliClean);
    EXPECT_EQ(QImage(out).convertToFormat(QImage::Format_RGB32), window.editor().image());
}
