#include "app/filechooser.h"
#include "app/mainwindow.h"
#include "document/openfile.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"
#include "support/scriptedprompter.h"
#include "support/showncaption.h"

#include <QAction>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

class OpenChooser : public FileChooser {
public:
    QString next;
    QString openFileName(QWidget*) override { return std::exchange(next, QString()); }
    QString saveFileName(QWidget*) override { return {}; }
};

class MainWindowOpenTest : public ::testing::Test {
protected:
    // A train file whose deceleration is the given text.
    QString trainFile(const char* name, const QString& deceleration) {
        TrainData source;
        source.setText(txtPer(0), deceleration);
        const QString path = dir.filePath(QString::fromUtf8(name));
        writeWholeFile(path, encodeShiftJis(trainFileText(source)));
        return path;
    }

    // A drag entering target, then the drop, as the desktop delivers them.
    void drop(QWidget* target, QMimeData* mime) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }

    QTemporaryDir dir;
    TrainData data;
    ScriptedPrompter prompter;
    OpenChooser chooser;
    MainWindow window{data, prompter, chooser};
};

} // namespace

TEST_F(MainWindowOpenTest, OpenReadsTheFileAndNamesItInTheCaption) {
    const QString path = trainFile("a.dat", QStringLiteral("3.5"));
    chooser.next = path;
    window.action(QStringLiteral("mnuFileOpen"))->trigger();
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("3.5"));
    EXPECT_EQ(shownCaption(window), path + QStringLiteral(" - Orlenda"));
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(MainWindowOpenTest, CancellingTheDialogChangesNothing) {
    data.setDocumentPath(QStringLiteral("/x/keep.dat"));
    data.setText(txtPer(0), QStringLiteral("9"));
    window.action(QStringLiteral("mnuFileOpen"))->trigger();
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("9"));
    EXPECT_EQ(shownCaption(window), QStringLiteral("/x/keep.dat* - Orlenda"));
}

TEST_F(MainWindowOpenTest, DropOpensOnlyTheFirstFileEvenOnAField) {
    const QString first = trainFile("first.dat", QStringLiteral("1.5"));
    const QString second = trainFile("second.dat", QStringLiteral("2.5"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("txtPer(1)"));
    ASSERT_NE(field, nullptr);
    EXPECT_FALSE(field->acceptDrops());
    drop(field, mime);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("1.5"));
    EXPECT_EQ(data.text(txtPer(1)), QStringLiteral("0.35"));
    EXPECT_EQ(shownCaption(window), first + QStringLiteral(" - Orlenda"));
    delete mime;
}

TEST_F(MainWindowOpenTest, DropOfTextOrRemoteDataIsIgnored) {
    QMimeData text;
    text.setText(QStringLiteral("/tmp/a.dat"));
    EXPECT_TRUE(MainWindow::droppedFile(&text).isEmpty());
    QMimeData remote;
    remote.setUrls({QUrl(QStringLiteral("https://example.org/a.dat"))});
    EXPECT_TRUE(MainWindow::droppedFile(&remote).isEmpty());
    data.setText(txtPer(0), QStringLiteral("9"));
    drop(&window, &text);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("9"));
    QCoreApplication::processEvents();
    EXPECT_EQ(prompter.count() + prompter.saveQuestions(), 0);
}

TEST_F(MainWindowOpenTest, CommandLineOpensTheQuotedPathOrStartsNew) {
    const QString path = trainFile("my train.dat", QStringLiteral("2.25"));
    window.loadCommandLine(QLatin1Char('"') + path + QStringLiteral("\" extra"));
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("2.25"));
    EXPECT_EQ(data.documentPath(), path);

    window.loadCommandLine(QString());
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
    EXPECT_EQ(shownCaption(window), QStringLiteral("Orlenda"));
}

TEST_F(MainWindowOpenTest, UnquotedPathWithBlankIsCutAndReportedOnce) {
    const QString path = trainFile("my train.dat", QStringLiteral("2.25"));
    window.loadCommandLine(path);
    EXPECT_EQ(prompter.countFor(QStringLiteral("OpenFile")), 1);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
    EXPECT_EQ(shownCaption(window), QStringLiteral("Orlenda"));
}

TEST_F(MainWindowOpenTest, DecliningAnUnsupportedVersionLeavesTheTitleAlone) {
    const QString path = dir.filePath(QStringLiteral("future.dat"));
    writeWholeFile(path, "QRL3000000\r\n#PERFORMANCE\r\n9\r\n#\r\n");
    data.setDocumentPath(QStringLiteral("/x/before.dat"));
    prompter.script({false});
    chooser.next = path;
    window.action(QStringLiteral("mnuFileOpen"))->trigger();
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
    EXPECT_EQ(shownCaption(window), QStringLiteral("Orlenda"));
}

TEST_F(MainWindowOpenTest, SaveWhileAFieldHasFocusWritesTheTypedText) {
    const QString path = trainFile("focus.dat", QStringLiteral("4"));
    window.loadCommandLine(path);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("txtPer(0)"));
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("0.01x"));
    ASSERT_TRUE(field->hasFocus());
    window.action(QStringLiteral("mnuFileSave"))->trigger();
    TrainData reread;
    ScriptedPrompter quiet;
    openFile(reread, path, quiet);
    EXPECT_EQ(reread.text(txtPer(0)), QStringLiteral("0.01x"));
    EXPECT_EQ(quiet.count(), 0);
}
