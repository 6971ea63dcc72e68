#include "document/documenthistory.h"
#include "acceleration/ui/accelerationwindow.h"
#include "acceleration/ui/plotview.h"
#include "performance/performancetables.h"
#include "performance/referencetrain.h"
#include "performance/ui/performancewindow.h"
#include "performance/typedchoice.h"
#include "shared/windowplacement.h"
#include "support/apptest.h"
#include "support/clirun.h"
#include "support/clitests.h"
#include "support/documenttests.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QToolButton>

using namespace Orlenda;

namespace {

class PerformanceWindowTest : public MainWindowFixture<> {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        window.setProgramEnder([this] { ++programEnds; });
        window.show();
        trigger("mnuViewPerformance");
        performance = window.performanceWindow();
        ASSERT_NE(performance, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(performance));
    }
    QString cell(int row, int column, QTableView* view = nullptr) const {
        view = view ? view : performance->notchView();
        return view->model()->index(row, column).data().toString();
    }
    // The cell once the refresh that the last change scheduled has run.
    QString settled(int row, int column, QTableView* view = nullptr) const {
        QCoreApplication::processEvents();
        return cell(row, column, view);
    }
    // Types into a field of the main window and leaves it.
    void enter(TextId id, const QString& text) {
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        auto* edit = namedChild<QLineEdit>(window, QString::fromLatin1(textFieldInfo(id).name));
        typeOver(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    QString notice() const { return namedChild<QLabel>(*performance, "lblNotice")->text(); }
    // Types into a number box of the window and finishes with Enter.
    // The box has the focus and its keys; its line edit holds the text.
    QLineEdit* typeIntoBox(const char* name, const QString& text) {
        auto* box = namedChild<QAbstractSpinBox>(*performance, QString::fromLatin1(name));
        box->setFocus(Qt::TabFocusReason);
        auto* edit = box->findChild<QLineEdit*>();
        edit->selectAll();
        // As an input method commits it: full-width text has no key of its own.
        edit->insert(text);
        QTest::keyClick(box, Qt::Key_Return);
        return edit;
    }
    QCheckBox* runNotch(int n) const {
        return namedChild<QCheckBox>(*performance, QStringLiteral("chkRunNotch(%1)").arg(n));
    }
    // What orlenda-cli draws for the new document with these options.
    QImage cliPicture(const QStringList& options) {
        const QString in = savedDocument(dir, "new.dat", TrainData());
        const QString out = file("run.png");
        EXPECT_EQ(runCliForTest(QStringList{"plot"} + options.mid(0, 1) + QStringList{in, out} +
                                options.mid(1)),
                  0);
        return pngImage(out);
    }

    PerformanceWindow* performance = nullptr;
    int programEnds = 0;
};

} // namespace

TEST_F(PerformanceWindowTest, ModelessTablesFollowTheFieldsAndTheGrade) {
    EXPECT_FALSE(performance->isModal());
    EXPECT_EQ(cell(0, 0), QStringLiteral("0.560"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("55.7"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("不可"));
    EXPECT_EQ(performance->notchView()->model()->index(1, 1).data(Qt::ToolTipRole).toString(),
              QStringLiteral("この勾配では起動できません（起動加速度が 0 以下）"));
    EXPECT_EQ(cell(9, 2, performance->brakingView()), QStringLiteral("369"));
    EXPECT_EQ(performance->plotImage().size(), QSize(480, 320));

    enter(txtPer(0), QStringLiteral("2"));
    EXPECT_EQ(settled(9, 1, performance->brakingView()), QStringLiteral("50.8"));
    window.history().undo();
    EXPECT_EQ(cell(9, 1, performance->brakingView()), QStringLiteral("25.8"));

    auto* grade = namedChild<QDoubleSpinBox>(*performance, "txtGrade");
    grade->setValue(10);
    EXPECT_EQ(cell(2, 0), QStringLiteral("30.9"));
    EXPECT_EQ(performance->runChoices().grade, 10);

    performance->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(performance));
    performance->notchView()->setFocus();
    QTest::keySequence(performance->notchView(), QKeySequence::Copy);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral(
        "ファイル: 新規ドキュメント　勾配 10 ‰　質量 65.0 t　ブレーキ初速 100 km/h\n")));
}

