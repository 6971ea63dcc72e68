#include "app/recoverysession.h"
#include "document/documenthistory.h"
#include "form/ui/parameterform.h"
#include "performance/ui/performancewindow.h"
#include "support/apptest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QTableView>

using namespace Orlenda;

namespace {

class UndoTest : public MainWindowFixture<> {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        showActive();
    }

    ParameterForm* form() const { return static_cast<ParameterForm*>(window.centralWidget()); }
    QLineEdit* field(TextId id) const { return form()->field(id); }
    QString undoText() const { return window.action(QStringLiteral("mnuEditUndo"))->text(); }
    QString redoText() const { return window.action(QStringLiteral("mnuEditRedo"))->text(); }
    bool canUndo() const { return window.action(QStringLiteral("mnuEditUndo"))->isEnabled(); }

    void type(TextId id, const QString& text) { typeOver(field(id), text); }
    void key(QWidget* target, QKeyCombination combination) {
        QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
    }
};

} // namespace

TEST_F(UndoTest, KeysInAFieldPutTypingBackThenStepThroughTheHistory) {
    EXPECT_FALSE(canUndo());
    type(txtDelay(0), QStringLiteral("0.1"));
    QTest::keyClick(field(txtDelay(0)), Qt::Key_Return); // commits; the partner follows
    EXPECT_EQ(data.text(txtDelay(1)), QStringLiteral("0.1"));
    EXPECT_EQ(undoText(), QStringLiteral("元に戻す: 反応性 力行入(&U)"));

    type(txtPer(0), QStringLiteral("3"));
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_EQ(undoText(), QStringLiteral("元に戻す: 減速度(&U)"));
    key(field(txtPer(0)), Qt::CTRL | Qt::Key_Z); // the typing only
    EXPECT_EQ(field(txtPer(0))->text(), QStringLiteral("4"));
    EXPECT_EQ(data.text(txtDelay(1)), QStringLiteral("0.1"));
    key(field(txtPer(0)), Qt::CTRL | Qt::Key_Z); // the committed step, with its rule
    EXPECT_EQ(data.text(txtDelay(1)), QStringLiteral("0.4"));
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_FALSE(canUndo());
    EXPECT_EQ(redoText(), QStringLiteral("やり直し: 反応性 力行入(&R)"));
    for (auto redoKey : {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}) {
        key(field(txtPer(0)), redoKey);
        EXPECT_EQ(field(txtDelay(0))->text(), QStringLiteral("0.1"));
        window.history().undo();
    }
    // A field never takes the keys for its own undo, even with nothing to undo.
    key(field(txtPer(0)), Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(field(txtDelay(0))->text(), QStringLiteral("0.4"));
}

TEST_F(UndoTest, ListsCheckBoxesAndTheMenuUndoAndNewAndOpenStartAfresh) {
    QComboBox* send = form()->list(cbxBrkSend);
    send->setFocus(Qt::TabFocusReason);
    QTest::keyClick(send, Qt::Key_Down);
    form()->checkBox(3)->click();
    EXPECT_EQ(undoText(), QStringLiteral("元に戻す: 抑速制御(&U)"));
    trigger("mnuEditUndo");
    EXPECT_FALSE(form()->checkBox(3)->isChecked());
    trigger("mnuEditUndo");
    EXPECT_EQ(send->currentIndex(), 0);
    trigger("mnuEditRedo");
    EXPECT_TRUE(form()->list(cbxHandle(2))->isEnabled());

    prompter.scriptSave({Prompter::SaveChoice::Discard});
    trigger("mnuFileNew");
    EXPECT_FALSE(canUndo());
    form()->checkBox(0)->click();
    prompter.scriptSave({Prompter::SaveChoice::Discard});
    chooser.openNames << writeTrainFile(file("a.dat"), QStringLiteral("3"));
    trigger("mnuFileOpen");
    EXPECT_FALSE(canUndo());
    EXPECT_FALSE(window.isWindowModified());
}

TEST_F(UndoTest, AFieldPassedThroughIsNeitherCheckedNorAStepButOneTypedInIs) {
    TrainData read;
    read.setText(txtPer(1), QStringLiteral("0.350")); // as a file may hold it
    data.adopt(read);
    QLineEdit* adhesion = field(txtPer(1));
    adhesion->setFocus(Qt::TabFocusReason);
    QTest::keyClick(adhesion, Qt::Key_Tab);
    EXPECT_EQ(adhesion->text(), QStringLiteral("0.350"));
    EXPECT_FALSE(canUndo());
    EXPECT_FALSE(window.isWindowModified());

    type(txtPer(1), QStringLiteral("0.350"));
    QTest::keyClick(adhesion, Qt::Key_Tab);
    EXPECT_EQ(adhesion->text(), QStringLiteral("0.35"));
    EXPECT_EQ(undoText(), QStringLiteral("元に戻す: 粘着係数(&U)"));
    EXPECT_TRUE(window.isWindowModified());

    // Checked once: passing through it again adds nothing.
    adhesion->setFocus(Qt::TabFocusReason);
    QTest::keyClick(adhesion, Qt::Key_Tab);
    EXPECT_EQ(window.history().stack().count(), 1);
}

TEST_F(UndoTest, TheMarkFollowsTypingAndThePerformanceWindowOnlySteps) {
    trigger("mnuViewPerformance");
    QTableView* braking = window.performanceWindow()->brakingView();
    auto shown = [braking] {
        QCoreApplication::processEvents(); // a refresh that a change scheduled
        return braking->model()->index(9, 1).data().toString();
    };
    EXPECT_EQ(shown(), QStringLiteral("25.8"));
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    type(txtPer(0), QStringLiteral("2"));
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_EQ(shown(), QStringLiteral("25.8"));
    QTest::keyClick(field(txtPer(0)), Qt::Key_Tab);
    EXPECT_EQ(shown(), QStringLiteral("50.8"));
    trigger("mnuEditUndo");
    EXPECT_EQ(shown(), QStringLiteral("25.8"));
    EXPECT_FALSE(window.isWindowModified());

    // A tick and its untick are two steps that leave the document as saved.
    form()->checkBox(1)->click();
    EXPECT_TRUE(window.isWindowModified());
    form()->checkBox(1)->click();
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_EQ(undoText(), QStringLiteral("元に戻す: EB(&U)"));
}

TEST_F(UndoTest, DecliningAFailureQuestionWritesTheRecoveryCopyFirst) {
    bool ended = false;
    window.setProgramEnder([&] { ended = true; });
    RecoverySession session(window, data, prompter);
    type(txtPer(0), QStringLiteral("3"));
    prompter.script({false});
    data.setDocumentPath(file("missing/a.dat"));
    trigger("mnuFileSave");
    EXPECT_TRUE(ended);
    EXPECT_EQ(prompter.countFor(QStringLiteral("Save")), 1);
    EXPECT_TRUE(QFile::exists(session.keeper().copyPath()));
    EXPECT_TRUE(session.keeper().keepsCopy());
    QFile::remove(session.keeper().copyPath());
}
