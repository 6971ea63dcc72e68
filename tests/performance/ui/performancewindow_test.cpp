#include "acceleration/ui/accelerationwindow.h"
#include "acceleration/ui/plotview.h"
#include "performance/performancetables.h"
#include "performance/referencetrain.h"
#include "performance/ui/performancewindow.h"
#include "support/accelerationmotorsound.h"
#include "support/apptest.h"
#include "support/documenttests.h"

#include <QClipboard>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

using namespace Orlenda;

namespace {

class PerformanceWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        main.setProgramEnder([this] { ++programEnds; });
        main.show();
        main.action(QStringLiteral("mnuViewPerformance"))->trigger();
        window = main.performanceWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    QString cell(int row, int column, QTableView* view = nullptr) const {
        view = view ? view : window->notchView();
        return view->model()->index(row, column).data().toString();
    }
    // The cell once the refresh that the last change scheduled has run.
    QString settled(int row, int column, QTableView* view = nullptr) const {
        QCoreApplication::processEvents();
        return cell(row, column, view);
    }
    // Types into a field of the main window and leaves it.
    void enter(TextId id, const QString& text) {
        QApplication::setActiveWindow(&main);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
        auto* edit = namedChild<QLineEdit>(main, QString::fromLatin1(textFieldInfo(id).name));
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    QString notice() const { return namedChild<QLabel>(*window, "lblNotice")->text(); }

    TrainData data;
    ScriptedPrompter prompter;
    ScriptedChooser chooser;
    MainWindow main{data, prompter, chooser};
    PerformanceWindow* window = nullptr;
    int programEnds = 0;
};

} // namespace

TEST_F(PerformanceWindowTest, ModelessTablesFollowTheFieldsAndTheGrade) {
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("性能表"));
    EXPECT_EQ(main.action(QStringLiteral("mnuViewPerformance"))->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+T")));
    EXPECT_EQ(window->notchView()->model()->headerData(2, Qt::Vertical).toString(),
              QStringLiteral("均衡速度 [km/h]"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("0.560"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("55.7"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("不可"));
    EXPECT_EQ(window->notchView()->model()->index(1, 1).data(Qt::ToolTipRole).toString(),
              QStringLiteral("この勾配では起動できません（起動加速度が 0 以下）"));
    EXPECT_EQ(cell(9, 2, window->brakingView()), QStringLiteral("369"));
    EXPECT_EQ(window->plotImage().size(), QSize(480, 320));

    enter(txtPer(0), QStringLiteral("2"));
    EXPECT_EQ(settled(9, 1, window->brakingView()), QStringLiteral("50.8"));

    auto* grade = namedChild<QDoubleSpinBox>(*window, "txtGrade");
    grade->setValue(10);
    EXPECT_EQ(cell(2, 0), QStringLiteral("30.9"));
    EXPECT_EQ(window->runChoices().grade, 10);
    EXPECT_EQ(grade->minimum(), -40);
    EXPECT_EQ(grade->maximum(), 40);

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    window->notchView()->setFocus();
    QTest::keySequence(window->notchView(), QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), tablesForClipboard(window->figures(), nullptr));
}

TEST_F(PerformanceWindowTest, FollowsTheAccelerationWindowUntilItsOk) {
    bool ran = false;
    QTimer::singleShot(0, &main, [&] {
        auto* acc = qobject_cast<AccelerationWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(acc, nullptr);
        acc->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([acc] { return QApplication::activeWindow() == acc; }));
        QStringList menu;
        for (QAction* a : acc->plotView()->actions())
            menu << a->text();
        EXPECT_EQ(menu, QStringList({"比較ファイルを開く...", "比較をやめる"}));
        QLineEdit* edit = acc->field(NotchField::Accel1);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("1"));
        QTest::keyClick(edit, Qt::Key_Tab);
        EXPECT_EQ(cell(0, 0), QStringLiteral("0.960"));
        EXPECT_TRUE(notice().contains(QStringLiteral("まだ適用されていない")));
        EXPECT_EQ(data.accelerationTable()[0].accel1, 0.6f);
        QTest::mouseClick(namedChild<QPushButton>(*acc, "cmdOk"), Qt::LeftButton);
        ran = true;
    });
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::mouseClick(namedChild<QPushButton>(main, "cmdAcc"), Qt::LeftButton);
    ASSERT_TRUE(ran);
    EXPECT_EQ(data.accelerationTable()[0].accel1, 1.0f);
    EXPECT_EQ(settled(0, 0), QStringLiteral("0.960"));
    EXPECT_FALSE(notice().contains(QStringLiteral("まだ適用されていない")));
}

TEST_F(PerformanceWindowTest, ReferenceQuestionsNeverEndTheProgramNorTouchTheDocument) {
    const QString many = dataFile("many-questions.dat");
    const QByteArray bytes = readWholeFile(many);
    chooser.openNames = {dataFile("no-such-file.dat"), many, many};
    auto* open = namedChild<QToolButton>(*window, "cmdReferenceOpen");
    // No to the failure report of a missing file, then No to a question about a line.
    prompter.script({false, true, false});
    open->click();
    open->click();
    EXPECT_EQ(prompter.count(), 3);
    EXPECT_FALSE(main.reference().isSet());
    EXPECT_EQ(programEnds, 0);
    EXPECT_EQ(window->notchView()->model()->columnCount(), 8);

    open->click(); // every question answered Yes
    ASSERT_TRUE(main.reference().isSet());
    EXPECT_EQ(window->notchView()->model()->columnCount(), 24);
    EXPECT_EQ(window->notchView()->model()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("比較 1"));
    EXPECT_TRUE(namedChild<QLabel>(*window, "lblReference")->text().contains(many));
    EXPECT_TRUE(data.documentPath().isEmpty());
    EXPECT_FALSE(data.isModified());
    EXPECT_EQ(readWholeFile(many), bytes);

    main.newDocument(); // the reference stays
    EXPECT_TRUE(main.reference().isSet());
    namedChild<QToolButton>(*window, "cmdReferenceClear")->click();
    EXPECT_FALSE(main.reference().isSet());
    EXPECT_EQ(window->notchView()->model()->columnCount(), 8);
    EXPECT_FALSE(namedChild<QToolButton>(*window, "cmdReferenceClear")->isEnabled());
}

TEST(AccelerationWindowReference, IsDrawnWithoutAskingAgainAboutTheDocument) {
    TrainData data;
    ScriptedPrompter prompter;
    AccelerationWindow window(data, TrainConsist{35, 0, 30, 0}, prompter, nullptr);
    const int asked = prompter.count();
    EXPECT_GT(asked, 0);
    window.setReference(ReferenceCurves{data.accelerationTable(), {35, 1, 30, 1}});
    EXPECT_EQ(prompter.count(), asked);
    int dashes = 0; // of the default first notch, 0.56 km/h/s up
    for (int y = 340; y <= 346; ++y)
        for (int x = 0; x < 50; ++x)
            dashes += window.plotImage().pixel(x, y) == AccelerationPlot::referenceColor().rgb();
    EXPECT_GT(dashes, 20);
    EXPECT_LT(dashes, 45);
}
