#include "app/recoverydialog.h"
#include "app/recoverysession.h"
#include "document/documenthistory.h"
#include "support/apptest.h"
#include "support/recoverytests.h"

#include <QHeaderView>
#include <QTableView>

using namespace Orlenda;

namespace {

class RecoveryWindow : public MainWindowFixture<RecoveryTest> {
protected:
    void SetUp() override {
        RecoveryTest::SetUp();
        MainWindowFixture<RecoveryTest>::SetUp();
    }
    QPushButton* button(QWidget& dialog, const char* name) {
        return namedChild<QPushButton>(dialog, QString::fromLatin1(name));
    }
};

} // namespace

TEST_F(RecoveryWindow, OneTableOfCopiesWhoseButtonsFollowEachCopysState) {
    const QString target = savedDocument(dir, "newer.dat", TrainData());
    QFile original(target);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    leftCopy(target, QStringLiteral("1"), fingerprintOfBytes(target, original.readAll()));
    TrainData other;
    other.setText(txtPer(0), QStringLiteral("9"));
    savedDocument(dir, "newer.dat", other); // changed by someone else since
    TrainData source;
    source.setDocumentPath(target);
    const QByteArray good = recoveryCopyBytes(source, QDateTime::currentDateTimeUtc().addSecs(5));
    plantCopy(QStringLiteral("junk.recovery"), good + "junk");

    RecoveryOffer offer(data, prompter);
    offer.scan(RecoveryKeeper::folder());
    RecoveryDialog dialog(offer, &window);
    QTableView* table = dialog.table();
    ASSERT_EQ(table->model()->rowCount(), 2);
    EXPECT_EQ(table->model()->headerData(RecoveryOffer::StateColumn, Qt::Horizontal).toString(),
              QStringLiteral("ファイルの状態"));
    auto cell = [&](int row, int column) {
        return table->model()->index(row, column).data().toString();
    };
    EXPECT_EQ(cell(0, RecoveryOffer::FileColumn), target);
    EXPECT_EQ(cell(0, RecoveryOffer::StateColumn), QStringLiteral("破損"));
    EXPECT_EQ(cell(1, RecoveryOffer::StateColumn), QStringLiteral("回復データより後に変更"));

    // The newest, damaged copy is selected: only 新規として開く and 削除.
    EXPECT_TRUE(button(dialog, "cmdRestore")->isDefault());
    EXPECT_FALSE(button(dialog, "cmdRestore")->isEnabled());
    EXPECT_TRUE(button(dialog, "cmdOpenNew")->isEnabled());
    auto* state = namedChild<QLabel>(dialog, QStringLiteral("lblState"));
    EXPECT_TRUE(state->text().contains(QStringLiteral("壊れています")));

    button(dialog, "cmdDelete")->click();
    EXPECT_EQ(prompter.count(), 1);
    ASSERT_EQ(table->model()->rowCount(), 1);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(button(dialog, "cmdRestore")->isEnabled());
    EXPECT_TRUE(
        state->text().contains(QStringLiteral("ファイルは回復データより後に変更されています")));

    button(dialog, "cmdRestore")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(data.documentPath(), target);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("1"));
    EXPECT_TRUE(data.asksBeforeReplacing());
    EXPECT_TRUE(window.isWindowModified());
}

TEST_F(RecoveryWindow, SessionSaysOnceThatRecoveryIsOffAndADeclinedRestoreNeverEndsTheProgram) {
    bool ended = false;
    window.setProgramEnder([&] { ended = true; });
    TrainData source;
    const QByteArray body = trainFileText(source).toUtf8().left(40);
    plantCopy(QStringLiteral("short.recovery"), copyWithBody(file("s.dat"), body));
    {
        ScriptedRecoveryChooser chooser;
        chooser.script = [&](RecoveryOffer& offer) {
            prompter.script({false});
            EXPECT_FALSE(offer.restore(0));
        };
        RecoverySession session(window, data, prompter, &chooser);
        EXPECT_FALSE(session.offerCopies()); // FILE is opened after all
        EXPECT_EQ(chooser.windows, 1);
        EXPECT_FALSE(ended);
        EXPECT_FALSE(window.isWindowModified());
        EXPECT_TRUE(prompter.told.isEmpty());
    }

    // The folder has become a link: one notice, at start, however much is typed.
    QTemporaryDir elsewhere;
    const QString folder = RecoveryKeeper::folder();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(QFile::link(elsewhere.path(), folder));
    ScriptedRecoveryChooser chooser;
    RecoverySession session(window, data, prompter, &chooser);
    EXPECT_FALSE(session.offerCopies());
    EXPECT_EQ(chooser.windows, 0);
    data.type([&] { data.setText(txtPer(0), QStringLiteral("7")); });
    EXPECT_FALSE(session.keeper().writeNow());
    data.type([&] { data.setText(txtPer(0), QStringLiteral("8")); });
    EXPECT_FALSE(session.keeper().writeNow());
    QCoreApplication::processEvents();
    ASSERT_EQ(prompter.told.size(), 1);
    EXPECT_TRUE(prompter.told[0].contains(QStringLiteral("保存していない変更は失われます")));
    EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
    QFile::remove(folder);
}