TEST_F(PerformanceWindowTest, NumberBoxesRefuseWhatTheyCannotUseAndCtrlCCopiesTheTables) {
    performance->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(performance));
    auto* grade = namedChild<QDoubleSpinBox>(*performance, "txtGrade");
    const std::pair<const char*, double> typed[] = {
        {"2.55", 2.6}, {"50", 2.6}, {"−45", 2.6}, {"１０", 10}, {"40.05", 40}, {"-2.45", -2.4}};
    for (const auto& [text, used] : typed) {
        QLineEdit* edit = typeIntoBox("txtGrade", QString::fromUtf8(text));
        EXPECT_EQ(grade->value(), used) << text;
        EXPECT_EQ(edit->text(), QString::number(used, 'f', 1) + QStringLiteral(" ‰")) << text;
        EXPECT_FALSE(edit->hasSelectedText()) << text;
    }
    EXPECT_EQ(prompter.told, QStringList({gradeRefusal(), gradeRefusal()}));
    EXPECT_EQ(performance->figures().grade, -2.4);

    // After Enter the box holds no selection: Ctrl+C copies the tables.
    QLineEdit* edit = typeIntoBox("txtGrade", QStringLiteral("10"));
    QTest::keySequence(grade, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(),
              tablesForClipboard(performance->figures(), nullptr,
                                 {figuresFileName(QString()), QString(), 100}));
    // A selection in a box is copied as text would be.
    edit->setSelection(0, 2);
    QTest::keySequence(grade, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("10"));

    auto* brake = namedChild<QSpinBox>(*performance, "txtBrakeFrom");
    typeIntoBox("txtBrakeFrom", QStringLiteral("６０.５"));
    EXPECT_EQ(brake->value(), 60);
    typeIntoBox("txtBrakeFrom", QStringLiteral("161"));
    EXPECT_EQ(brake->value(), 60);
    EXPECT_EQ(prompter.told.last(), brakeSpeedRefusal());
    EXPECT_EQ(performance->runChoices().brakeFrom, 60);
}

TEST_F(PerformanceWindowTest, RunsOfTickedNotchesAndTheReferenceAreTheCliPicture) {
    runNotch(0)->click(); // the last ticked box stays ticked
    EXPECT_TRUE(runNotch(0)->isChecked());
    runNotch(7)->click();
    runNotch(3)->setChecked(true);
    EXPECT_EQ(performance->runChoices().notches, QList<int>({0, 3, 7}));
    EXPECT_EQ(performance->plotImage().text(QStringLiteral("Title")),
              QStringLiteral("新規ドキュメント"));
    EXPECT_EQ(performance->plotImage(), cliPicture({"run", "--notch", "1,4,8"}));

    // The pointer reads out the nearest run point.
    auto* view = namedChild<PlotView>(*performance, "pbxRun");
    QTest::mouseMove(view, QPoint(RunCurvePlot::Left + 2, RunCurvePlot::Bottom + 2));
    EXPECT_TRUE(namedChild<QLabel>(*performance, "lblRunStatus")
                    ->text()
                    .contains(QStringLiteral("0.0 s　0 km/h　0 m")));

    TrainData other;
    AccelerationTable table = other.accelerationTable();
    table[3] = {1.5f, 1.2f, 40, 60, 2.0f};
    other.setAccelerationTable(table);
    const QString ref = savedDocument(dir, "ref.dat", other);
    ASSERT_TRUE(window.reference().load(ref, prompter));
    EXPECT_EQ(performance->plotImage(),
              cliPicture({"run", "--notch", "1,4,8", "--reference", ref}));
    AccelerationWindow acc(data, data.consist(), prompter, nullptr);
    acc.setReference(window.reference().curves());
    EXPECT_EQ(acc.plotImage(), cliPicture({"acceleration", "--reference", ref}));
}

TEST_F(PerformanceWindowTest, CtrlTBringsBackAMinimisedWindowThatRemembersItsPlace) {
    performance->showMinimized();
    QCoreApplication::processEvents();
    trigger("mnuViewPerformance");
    EXPECT_FALSE(performance->isMinimized());
    EXPECT_TRUE(performance->isVisible());

    const QRect available = performance->screen()->availableGeometry();
    EXPECT_LE(performance->frameGeometry().height(), available.height());
    const QRect kept(available.topLeft() + QPoint(40, 60), QSize(700, 700));
    performance->setGeometry(kept);
    performance->close();
    EXPECT_EQ(placementStore().value(QStringLiteral("Settings/PerformanceWidth")).toInt(),
              700 * TwipsPerPixel);
    EXPECT_EQ(placementStore().value(QStringLiteral("Settings/PerformanceMaximized")).toString(),
              QStringLiteral("0"));
    PerformanceWindow next(
        data, window.reference(), prompter, [](QWidget*) { return QString(); }, nullptr);
    next.bringUp();
    EXPECT_EQ(next.geometry().size(), kept.size());
}

