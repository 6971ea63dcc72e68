#include "app/filechooser.h"
#include "app/mainwindow.h"
#include "document/traindata.h"
#include "shared/windowplacement.h"
#include "support/scriptedprompter.h"
#include "support/showncaption.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

class ScriptedChooser : public FileChooser {
public:
    QStringList openNames;
    QStringList saveNames;
    int saveAsked = 0;
    QString openFileName(QWidget*) override { return openNames.isEmpty() ? QString() : openNames.takeFirst(); }
    QString saveFileName(QWidget*) override {
        ++saveAsked;
        return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
    }
};

QSettings placementStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, settingsApplication(),
                     settingsApplication());
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { placementStore().clear(); }

    TrainData data;
    ScriptedPrompter prompter;
    ScriptedChooser chooser;
    QTemporaryDir dir;
};

} // namespace

TEST_F(MainWindowTest, ShowsTheTitleTheSizeAndTheMenus) {
    MainWindow window(data, prompter, chooser);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(shownCaption(window), QStringLiteral("Orlenda"));
    EXPECT_EQ(window.frameGeometry().size(), QSize(576, 448));
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus.at(0)->text(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(menus.at(1)->text(), QStringLiteral("ヘルプ(&H)"));
    QStringList visible;
    for (QAction* a : menus.at(0)->menu()->actions()) {
        if (a->isVisible())
            visible << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(visible, (QStringList{"新規作成(&N)", "開く(&O)...", "-", "上書き保存(&S)",
                                    "名前を付けて保存(&A)...", "-", "終了(&X)"}));
    for (QAction* a : menus.at(0)->menu()->actions())
        EXPECT_TRUE(a->shortcut().isEmpty());
    EXPECT_NE(window.action(QStringLiteral("mnuFileMRU(3)")), nullptr);
    EXPECT_FALSE(window.action(QStringLiteral("mnuFileMRU(3)"))->isVisible());
}

TEST_F(MainWindowTest, ClosingWritesThePlacementInTwips) {
    {
        MainWindow window(data, prompter, chooser);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.move(20, 30);
        QTest::qWait(10);
        window.close();
    }
    QSettings store = placementStore();
    store.beginGroup(settingsSection());
    EXPECT_EQ(store.value("MainWidth").toString(), QStringLiteral("8640"));
    EXPECT_EQ(store.value("MainHeight").toString(), QStringLiteral("6720"));
    EXPECT_EQ(store.value("MainLeft").toString(), QStringLiteral("300"));
    EXPECT_EQ(store.value("MainTop").toString(), QStringLiteral("450"));
}

TEST_F(MainWindowTest, ClosingWhileMinimizedWritesNothing) {
    MainWindow window(data, prompter, chooser);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.setWindowState(Qt::WindowMinimized);
    window.close();
    QSettings store = placementStore();
    EXPECT_TRUE(store.allKeys().isEmpty());
}

TEST_F(MainWindowTest, ClosingClosesEveryOtherWindow) {
    MainWindow window(data, prompter, chooser);
    window.show();
    auto* other = new QWidget;
    other->setAttribute(Qt::WA_DeleteOnClose);
    other->show();
    QPointer<QWidget> watch(other);
    window.close();
    QTest::qWait(10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull() || !watch->isVisible());
}

TEST_F(MainWindowTest, SaveOfANewDocumentAsksForANameAndSetsTheCaption) {
    MainWindow window(data, prompter, chooser);
    const QString target = dir.filePath(QStringLiteral("noextension"));
    chooser.saveNames << target;
    window.saveDocument();
    EXPECT_EQ(chooser.saveAsked, 1);
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_EQ(shownCaption(window), target + QStringLiteral(" - Orlenda"));
    // A name without ".dat" is asked for again at the next Save.
    window.saveDocument();
    EXPECT_EQ(chooser.saveAsked, 2);
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(MainWindowTest, SaveWritesDirectlyOnlyToDatInAnyCase) {
    MainWindow window(data, prompter, chooser);
    for (const char* name : {"a.DAT", "b.dat", "c.Dat"}) {
        const QString target = dir.filePath(QString::fromLatin1(name));
        data.setDocumentPath(target);
        window.saveDocument();
        EXPECT_TRUE(QFile::exists(target)) << name;
    }
    EXPECT_EQ(chooser.saveAsked, 0);
    data.setDocumentPath(dir.filePath(QStringLiteral("old.trn")));
    window.saveDocument(); // cancelled dialog: nothing changes
    EXPECT_EQ(chooser.saveAsked, 1);
    EXPECT_EQ(data.documentPath(), dir.filePath(QStringLiteral("old.trn")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("old.trn"))));
}

TEST_F(MainWindowTest, NewDropsTheDocumentAndThePath) {
    MainWindow window(data, prompter, chooser);
    data.setDocumentPath(QStringLiteral("/x/y.dat"));
    data.setText(txtPer(0), QStringLiteral("7"));
    EXPECT_EQ(shownCaption(window), QStringLiteral("/x/y.dat* - Orlenda"));
    window.action(QStringLiteral("mnuFileNew"))->trigger();
    EXPECT_EQ(shownCaption(window), QStringLiteral("Orlenda"));
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
}

TEST_F(MainWindowTest, DecliningAFailedSaveEndsTheProgramWithoutClosingSteps) {
    MainWindow window(data, prompter, chooser);
    bool ended = false;
    window.setProgramEnder([&] { ended = true; });
    prompter.script({false});
    data.setDocumentPath(dir.filePath(QStringLiteral("missing/a.dat")));
    window.saveDocument();
    EXPECT_TRUE(ended);
    EXPECT_EQ(prompter.countFor(QStringLiteral("Save")), 1);
}
