#include "document/textfile.h"
#include "motorsound/ui/motorsoundgraphview.h"
#include "motorsound/motorsoundcsv.h"
#include "motorsound/motorsoundscales.h"
#include "motorsound/ui/motorsoundrangedialog.h"
#include "motorsound/ui/motorsoundviewport.h"
#include "motorsound/ui/motorsoundwindow.h"
#include "shared/graphpalette.h"
#include "shared/windowplacement.h"
#include "document/traindata.h"
#include "support/scriptedprompter.h"
#include "support/widgettests.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

using namespace Orlenda;

namespace {

// Records the status box's text at each paint, and whether by then the table
// had changed or a posted event had been delivered.
class PaintProbe : public QObject {
public:
    std::function<bool()> tableChanged;
    bool posted = false;
    QStringList texts;
    QList<bool> laterAtPaint;
    bool event(QEvent* e) override {
        posted = posted || e->type() == QEvent::User;
        return QObject::event(e);
    }
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            texts.append(static_cast<QLabel*>(watched)->text());
            laterAtPaint.append(tableChanged() || posted);
        }
        return false;
    }
};

class MotorSoundWindowTest : public ::testing::Test {
protected:
    void SetUp() override { reopen(); }
    void reopen() {
        window.load();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <typename T = QWidget> T* child(const char* name) const {
        return namedChild<T>(window, QString::fromLatin1(name));
    }
    QWidget* graph() const { return window.graphView(); }
    QScrollBar* hScroll() const { return child<QScrollBar>("HScroll1"); }
    QScrollBar* vScroll() const { return child<QScrollBar>("VScroll1"); }
    QString status() const { return child<QLabel>("pbxStatus")->text(); }
    const MotorSoundTable& working() const { return window.editor().workingCopy(); }
    bool pending() const { return window.editor().isPending(); }

    // Scrolls the graph pixel of (row, value) into view and presses it.
    void press(int row, int value, Qt::MouseButton button = Qt::LeftButton) {
        const QPoint p(row, 798 - 2 * value);
        hScroll()->setValue(std::clamp(p.x() - 200, 0, 400));
        vScroll()->setValue(std::clamp(p.y() - 200, 0, 400));
        QTest::mouseMove(graph(), p);
        QTest::mousePress(graph(), button, {}, p);
        if (button == Qt::LeftButton) {
            QTest::mouseRelease(graph(), button, {}, p);
            return;
        }
        // The platform follows a right press with a context-menu request.
        QContextMenuEvent menu(QContextMenuEvent::Mouse, p, graph()->mapToGlobal(p));
        QCoreApplication::sendEvent(graph(), &menu);
    }
    void click(const char* name) { clickIndicator(child(name)); }
    void clickTrack(int row) {
        auto* list = child<QListWidget>("lstLayer");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    void pitchLine(int row1, int value1, int row2, int value2) {
        click("optTool(1)");
        press(row1, value1);
        press(row2, value2);
    }

    // Closing a window keeps its size for the next one: each test starts afresh.
    bool sizeForgotten = (writeSettings(windowSizeSettings(MotorSoundWindow::widthSetting(),
                                                           MotorSoundWindow::heightSetting(), {})),
                          true);
    TrainData data;
    ScriptedPrompter prompter;
    MotorSoundWindow window{data, prompter, nullptr};
};

} // namespace

TEST_F(MotorSoundWindowTest, OpensAtTheBottomLeftOfTheGraph) {
    // The classic size, with room for the scales and the read-out below.
    EXPECT_EQ(window.size(), QSize(533 + MotorSoundScales::LeftMargin,
                                   422 + MotorSoundScales::BottomMargin + 18));
    EXPECT_EQ(window.minimumSize(), window.size());
    EXPECT_FALSE(window.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(child<QListWidget>("lstLayer")->verticalScrollBar()->isVisible());
    EXPECT_EQ(std::make_pair(hScroll()->value(), vScroll()->value()), std::make_pair(0, 400));
    EXPECT_EQ(graph()->pos(), QPoint(0, -400));
    EXPECT_EQ(window.viewport()->visibleGraph(), QRect(0, 400, 400, 400));

    hScroll()->setValue(123);
    vScroll()->setValue(45);
    EXPECT_EQ(graph()->pos(), QPoint(-123, -45));
    window.load();
    EXPECT_EQ(graph()->pos(), QPoint(0, -400));
}

TEST_F(MotorSoundWindowTest, EditsReachTheDocumentOnlyThroughApplyOrOk) {
    const MotorSoundTable before = data.motorSoundTable();
    clickTrack(1);
    pitchLine(10, 20, 50, 60);
    const MotorSoundTable expected = working();
    EXPECT_EQ(expected[Track::P2][50].pitch, 60);
    EXPECT_EQ(data.motorSoundTable(), before);

    press(100, 100); // 適用 keeps the window and the pending edit
    click("cmdApply");
    EXPECT_EQ(data.motorSoundTable(), expected);
    EXPECT_TRUE(window.isVisible() && pending());

    press(200, 100);
    click("cmdRedo");
    EXPECT_FALSE(pending());
    EXPECT_EQ(working(), expected);
    EXPECT_EQ(window.editor().image(), window.editor().graphImage());

    reopen();
    EXPECT_EQ(working(), expected);
    pitchLine(300, 5, 310, 50);
    const MotorSoundTable edited = working();
    click("cmdOk");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(data.motorSoundTable(), edited);
    EXPECT_NE(edited, expected);
}

TEST_F(MotorSoundWindowTest, ReadOutFollowsThePointerAndAScaledPressLandsUnderIt) {
    // Sent directly: QTest takes (0, 0) for "the centre" and skips unchanged positions.
    auto hover = [this](QPointF p) {
        QMouseEvent move(QEvent::MouseMove, p, graph()->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(graph(), &move);
        return status();
    };
    // The stored row of the current track, whatever the height.
    EXPECT_EQ(hover({0, 0}), QStringLiteral("0.0 km/h 音 0 ピッチ 10 音量 127"));
    click("chkHex");
    EXPECT_EQ(hover({62, 544}), QStringLiteral("12.4 km/h 音 0x0 ピッチ 0xE 音量 0x7F"));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(graph(), &leave);
    EXPECT_EQ(status(), QString());

    // During an edit, what it would write there.
    click("optTool(1)");
    press(100, 50);
    EXPECT_EQ(hover({110, 798 - 2 * 4}), QStringLiteral("22.0 km/h ← ピッチ 10"));
    press(100, 50, Qt::RightButton);

    // On a screen scaled by 2 the window hears 101.5 where widgets hear 102.
    click("optTool(1)");
    const QPointF at = QPointF(graph()->mapTo(&window, QPoint(0, 0))) + QPointF(101.5, 699.5);
    QMouseEvent press(QEvent::MouseButtonPress, at, window.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.windowHandle(), &press);
    EXPECT_EQ(window.editor().startPoint(), QPoint(101, 699));
}

TEST_F(MotorSoundWindowTest, FocusOnTheChoicesCancelsAPendingEditFirst) {
    auto* hex = child<QCheckBox>("chkHex");
    auto* index = child<QComboBox>("cbxIndex");
    click("optTool(2)");
    EXPECT_TRUE(hex->isChecked());
    const std::function<bool()> choices[] = {
        [&] { return click("chkHex"), !hex->isChecked(); },
        [&] { return clickTrack(2), window.editor().currentTrack() == 2; },
        [&] { return click("optTool(3)"), window.editor().tool() == MotorSoundTool::Copy; },
        [&] {
            index->setCurrentIndex(4), emit index->activated(4);
            return window.editor().indexChoice() == 3 &&
                   child<QRadioButton>("optTool(0)")->isChecked();
        },
        // A right press cancels, and opens no menu.
        [&] { return press(20, 20, Qt::RightButton), !window.graphMenu()->isVisible(); },
    };
    for (const auto& choose : choices) {
        press(10, 10);
        EXPECT_TRUE(choose());
        EXPECT_FALSE(pending());
    }
    EXPECT_EQ(working(), data.motorSoundTable());
}

TEST_F(MotorSoundWindowTest, CopySelectsPasteAndPasteShowsItsWorkFirst) {
    click("optTool(2)"); // the pitch tool turns the hex scale on
    click("optTool(3)");
    press(100, 0);
    press(199, 0);
    EXPECT_TRUE(child<QRadioButton>("optTool(4)")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("chkHex")->isChecked());
    clickTrack(1);
    const MotorSoundTable before = working();
    PaintProbe probe;
    probe.tableChanged = [&] { return working() != before; };
    child("pbxStatus")->installEventFilter(&probe);
    hScroll()->setValue(400);
    QCoreApplication::postEvent(&probe, new QEvent(QEvent::User));
    QTest::mousePress(graph(), Qt::LeftButton, {}, QPoint(750, 798));
    // Painted before the rows changed, with no waiting event let through.
    ASSERT_FALSE(probe.texts.isEmpty());
    EXPECT_EQ(probe.texts.first(), QStringLiteral("処理中..."));
    EXPECT_FALSE(probe.laterAtPaint.first());
    EXPECT_EQ(status(), QString());
    EXPECT_EQ(working()[Track::P2][750], data.motorSoundTable()[Track::P1][100]);
}

TEST_F(MotorSoundWindowTest, ContextMenuSavesTheGraphWithoutDisturbingAnEdit) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("graph.png"));
    window.setImagePathChooser([&](QWidget*) { return path; });
    QMenu* menu = window.graphMenu();
    press(300, 50, Qt::RightButton);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();

    pitchLine(300, 50, 320, 80);
    press(300, 50);
    QTest::mouseMove(graph(), QPoint(330, 500));
    const QImage shown = window.editor().image();
    QContextMenuEvent byKey(QContextMenuEvent::Keyboard, QPoint(5, 5),
                            graph()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(graph(), &byKey);
    ASSERT_TRUE(menu->isVisible());
    auto* save = namedChild<QAction>(*menu, "mnuGraphSave");
    save->trigger();
    menu->hide();

    EXPECT_TRUE(pending());
    EXPECT_EQ(window.editor().image(), shown);
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), window.editor().graphImage());
}

