#include "shared/pathname.h"
#include "support/apptest.h"
#include "support/workingfolder.h"

#include <QDir>
#include <QFile>

using namespace Orlenda;

// The recent files these tests add must not reach the next test's window,
// which reads the store before its SetUp could clear it.
class DocumentPaths : public MainWindowFixture<> {
protected:
    void TearDown() override { placementStore().clear(); }
};

TEST_F(DocumentPaths, ARelativeCommandLineShowsAndKeepsTheAbsolutePath) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("a")) &&
                QDir(dir.path()).mkpath(QStringLiteral("b")));
    writeTrainFile(file("a/train.dat"), QStringLiteral("1"));
    WorkingFolder folder(file("a"));
    const QString absolute = QDir::currentPath() + QStringLiteral("/train.dat");
    window.loadCommandLine({QStringLiteral("train.dat")});
    EXPECT_EQ(shownCaption(window), absolute + QStringLiteral(" - Orlenda"));
    EXPECT_EQ(window.action(QStringLiteral("mnuFileMRU(1)"))->text(),
              QStringLiteral("&1 ") + absolute);

    // Save As with a relative name: the folder of the moment, named absolute.
    folder.change(file("b"));
    chooser.saveNames << QStringLiteral("copy.dat");
    ASSERT_TRUE(window.saveDocumentAs());
    EXPECT_EQ(data.documentPath(), QDir::currentPath() + QStringLiteral("/copy.dat"));
    EXPECT_TRUE(QFile::exists(file("b/copy.dat")));
}

// Each name below, decoded, is the name of a file that exists and would open.
TEST_F(DocumentPaths, ANameThatIsNotUtf8IsToldAndNothingIsOpenedOrWritten) {
    const QByteArray raw = QFile::encodeName(dir.path()) + "/\x83\x41.dat";
    const QString mangled = QString::fromUtf8(raw);
    writeTrainFile(mangled, QStringLiteral("7"));
    const QString refusal = unreadableNameText(dir.path() + QStringLiteral("/\\x83A.dat"));

    data.type([&] { data.setText(txtPer(0), QStringLiteral("5")); });
    window.loadRawCommandLine({raw, QByteArray("ignored.dat")});
    EXPECT_EQ(prompter.told, QStringList{refusal});
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
    EXPECT_TRUE(data.documentPath().isEmpty());
    EXPECT_EQ(prompter.count(), 0);

    // From a dialog or a drop, the name arrives decoded already.
    chooser.openNames << mangled;
    trigger("mnuFileOpen");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(mangled)});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    dropOn(&window, &mime);
    QCoreApplication::processEvents();
    const QString target = dir.filePath(QStringLiteral("\uFFFDB.dat"));
    chooser.saveNames << target;
    EXPECT_FALSE(window.saveDocumentAs());
    EXPECT_EQ(prompter.told,
              QStringList({refusal, unreadableNameText(mangled), unreadableNameText(mangled),
                           unreadableNameText(target)}));
    EXPECT_TRUE(data.documentPath().isEmpty());
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(prompter.count(), 0);

    // A name that is UTF-8 opens.
    window.loadRawCommandLine(
        {QFile::encodeName(writeTrainFile(file("列車.dat"), QStringLiteral("6")))});
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("6"));
    EXPECT_EQ(prompter.told.size(), 4);
}
