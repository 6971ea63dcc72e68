#include "support/apptest.h"

#include <QFile>
#include <QScreen>
#include <QMenuBar>

using namespace Orlenda;

using MainWindowTest = MainWindowFixture<>;

TEST_F(MainWindowTest, ShowsTheSizeAndTheFileMenu) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.frameGeometry().size(), QSize(576, 448));
    QStringList visible;
    for (QAction* a : window.menuBar()->actions().at(0)->menu()->actions()) {
        if (a->isVisible())
            visible << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(visible, (QStringList{"新規作成(&N)", "開く(&O)...", "-", "上書き保存(&S)",
                                    "名前を付けて保存(&A)...", "-", "終了(&X)"}));
    // The desktop's standard keys, which the menu shows beside each command;
    // this platform has none for the last two.
    for (const auto& [name, key, shown] :
         {std::tuple{"mnuFileNew", QKeySequence::New, "Ctrl+N"},
          {"mnuFileOpen", QKeySequence::Open, "Ctrl+O"},
          {"mnuFileSave", QKeySequence::Save, "Ctrl+S"},
          {"mnuFileSaveAs", QKeySequence::SaveAs, "Ctrl+Shift+S"},
          {"mnuFileExit", QKeySequence::Quit, "Ctrl+Q"}}) {
        const QKeySequence shortcut = window.action(QString::fromLatin1(name))->shortcut();
        EXPECT_EQ(shortcut.toString(), QString::fromLatin1(shown)) << name;
        EXPECT_EQ(shortcut, QKeySequence::keyBindings(key).value(0, shortcut)) << name;
    }
}

TEST_F(MainWindowTest, ClosingWritesThePlacementInTwipsUnlessMinimizedAndClosesTheOthers) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.setWindowState(Qt::WindowMinimized);
    window.close();
    EXPECT_FALSE(placementWritten());

    window.showNormal();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.move(20, 30);
    auto* other = new QWidget;
    other->setAttribute(Qt::WA_DeleteOnClose);
    other->show();
    QPointer<QWidget> watch(other);
    QTest::qWait(10);
    window.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull() || !watch->isVisible());
    QSettings store = placementStore();
    store.beginGroup(settingsSection());
    for (const auto& [key, twips] : {std::pair{"MainWidth", "8640"}, {"MainHeight", "6720"},
                                     {"MainLeft", "300"}, {"MainTop", "450"}})
        EXPECT_EQ(store.value(key).toString(), QString::fromLatin1(twips)) << key;
}

// The rules for a sane placement are WindowPlacement's test.
TEST_F(MainWindowTest, ReopensAtTheSavedPlacementOnlyWhenItIsOnAScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    auto reopened = [&](QPoint at, QSize size) {
        writeSettings(windowPlacementSettings(QRect(at, size), false));
        MainWindow next(data, prompter, chooser);
        return QRect(next.pos(), next.size());
    };
    const QPoint inside = screen.topLeft() + QPoint(10, 20);
    EXPECT_EQ(reopened(inside, {600, 500}), QRect(inside, QSize(600, 500)));
    EXPECT_EQ(reopened(screen.topRight() + QPoint(100, 0), {600, 500}).size(), QSize(576, 448));
    placementStore().clear();
}

TEST_F(MainWindowTest, SaveWritesDirectlyOnlyToDatInAnyCaseAndAsksForOtherNames) {
    for (const char* name : {"a.DAT", "b.dat", "c.Dat"}) {
        data.setDocumentPath(file(name));
        window.saveDocument();
        EXPECT_TRUE(QFile::exists(file(name))) << name;
    }
    EXPECT_EQ(chooser.saveAsked, 0);
    // Other names go through the dialog (a cancelled one is pinned by
    // UnsavedChangesTest.SaveOfAnUnnamedDocumentGoesThroughSaveAs), and a name
    // without ".dat" is asked for again at the next Save.
    data.setDocumentPath(file("old.trn"));
    chooser.saveNames << file("noextension");
    window.saveDocument();
    EXPECT_EQ(chooser.saveAsked, 1);
    EXPECT_TRUE(QFile::exists(file("noextension")));
    EXPECT_FALSE(QFile::exists(file("old.trn")));
    window.saveDocument();
    EXPECT_EQ(chooser.saveAsked, 2);
    EXPECT_EQ(prompter.count(), 0);
}