TEST_F(MotorSoundWindowTest, KeysAndTheGraphMenuUndoAndRedoAndApplyKeepsTheHistory) {
    EXPECT_TRUE(child("cmdRedo")->toolTip().contains(QStringLiteral("やり直すボタンではありません")));
    pitchLine(10, 20, 50, 60);
    const MotorSoundTable pitched = working();
    click("cmdApply");
    clickTrack(1);
    QTest::keyClick(child("lstLayer"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(working(), defaultMotorSoundTable());
    EXPECT_EQ(child<QListWidget>("lstLayer")->currentRow(), 0);
    emit window.graphMenu()->aboutToShow();
    auto* redo = namedChild<QAction>(*window.graphMenu(), "mnuGraphRedo");
    EXPECT_EQ(redo->text(), QStringLiteral("やり直し: ピッチ"));
    redo->trigger();
    QTest::keyClick(graph(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(graph(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(working(), pitched);
}

TEST_F(MotorSoundWindowTest, EscapeTakesBackAnEditUnderWayAndClosingWithChangesAsks) {
    QTest::keyClick(graph(), Qt::Key_Escape); // nothing changed: closes at once
    EXPECT_FALSE(window.isVisible());
    reopen();
    pitchLine(10, 20, 50, 60);
    const MotorSoundTable edited = working();
    press(100, 100);
    // A press outside the graph, which holds the mouse for another button.
    QMouseEvent outside(QEvent::MouseButtonPress, QPointF(-20, 500),
                        graph()->mapToGlobal(QPointF(-20, 500)), Qt::LeftButton,
                        Qt::LeftButton | Qt::MiddleButton, Qt::NoModifier);
    QCoreApplication::sendEvent(graph(), &outside);
    EXPECT_TRUE(pending());
    QTest::keyClick(graph(), Qt::Key_Escape);
    EXPECT_FALSE(pending() || !window.isVisible());
    prompter.script({false, true});
    QTest::keyClick(graph(), Qt::Key_Escape);
    EXPECT_EQ(working(), edited);
    window.close(); // the close box
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(data.motorSoundTable(), defaultMotorSoundTable());
    ASSERT_EQ(prompter.count(), 2);
    EXPECT_EQ(prompter.questions().last().text, QStringLiteral("変更を破棄して閉じますか？"));
}

TEST_F(MotorSoundWindowTest, ResizingShowsMoreUpToTheWholeGraphAndTheSizeIsKept) {
    window.resize(window.size() + QSize(100, 50));
    // More of the graph, still at its bottom.
    EXPECT_EQ(window.viewport()->visibleGraph(), QRect(0, 350, 500, 450));
    EXPECT_TRUE(hScroll()->isVisible() && vScroll()->isVisible());
    window.resize(window.maximumSize());
    EXPECT_EQ(window.viewport()->visibleGraph(), QRect(0, 0, 800, 800));
    EXPECT_FALSE(hScroll()->isVisible() || vScroll()->isVisible());
    // As wide as it goes on a screen too low for the graph: the vertical bar
    // takes no width from it, so no horizontal bar is needed.
    window.resize(window.maximumWidth(), 500);
    EXPECT_TRUE(vScroll()->isVisible());
    EXPECT_FALSE(hScroll()->isVisible());
    EXPECT_EQ(window.viewport()->visibleGraph().width(), 800);
    window.resize(window.maximumSize());
    EXPECT_EQ(graph()->pos(), QPoint(0, 0));
    // The controls on the left stay; the read-out runs along the bottom.
    EXPECT_EQ(child("cmdRedo")->geometry(), QRect(8, 368, 88, 21));
    EXPECT_EQ(child("pbxStatus")->geometry().bottom(), window.height() - 3);

    const QSize kept = window.size() - QSize(30, 20);
    window.resize(kept);
    window.close();
    MotorSoundWindow next(data, prompter, nullptr);
    EXPECT_EQ(next.size(), kept);
    // A settings file may hold anything.
    writeSettings({{MotorSoundWindow::widthSetting(), QStringLiteral("a lot")}});
    EXPECT_EQ(MotorSoundWindow(data, prompter, nullptr).size(), window.defaultSize());
    writeSettings(windowSizeSettings(MotorSoundWindow::widthSetting(),
                                     MotorSoundWindow::heightSetting(), window.defaultSize()));
}

TEST_F(MotorSoundWindowTest, ClosedMaximisedItKeepsItsNormalSizeAndReopensMaximised) {
    const QSize normal = window.size() + QSize(40, 20);
    window.resize(normal);
    window.showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([this] { return window.isMaximized(); }));
    window.close();
    EXPECT_EQ(readSetting(MotorSoundWindow::widthSetting()).toInt(),
              normal.width() * TwipsPerPixel);
    EXPECT_EQ(readSetting(QStringLiteral("MotorMaximized")), QStringLiteral("1"));

    MotorSoundWindow next(data, prompter, nullptr);
    bool maximized = false;
    QTimer::singleShot(0, &next, [&] {
        maximized = next.isMaximized();
        next.reject();
    });
    next.openModal();
    EXPECT_TRUE(maximized);
    writeSettings(windowGeometrySettings(MotorSoundWindow::settingsPrefix(),
                                         QRect(QPoint(0, 0), window.defaultSize()), false));
}

TEST_F(MotorSoundWindowTest, WheelsScrollFortyPixelsANotchAndSidewaysWithShiftOrATilt) {
    auto turn = [this](QPoint angle, Qt::KeyboardModifiers modifiers = {}) {
        QWheelEvent wheel(QPointF(5, 5), graph()->mapToGlobal(QPointF(5, 5)), QPoint(), angle,
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(graph(), &wheel);
        return std::make_pair(hScroll()->value(), vScroll()->value());
    };
    EXPECT_EQ(turn({0, 120}), std::make_pair(0, 360));
    EXPECT_EQ(turn({-120, 0}), std::make_pair(40, 360));
    EXPECT_EQ(turn({0, -240}, Qt::ShiftModifier), std::make_pair(120, 360));
    EXPECT_EQ(graph()->pos(), QPoint(-120, -360));
}

TEST_F(MotorSoundWindowTest, TypedRangeCancelsAnEditAndRefusesOutOfRangeInput) {
    press(300, 10); // pending: the typed range cancels it first
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QString refusal;
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = qobject_cast<MotorSoundRangeDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        namedChild<QLineEdit>(*dialog, "txtRangeSpeed(0)")->setText("10");
        namedChild<QLineEdit>(*dialog, "txtRangeSpeed(1)")->setText("20");
        clickIndicator(namedChild(*dialog, "chkRangePitch"));
        namedChild<QLineEdit>(*dialog, "txtRangePitch(0)")->setText("30");
        namedChild<QLineEdit>(*dialog, "txtRangePitch(1)")->setText("400");
        dialog->accept();
        refusal = namedChild<QLabel>(*dialog, "lblRangeError")->text();
        EXPECT_TRUE(dialog->isVisible());
        namedChild<QLineEdit>(*dialog, "txtRangePitch(1)")->setText("80");
        dialog->accept();
    });
    QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(refusal, QStringLiteral("ピッチは 0 から 399 までの整数で入力してください。"));
    EXPECT_FALSE(pending()); // what it writes is pinned by the typed range's own tests
    EXPECT_NE(working(), data.motorSoundTable());
}

TEST_F(MotorSoundWindowTest, TracksGoToCsvAndABadFileChangesNothing) {
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("track.csv"));
    window.setCsvPathChooser([&](QWidget*, bool) { return csv; });
    const QStringList& notices = prompter.told;
    auto trigger = [this](const char* name) {
        namedChild<QAction>(*window.graphMenu(), name)->trigger();
    };
    trigger("mnuGraphExport"); // P1
    EXPECT_EQ(readWholeFile(csv), motorSoundCsv(working()[Track::P1]));

    clickTrack(3);
    QByteArray bad = readWholeFile(csv);
    writeWholeFile(csv, bad.replace("\n2.0,", "\n2.2,"));
    trigger("mnuGraphImport");
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices.first().contains(QStringLiteral("12 行目: 速度は 2.0")));
    EXPECT_EQ(working(), data.motorSoundTable());

    writeWholeFile(csv, motorSoundCsv(working()[Track::P1]));
    trigger("mnuGraphImport");
    EXPECT_EQ(working()[Track::B2], working()[Track::P1]);
    EXPECT_EQ(notices.size(), 1);
}

TEST_F(MotorSoundWindowTest, PlayPositionMarksTheViewOnlyAndTheReadOutReturnsAfter) {
    const QImage before = window.editor().image();
    auto hover = [this](QPointF p) {
        QMouseEvent move(QEvent::MouseMove, p, graph()->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(graph(), &move);
    };
    hover({0, 0});
    const QString pointer = status();

    window.showPlayPosition(150, QStringLiteral("playing"));
    EXPECT_EQ(status(), QStringLiteral("playing"));
    hover({10, 0});
    EXPECT_EQ(status(), QStringLiteral("playing"));
    const QImage shown = graph()->grab(QRect(140, 700, 20, 20)).toImage();
    EXPECT_EQ(shown.pixelColor(10, 5), MotorSoundGraphView::playLineColor());
    EXPECT_NE(shown.pixelColor(9, 5), MotorSoundGraphView::playLineColor());
    // The tools' image and the saved picture do not have the line.
    EXPECT_EQ(window.editor().image(), before);
    EXPECT_EQ(window.editor().graphImage(), before);
    for (int entry = 0; entry < GraphPalette::Count; ++entry)
        EXPECT_NE(GraphPalette::color(entry), MotorSoundGraphView::playLineColor());

    window.clearPlayPosition();
    EXPECT_NE(status(), pointer); // the last pointer position, (10, 0)
    hover({0, 0});
    EXPECT_EQ(status(), pointer);
    EXPECT_NE(graph()->grab(QRect(150, 700, 1, 1)).toImage().pixelColor(0, 0),
              MotorSoundGraphView::playLineColor());
}

TEST_F(MotorSoundWindowTest, APanelSitsBesideTheGraphAndSpaceOnTheGraphAsksToPlay) {
    const QSize before = window.size();
    auto* panel = new QWidget;
    panel->setMinimumSize(150, 300);
    window.setSidePanel(panel);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.viewport()->width() == before.width() - 113; }));
    EXPECT_EQ(window.size().width(), before.width() + 150 + 6);
    EXPECT_GE(panel->x(), window.viewport()->geometry().right());
    EXPECT_EQ(window.viewport()->width(), before.width() - 113);

    int asked = 0;
    QObject::connect(&window, &MotorSoundWindow::playKeyPressed, [&] { ++asked; });
    graph()->setFocus();
    QTest::keyClick(graph(), Qt::Key_Space);
    EXPECT_EQ(asked, 1);
    QTest::keyClick(child("lstLayer"), Qt::Key_Space);
    EXPECT_EQ(asked, 1);
}
