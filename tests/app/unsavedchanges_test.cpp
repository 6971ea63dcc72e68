#include "support/apptest.h"
#include "support/documenttests.h"

using namespace Orlenda;
using SaveChoice = Prompter::SaveChoice;

namespace {

enum class Command { New, Open, Drop, Close };
const char* const commandNames[] = {"New", "Open", "Drop", "Close"};

class UnsavedChangesTest : public MainWindowFixture<::testing::TestWithParam<Command>> {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        writeTrainFile(other, QStringLiteral("2"));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void modify() { data.type([&] { data.setText(txtPer(0), QStringLiteral("9")); }); }

    // Runs the command under test; true when it went on: the document was
    // replaced, or the window closed.
    bool run() {
        switch (GetParam()) {
        case Command::New:
            trigger("mnuFileNew"); // the path goes with the document
            return data.text(txtPer(0)) == QStringLiteral("4") && data.documentPath().isEmpty();
        case Command::Open:
            chooser.openNames << other;
            trigger("mnuFileOpen");
            return data.text(txtPer(0)) == QStringLiteral("2");
        case Command::Drop: {
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(other)});
            dropOn(&window, &mime);
            QCoreApplication::processEvents();
            return data.text(txtPer(0)) == QStringLiteral("2");
        }
        case Command::Close:
            trigger("mnuFileExit");
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
        EXPECT_FALSE(placementWritten());
    }

    const QString other = file("other.dat");
};

} // namespace

TEST_P(UnsavedChangesTest, UnmodifiedGoesOnCancelStaysDontSaveGoesOnSaveWritesThenGoesOn) {
    EXPECT_TRUE(run()); // unmodified: no question
    EXPECT_EQ(prompter.saveQuestions(), 0);
    placementStore().clear(); // Close wrote it
    int asked = 0;
    for (const auto& [choice, name, goesOn] : {std::tuple{SaveChoice::Cancel, "a.dat", false},
                                                {SaveChoice::Discard, "b.dat", true},
                                                {SaveChoice::Save, "c.DAT", true}}) {
        SCOPED_TRACE(name);
        const QString path = file(name);
        window.show(); // again, after Close went on
        data.setDocumentPath(path);
        modify();
        prompter.scriptSave({choice});
        EXPECT_EQ(run(), goesOn);
        EXPECT_EQ(prompter.saveQuestions(), ++asked);
        EXPECT_EQ(chooser.saveAsked, 0);
        EXPECT_EQ(QFile::exists(path), choice == SaveChoice::Save);
        if (choice == SaveChoice::Save) {
            EXPECT_EQ(decelerationIn(path), QStringLiteral("9"));
        }
        if (!goesOn) {
            expectUntouched();
            EXPECT_EQ(data.documentPath(), path);
        }
    }
}

TEST_P(UnsavedChangesTest, SaveOfAnUnnamedDocumentGoesThroughSaveAs) {
    const QString legacy = file("old.trn");
    const QString target = file("named");
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
    data.setDocumentPath(file("missing/a.dat"));
    modify();
    prompter.scriptSave({SaveChoice::Save});
    prompter.script({true}); // go on after the failure report
    EXPECT_FALSE(run());
    EXPECT_EQ(prompter.countFor(QStringLiteral("Save")), 1);
    EXPECT_EQ(prompter.saveQuestions(), 1);
    expectUntouched();
}

TEST_P(UnsavedChangesTest, NoToReplacingAFileChangedOnDiskKeepsTheDocumentAndTheWindow) {
    const QString path = writeTrainFile(file("mine.dat"), QStringLiteral("1"));
    window.loadCommandLine({path});
    modify();
    // Another program writes the file, a little later than it was read.
    const QString theirs = writeTrainFile(file("mine.dat"), QStringLiteral("3"));
    {
        QFile touched(theirs);
        ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
        touched.setFileTime(QDateTime::currentDateTime().addSecs(5),
                            QFileDevice::FileModificationTime);
    }
    prompter.scriptSave({SaveChoice::Save});
    prompter.script({false});
    EXPECT_FALSE(run());
    EXPECT_EQ(questionTexts(prompter), QStringList{changedOnDiskQuestionText(path)});
    expectUntouched();
    EXPECT_EQ(decelerationIn(path), QStringLiteral("3"));
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, UnsavedChangesTest,
                         ::testing::Values(Command::New, Command::Open, Command::Drop, Command::Close),
                         [](const auto& info) { return std::string(commandNames[int(info.param)]); });

using ModifiedMark = MainWindowFixture<>;

TEST_F(ModifiedMark, FollowsTypingAndClearsOnSaveSaveAsAndOpenButNotOnACancelledOpen) {
    showActive();
    EXPECT_EQ(shownCaption(window), QStringLiteral("Orlenda"));
    auto* field = namedChild<QLineEdit>(window, "txtPer(0)");
    field->setFocus();
    QTest::keyClick(field, Qt::Key_5);
    EXPECT_EQ(shownCaption(window), QStringLiteral("Orlenda*"));

    const QString path = file("b.dat");
    chooser.saveNames << path;
    trigger("mnuFileSaveAs");
    EXPECT_EQ(shownCaption(window), path + QStringLiteral(" - Orlenda"));

    QTest::keyClick(field, Qt::Key_5);
    EXPECT_EQ(shownCaption(window), path + QStringLiteral("* - Orlenda"));
    trigger("mnuFileSave");
    EXPECT_EQ(shownCaption(window), path + QStringLiteral(" - Orlenda"));
    EXPECT_EQ(chooser.saveAsked, 1);

    data.edit(QString(), [&] { data.setCheck(chkDevice(0), true); });
    EXPECT_TRUE(window.isWindowModified());
    trigger("mnuFileOpen"); // a cancelled dialog keeps all
    EXPECT_TRUE(window.isWindowModified() && data.check(chkDevice(0)));
    EXPECT_EQ(data.documentPath(), path);
    chooser.openNames << path;
    trigger("mnuFileOpen");
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_FALSE(data.check(chkDevice(0)));
    EXPECT_EQ(prompter.saveQuestions(), 2);
    EXPECT_EQ(prompter.count(), 0);
}
