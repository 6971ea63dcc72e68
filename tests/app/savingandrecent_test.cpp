#include "shared/recentfiles.h"
#include "support/apptest.h"

#include <QFile>

using namespace Orlenda;

using MainWindowSaving = MainWindowFixture<>;

TEST_F(MainWindowSaving, AFailedSaveAsKeepsPathCaptionAndModifiedMark) {
    const QString path = writeTrainFile(file("first.dat"), QStringLiteral("1.5"));
    window.loadCommandLine({path});
    data.type([&] { data.setText(txtPer(0), QStringLiteral("2.5")); });
    const QString caption = shownCaption(window);
    ASSERT_TRUE(caption.startsWith(path + QLatin1Char('*')));

    chooser.saveNames << file("no/such/folder/x.dat");
    EXPECT_FALSE(window.saveDocumentAs());
    EXPECT_EQ(prompter.countFor(QStringLiteral("Save")), 1);
    EXPECT_EQ(data.documentPath(), path);
    EXPECT_EQ(shownCaption(window), caption);
    EXPECT_TRUE(data.isModified());

    // Save goes to the file the document still belongs to.
    trigger("mnuFileSave");
    EXPECT_EQ(chooser.saveAsked, 1);
    EXPECT_EQ(decelerationIn(path), QStringLiteral("2.5"));
}

TEST_F(MainWindowSaving, TheLastThreeFilesAreListedAcrossARestartAndAMissingOneIsDropped) {
    for (const char* name : {"a.dat", "b.dat", "c.dat"})
        window.loadCommandLine({writeTrainFile(file(name), QStringLiteral("1"))});
    chooser.saveNames << file("d.dat");
    ASSERT_TRUE(window.saveDocumentAs());
    {
        // A settings file may hold anything: only paths are listed.
        QSettings store = placementStore();
        store.setValue(QStringLiteral("RecentFiles/File2"), QStringLiteral("relative.dat"));
        store.setValue(QStringLiteral("RecentFiles/File3"), QStringList{file("a.dat"), file("b.dat")});
    }
    TrainData restartedData;
    MainWindow restarted(restartedData, prompter, chooser);
    auto slot = [&](int i) { return restarted.action(QStringLiteral("mnuFileMRU(%1)").arg(i)); };
    EXPECT_EQ(slot(1)->text(), QStringLiteral("&1 ") + file("d.dat"));
    EXPECT_FALSE(slot(2)->isVisible());
    EXPECT_TRUE(restarted.action(QStringLiteral("mnuFileBar2"))->isVisible());

    // Chosen, a listed file opens; one that is gone is said so and dropped.
    restarted.loadCommandLine({file("c.dat")});
    EXPECT_EQ(slot(2)->text(), QStringLiteral("&2 ") + file("d.dat"));
    slot(2)->trigger();
    EXPECT_EQ(restartedData.documentPath(), file("d.dat"));
    ASSERT_TRUE(QFile::remove(file("c.dat")));
    slot(2)->trigger();
    EXPECT_EQ(prompter.told, QStringList{missingRecentFileText(file("c.dat"))});
    EXPECT_FALSE(slot(2)->isVisible());
    EXPECT_EQ(prompter.count(), 0);
}