TEST_F(PerformanceWindowTest, AnAbsurdValueFromAFileIsNoneWithItsReason) {
    // As a file may hold it: the form would refuse it.
    data.edit(QString(), [&] { data.setText(txtCar(0), QStringLiteral("-35")); });
    const QString reason = QStringLiteral("編成の値が負のため計算できません");
    EXPECT_EQ(settled(3, 0), QStringLiteral("—"));
    EXPECT_EQ(performance->notchView()->model()->index(3, 0).data(Qt::ToolTipRole).toString(),
              reason);
    const auto* summary = namedChild<QLabel>(*performance, "lblSummary");
    EXPECT_TRUE(summary->text().startsWith(QStringLiteral("質量 — t")));
    EXPECT_EQ(summary->toolTip(), reason);
}

TEST_F(PerformanceWindowTest, FollowsTheAccelerationWindowUntilItsOk) {
    showActive();
    openAnd<AccelerationWindow>("cmdAcc", [&](AccelerationWindow& acc) {
        QStringList menu;
        for (QAction* a : acc.plotView()->actions())
            menu << a->text();
        EXPECT_EQ(menu, QStringList({"比較ファイルを開く...", "比較をやめる"}));
        typeOver(acc.field(NotchField::Accel1), QStringLiteral("1"));
        QTest::keyClick(acc.field(NotchField::Accel1), Qt::Key_Tab);
        EXPECT_EQ(cell(0, 0), QStringLiteral("0.960"));
        EXPECT_TRUE(notice().contains(QStringLiteral("まだ適用されていない")));
        EXPECT_EQ(data.accelerationTable()[0].accel1, 0.6f);
        QTest::mouseClick(namedChild<QPushButton>(acc, "cmdOk"), Qt::LeftButton);
    });
    EXPECT_EQ(data.accelerationTable()[0].accel1, 1.0f);
    EXPECT_EQ(settled(0, 0), QStringLiteral("0.960"));
    EXPECT_FALSE(notice().contains(QStringLiteral("まだ適用されていない")));
}

TEST_F(PerformanceWindowTest, ReferenceQuestionsNeverEndTheProgramNorTouchTheDocument) {
    const QString many = dataFile("many-questions.dat");
    const QByteArray bytes = readWholeFile(many);
    chooser.openNames = {dataFile("no-such-file.dat"), many, many};
    auto* open = namedChild<QToolButton>(*performance, "cmdReferenceOpen");
    // No to the failure report of a missing file, then No to a question about a line.
    prompter.script({false, true, false});
    open->click();
    open->click();
    EXPECT_EQ(prompter.count(), 3);
    EXPECT_FALSE(window.reference().isSet());
    EXPECT_EQ(programEnds, 0);
    EXPECT_EQ(performance->notchView()->model()->columnCount(), 8);

    // Each question says which file it is about.
    EXPECT_TRUE(prompter.questions().last().text.startsWith(
        QStringLiteral("比較ファイル: many-questions.dat\n")));
    open->click(); // every question answered Yes
    ASSERT_TRUE(window.reference().isSet());
    EXPECT_EQ(performance->notchView()->model()->columnCount(), 24);
    EXPECT_TRUE(namedChild<QLabel>(*performance, "lblReference")->text().contains(many));
    EXPECT_TRUE(data.documentPath().isEmpty());
    EXPECT_FALSE(data.isModified());
    EXPECT_EQ(readWholeFile(many), bytes);

    window.newDocument(); // the reference stays
    EXPECT_TRUE(window.reference().isSet());
    namedChild<QToolButton>(*performance, "cmdReferenceClear")->click();
    EXPECT_FALSE(window.reference().isSet());
    EXPECT_EQ(performance->notchView()->model()->columnCount(), 8);
    EXPECT_FALSE(namedChild<QToolButton>(*performance, "cmdReferenceClear")->isEnabled());
}

TEST(AccelerationWindowReference, IsDrawnWithoutAskingAgainAboutTheDocument) {
    TrainData data;
    ScriptedPrompter prompter;
    AccelerationWindow window(data, TrainConsist{35, 0, 30, 0}, prompter, nullptr);
    const int asked = prompter.count();
    EXPECT_GT(asked, 0);
    const QImage before = window.plotImage();
    // How the reference is drawn is the plot's test.
    window.setReference(ReferenceCurves{data.accelerationTable(), {35, 1, 30, 1}});
    EXPECT_EQ(prompter.count(), asked);
    EXPECT_NE(window.plotImage(), before);
}
