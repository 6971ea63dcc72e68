#include "process/processrun.h"
#include "support/recoverytests.h"

#include <QProcess>
#include <QTest>

using namespace Orlenda;

using RecoveryProcess = RecoveryTest;

namespace {

// The editor started on file, with an edit made once its window shows;
// answer: every question is answered with its default button.
struct Editor {
    Editor(const QTemporaryDir& state, const QTemporaryDir& config, const QString& file,
           const QString& edit, bool answer) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : {std::pair{"QT_QPA_PLATFORM", QStringLiteral("offscreen")},
                                          {"XDG_STATE_HOME", state.path()},
                                          {"XDG_CONFIG_HOME", config.path()},
                                          {"ORLENDA_TEST_EDIT", edit}})
            env.insert(QString::fromLatin1(name), value);
        if (answer)
            env.insert(QStringLiteral("ORLENDA_TEST_ANSWER_DEFAULT"), QStringLiteral("1"));
        process.setProcessEnvironment(env);
        process.start(hookedEditor(), {file});
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return read().contains(QStringLiteral("ready")); }, 20000));
    }
    QString read() {
        errors += QString::fromUtf8(process.readAllStandardError());
        return output += QString::fromUtf8(process.readAllStandardOutput());
    }
    void terminate() {
        process.terminate();
        EXPECT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        read();
    }
    QProcess process;
    QString output;
    QString errors;
};

} // namespace

// The editor as a process: an edit survives SIGTERM, a second editor leaves a
// running one's copy alone, and the next start restores it instead of FILE.
TEST_F(RecoveryProcess, EditorProcessKeepsAnEditThroughSigtermAndRestoresIt) {
    ORLENDA_SKIP_WITHOUT_HOOKED_EDITOR();
    QTemporaryDir config;
    const QString fileA = savedDocument(state, "a.dat", TrainData());
    const QString fileB = savedDocument(state, "b.dat", TrainData());
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

// Without a usable state folder the editor says so once, goes on, and a
// signal that ends it says on standard error that the edit is lost.
TEST_F(RecoveryProcess, EditorWithoutItsStateFolderSaysSoAndReportsTheLostEditOnSigterm) {
    ORLENDA_SKIP_WITHOUT_HOOKED_EDITOR();
    QTemporaryDir config;
    QTemporaryDir elsewhere;
    const QString file = savedDocument(state, "a.dat", TrainData());
    ASSERT_TRUE(QFile::link(elsewhere.path(), RecoveryKeeper::folder()));
    Editor editor(state, config, file, QStringLiteral("txtPer(0)=7"), true);
    EXPECT_EQ(editor.output.count(QStringLiteral("question: 回復データを書き込めません")), 1);
    QTest::qWait(2500); // past the copy's quiet time: a failed write is not told twice
    editor.terminate();
    EXPECT_EQ(editor.output.count(QStringLiteral("question:")), 1);
    EXPECT_EQ(editor.errors.count(QStringLiteral("保存していない変更は失われました")), 1)
        << editor.errors.toStdString();
    EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
}
