#include "document/documenthistory.h"
#include "document/recoverycopy.h"
#include "document/recoverykeeper.h"
#include "support/documenttests.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using namespace Orlenda;

namespace {

class Recovery : public ::testing::Test {
protected:
    void SetUp() override { qputenv("XDG_STATE_HOME", state.path().toUtf8()); }

    static QStringList copies() {
        const QDir dir(RecoveryKeeper::folder());
        QStringList paths;
        for (const QString& name : dir.entryList({QStringLiteral("*.recovery")}, QDir::Files))
            paths << dir.filePath(name);
        return paths;
    }

    static RecoveryCopy copyAt(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return parseRecoveryCopy(file.readAll()).value_or(RecoveryCopy{});
    }

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

    QTemporaryDir state;
};

// Not a Shift-JIS character: Save refuses it.
const QString Unsavable = QStringLiteral("𠮷5");

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

// The editor as a process: an edit survives SIGTERM, a second editor leaves a
// running one's copy alone, and the next start restores it instead of FILE.
TEST_F(Recovery, EditorProcessKeepsAnEditThroughSigtermAndRestoresIt) {
    QTemporaryDir config;
    const QString fileA = savedDocument(state, "a.dat", TrainData());
    const QString fileB = savedDocument(state, "b.dat", TrainData());
    struct Editor {
        Editor(const QTemporaryDir& state, const QTemporaryDir& config, const QString& file,
               const QString& edit, bool answer) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const auto& [name, value] :
                 {std::pair{"QT_QPA_PLATFORM", QStringLiteral("offscreen")},
                  {"XDG_STATE_HOME", state.path()},
                  {"XDG_CONFIG_HOME", config.path()},
                  {"ORLENDA_TEST_EDIT", edit}})
                env.insert(QString::fromLatin1(name), value);
            if (answer)
                env.insert(QStringLiteral("ORLENDA_TEST_ANSWER_DEFAULT"), QStringLiteral("1"));
            process.setProcessEnvironment(env);
            process.start(QStringLiteral(ORLENDA_EDITOR_BINARY), {file});
            EXPECT_TRUE(
                QTest::qWaitFor([&] { return read().contains(QStringLiteral("ready")); }, 20000));
        }
        QString read() { return output += QString::fromUtf8(process.readAllStandardOutput()); }
        void terminate() {
            process.terminate();
            EXPECT_TRUE(process.waitForFinished(10000));
            EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
            read();
        }
        QProcess process;
        QString output;
    };

    Editor first(state, config, fileA, QStringLiteral("txtPer(0)=") + Unsavable, false);
    ASSERT_TRUE(QTest::qWaitFor([] { return !copies().isEmpty(); }, 10000));
    Editor second(state, config, fileB, QString(), true);
    second.terminate(); // unchanged: no copy of its own, no question about the first's
    EXPECT_FALSE(second.output.contains(QStringLiteral("question")));
    EXPECT_EQ(copies().size(), 1);
    first.terminate();
    ASSERT_EQ(copies().size(), 1);
    EXPECT_EQ(copyAt(copies().first()).documentPath, fileA);

    Editor third(state, config, fileB, QStringLiteral("txtPer(1)=0.5"), true);
    EXPECT_TRUE(third.output.contains(fileA));
    third.terminate();
    ASSERT_EQ(copies().size(), 1);
    const RecoveryCopy copy = copyAt(copies().first());
    EXPECT_EQ(copy.documentPath, fileA);
    TrainData restored;
    ScriptedPrompter quiet;
    restoreRecoveryCopy(restored, copy, quiet);
    EXPECT_EQ(restored.text(txtPer(0)), Unsavable);
    EXPECT_EQ(restored.text(txtPer(1)), QStringLiteral("0.5"));
}
