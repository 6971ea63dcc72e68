#include "document/documenthistory.h"
#include "support/recoverytests.h"

#include <QTest>

using namespace Orlenda;

namespace {

class Recovery : public RecoveryTest {
protected:
    // A copy left by an editor that a signal ended.
    static QString leftCopy(const QString& path, const QString& deceleration) {
        TrainData data;
        data.setDocumentPath(path);
        data.setText(txtPer(0), deceleration);
        RecoveryKeeper keeper(data);
        keeper.writeNow();
        keeper.keepCopy();
        QTest::qWait(5); // copies differ in time
        return keeper.copyPath();
    }
};

} // namespace

TEST_F(Recovery, CopyKeepsEveryCharacterAndThePath) {
    TrainData data;
    data.setText(txtPer(0), Unsavable);
    data.setListIndex(cbxBrkSend, 2);
    data.setCheck(3, true);
    MotorSoundTable table = data.motorSoundTable();
    table[Track::B2][799] = MotorSoundEntry{-5, 99, 7};
    data.setMotorSoundTable(table);
    data.setDocumentPath(QStringLiteral("/tmp/a\n%b.dat"));
    EXPECT_EQ(failureOf([&] { encodeShiftJis(trainFileText(data)); }), Failure::CannotEncode);

    const QDateTime time = QDateTime::currentDateTimeUtc();
    const std::optional<RecoveryCopy> copy = parseRecoveryCopy(recoveryCopyBytes(data, time));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->time.toMSecsSinceEpoch(), time.toMSecsSinceEpoch());
    TrainData restored;
    ScriptedPrompter prompter;
    restoreRecoveryCopy(restored, *copy, prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_TRUE(restored.holds(data.state()));
    EXPECT_EQ(restored.documentPath(), data.documentPath());

    for (const char* broken : {"", "QRL2000000\r\n", "Orlenda recovery copy 1\npath: x\n"})
        EXPECT_FALSE(parseRecoveryCopy(broken)) << broken;
}

TEST_F(Recovery, CopyExistsOnlyWhileTheDocumentIsModified) {
    TrainData data;
    DocumentHistory history(data);
    auto keeper = std::make_unique<RecoveryKeeper>(data);
    keeper->setDelays(20, 10000);
    QTest::qWait(60);
    EXPECT_TRUE(copies().isEmpty()); // nothing changed yet

    data.setText(txtPer(0), Unsavable); // typing, not yet committed
    ASSERT_TRUE(QTest::qWaitFor([] { return !copies().isEmpty(); }));
    EXPECT_EQ(copyAt(keeper->copyPath()).text, trainFileText(data));
    data.setModified(false); // saved
    EXPECT_TRUE(QTest::qWaitFor([] { return copies().isEmpty(); }));

    // Long typing is written without a pause, at the longest wait.
    keeper->setDelays(1000, 100);
    for (int i = 0; i < 40 && copies().isEmpty(); ++i) {
        data.setText(txtPer(0), QString::number(i));
        QTest::qWait(10);
    }
    EXPECT_EQ(copies().size(), 1);

    // A normal end deletes the copy; a signal's end keeps it.
    keeper.reset();
    EXPECT_TRUE(copies().isEmpty());
    keeper = std::make_unique<RecoveryKeeper>(data);
    keeper->writeNow();
    keeper->keepCopy();
    keeper.reset();
    EXPECT_EQ(copies().size(), 1);
}

TEST_F(Recovery, OffersCopiesNewestFirstExceptRunningEditorsAndObeysBothAnswers) {
    const QString older = leftCopy(QStringLiteral("/x/a.dat"), QStringLiteral("1"));
    const QString newer = leftCopy(QString(), QStringLiteral("2"));
    TrainData running;
    RecoveryKeeper runningKeeper(running);
    running.setText(txtPer(0), QStringLiteral("3"));
    runningKeeper.writeNow();

    TrainData data;
    DocumentHistory history(data);
    RecoveryKeeper keeper(data);
    ScriptedPrompter prompter;
    prompter.script({false, true});
    EXPECT_TRUE(keeper.offerCopies(history, prompter));
    const QStringList asked = questionTexts(prompter);
    ASSERT_EQ(asked.size(), 2);
    EXPECT_TRUE(asked[0].contains(QStringLiteral("新規ドキュメント")));
    EXPECT_TRUE(asked[1].contains(QStringLiteral("/x/a.dat")));
    EXPECT_FALSE(QFile::exists(newer));
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("1"));
    EXPECT_EQ(data.documentPath(), QStringLiteral("/x/a.dat"));
    EXPECT_TRUE(data.isModified());
    EXPECT_EQ(keeper.copyPath(), older);
    EXPECT_EQ(copies().size(), 2); // the restored one and the running editor's
}
