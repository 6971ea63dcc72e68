#include "support/apptest.h"

using namespace Orlenda;

using MainWindowOpenTest = MainWindowFixture<>;

TEST_F(MainWindowOpenTest, DropOpensOnlyTheFirstLocalFileEvenOnAField) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // Text or remote data is ignored.
    QMimeData text;
    text.setText(QStringLiteral("/tmp/a.dat"));
    QMimeData remote;
    remote.setUrls({QUrl(QStringLiteral("https://example.org/a.dat"))});
    EXPECT_TRUE(MainWindow::droppedFile(&remote).isEmpty());
    data.type([&] { data.setText(txtPer(0), QStringLiteral("9")); });
    dropOn(&window, &text);
    QCoreApplication::processEvents();
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("9"));
    EXPECT_EQ(prompter.count() + prompter.saveQuestions(), 0);

    data.type([&] { data.setText(txtPer(0), QStringLiteral("4")); });
    data.markSaved();
    const QString first = writeTrainFile(file("first.dat"), QStringLiteral("1.5"));
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(first),
                   QUrl::fromLocalFile(writeTrainFile(file("second.dat"), QStringLiteral("2.5")))});
    dropOn(namedChild(window, "txtPer(1)"), &files);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("1.5"));
    EXPECT_EQ(data.text(txtPer(1)), QStringLiteral("0.35"));
    EXPECT_EQ(shownCaption(window), first + QStringLiteral(" - Orlenda"));
}

TEST_F(MainWindowOpenTest, CommandLineTakesTheFirstArgumentAsGivenOrStartsNew) {
    // Blanks and double quotes belong to the name; a second argument is ignored.
    const QString path = writeTrainFile(file("my \"train\".dat"), QStringLiteral("2.25"));
    window.loadCommandLine({path, file("other.dat")});
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("2.25"));
    EXPECT_EQ(shownCaption(window), path + QStringLiteral(" - Orlenda"));
    EXPECT_EQ(prompter.count(), 0);

    // Quotes are not taken away: no such file, reported once.
    window.loadCommandLine({QLatin1Char('"') + path});
    EXPECT_EQ(prompter.countFor(QStringLiteral("OpenFile")), 1);
    window.loadCommandLine({});
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
    EXPECT_EQ(shownCaption(window), QStringLiteral("Orlenda"));
    EXPECT_EQ(prompter.count(), 1);
}

TEST_F(MainWindowOpenTest, SaveWhileAFieldHasFocusWritesTheTypedText) {
    const QString path = writeTrainFile(file("focus.dat"), QStringLiteral("4"));
    window.loadCommandLine({path});
    showActive();
    auto* field = namedChild<QLineEdit>(window, "txtPer(0)");
    typeOver(field, QStringLiteral("0.01x"));
    ASSERT_TRUE(field->hasFocus());
    trigger("mnuFileSave");
    EXPECT_EQ(decelerationIn(path), QStringLiteral("0.01x"));
}
