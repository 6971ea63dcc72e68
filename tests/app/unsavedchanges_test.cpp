#include "app/filechooser.h"
#include "app/mainwindow.h"
#include "document/openfile.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"
#include "shared/windowplacement.h"
#include "support/scriptedprompter.h"
#include "support/showncaption.h"

#include <QAction>
#include <QLineEdit>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace Orlenda;
using SaveChoice = Prompter::SaveChoice;

namespace {

class Chooser : public FileChooser {
public:
    QStringList openNames;
    QStringList saveNames;
    int saveAsked = 0;
    QString openFileName(QWidget*) override {
        return openNames.isEmpty() ? QString() : openNames.takeFirst();
    }
    QString saveFileName(QWidget*) override {
        ++saveAsked;
        return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
    }
};

QSettings placementStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, settingsApplication(),
                     settingsApplication());
}

// The deceleration a train file holds, as the editor would open it.
QString decelerationIn(const QString& path) {
    TrainData data;
    ScriptedPrompter quiet;
    openFile(data, path, quiet);
    return data.documentPath().isEmpty() ? QString() : data.text(txtPer(0));
}

enum class Command { New, Open, Drop, Close };

class UnsavedChangesTest : public ::testing::TestWithParam<Command> {
protected:
    void SetUp() override {
        placementStore().clear();
        other = dir.filePath(QStringLiteral("other.dat"));
        TrainData source;
        source.setText(txtPer(0), QStringLiteral("2"));
        writeWholeFile(other, encodeShiftJis(trainFileText(source)));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void modify() { data.setText(txtPer(0), QStringLiteral("9")); }

    // Runs the command under test; true when it went on: the document was
    // replaced, or the window closed.
    bool run() {
        switch (GetParam()) {
        case Command::New:
            window.action(QStringLiteral("mnuFileNew"))->trigger();
            return data.text(txtPer(0)) == QStringLiteral("4");
        case Command::Open:
            chooser.openNames << other;
            window.action(QStringLiteral("mnuFileOpen"))->trigger();
            return data.text(txtPer(0)) == QStringLiteral("2");
        case Command::Drop: {
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(other)});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton,
                                  Qt::NoModifier);
            QCoreApplication::sendEvent(&window, &enter);
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&window, &drop);
            QCoreApplication::processEvents();
            return data.text(txtPer(0)) == QStringLiteral("2");
        }
        case Command::Close:
            window.action(QStringLiteral("mnuFileExit"))->trigger();
            return !window.isVisible();
        }
        return false;
    }

    // Nothing happened: the edit, its mark, the window and the settings stay.
    void expectUntouched() {
        EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("9"));
        EXPECT_TRUE(data.isModified());
        EXPECT_TRUE(window.isWindowModified());
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(placementStore().allKeys().isEmpty());
    }

    QTemporaryDir dir;
    QString other;
    TrainData data;
    ScriptedPrompter prompter;
    Chooser chooser;
    MainWindow window{data, prompter, chooser};
};

} // namespace

TEST_P(UnsavedChangesTest, UnmodifiedDocumentGoesOnWithoutAsking) {
    EXPECT_TRUE(run());
    EXPECT_EQ(prompter.saveQuestions(), 0);
    EXPECT_EQ(chooser.saveAsked, 0);
}

TEST_P(UnsavedChangesTest, CancelLeavesEverythingAsItWas) {
    const QString path = dir.filePath(QStringLiteral("a.dat"));
    data.setDocumentPath(path);
    modify();
    prompter.scriptSave({SaveChoice::Cancel});
    EXPECT_FALSE(run());
    EXPECT_EQ(prompter.saveQuestions(), 1);
    expectUntouched();
    EXPECT_EQ(data.documentPath(), path);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_P(UnsavedChangesTest, DontSaveGoesOnAndWritesNothing) {
    const QString path = dir.filePath(QStringLiteral("a.dat"));
    data.setDocumentPath(path);
    modify();
    prompter.scriptSave({SaveChoice::Discard});
    EXPECT_TRUE(run());
    EXPECT_EQ(prompter.saveQuestions(), 1);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_P(UnsavedChangesTest, SaveWritesTheEditThenGoesOn) {
    const QString path = dir.filePath(QStringLiteral("a.DAT"));
    data.setDocumentPath(path);
    modify();
    prompter.scriptSave({SaveChoice::Save});
    EXPECT_TRUE(run());
    EXPECT_EQ(prompter.saveQuestions(), 1);
    EXPECT_EQ(chooser.saveAsked, 0);
    EXPECT_EQ(decelerationIn(path), QStringLiteral("9"));
}

TEST_P(UnsavedChangesTest, SaveOfAnUnnamedDocumentGoesThroughSaveAs) {
    const QString legacy = dir.filePath(QStringLiteral("old.trn"));
    const QString target = dir.filePath(QStringLiteral("named"));
    data.setDocumentPath(legacy);
    modify();
    prompter.scriptSave({SaveChoice::Save, SaveChoice::Save});
    chooser.saveNames << QString() << target;
    // The name dialog cancelled: nothing is written and nothing goes on.
    EXPECT_FALSE(run());
    expectUntouched();
    EXPECT_EQ(chooser.saveAsked, 1);
    // Named this time: written under the new name, then on.
    EXPECT_TRUE(run());
    EXPECT_EQ(prompter.saveQuestions(), 2);
    EXPECT_EQ(decelerationIn(target), QStringLiteral("9"));
    EXPECT_FALSE(QFile::exists(legacy));
}

TEST_P(UnsavedChangesTest, FailedSaveKeepsTheDocumentAndTheWindow) {
    data.setDocumentPath(dir.filePath(QStringLiteral("missing/a.dat")));
    modify();
    prompter.scriptSave({SaveChoice::Save});
    prompter.script({true}); // go on after the failure report
    EXPECT_FALSE(run());
    EXPECT_EQ(prompter.countFor(QStringLiteral("Save")), 1);
    EXPECT_EQ(prompter.saveQuestions(), 1);
    expectUntouched();
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, UnsavedChangesTest,
                         ::testing::Values(Command::New, Command::Open, Command::Drop,
                                           Command::Close),
                         [](const ::testing::TestParamInfo<Command>& info) {
                             switch (info.param) {
                             case Command::New:
                                 return "New";
                             case Command::Open:
                                 return "Open";
                             case Command::Drop:
                                 return "Drop";
                             case Command::Close:
                                 return "Close";
                             }
                             return "";
                         });

TEST(ModifiedMark, FollowsTypingAndClearsOnSaveSaveAsAndOpen) {
    QTemporaryDir dir;
    TrainData data;
    ScriptedPrompter prompter;
    Chooser chooser;
    MainWindow window(data, prompter, chooser);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(shownCaption(window), QStringLiteral("Orlenda"));

    auto* field = window.findChild<QLineEdit*>(QStringLiteral("txtPer(0)"));
    ASSERT_NE(field, nullptr);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_5);
    EXPECT_EQ(shownCaption(window), QStringLiteral("Orlenda*"));

    const QString path = dir.filePath(QStringLiteral("b.dat"));
    chooser.saveNames << path;
    window.action(QStringLiteral("mnuFileSaveAs"))->trigger();
    EXPECT_EQ(shownCaption(window), path + QStringLiteral(" - Orlenda"));

    QTest::keyClick(field, Qt::Key_5);
    EXPECT_EQ(shownCaption(window), path + QStringLiteral("* - Orlenda"));
    window.action(QStringLiteral("mnuFileSave"))->trigger();
    EXPECT_EQ(shownCaption(window), path + QStringLiteral(" - Orlenda"));
    EXPECT_EQ(chooser.saveAsked, 1);

    data.setCheck(0, true);
    EXPECT_TRUE(window.isWindowModified());
    chooser.openNames << path;
    window.action(QStringLiteral("mnuFileOpen"))->trigger();
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_FALSE(data.check(0));
    EXPECT_EQ(prompter.saveQuestions(), 1);
    EXPECT_EQ(prompter.count(), 0);
}
