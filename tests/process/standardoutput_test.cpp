#include "process/processrun.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString Cli = QStringLiteral(ORLENDA_CLI_BINARY);
const QString Train = QStringLiteral(ORLENDA_TEST_DATA "/new-document.dat");

// Runs a shell line with $0 the tool and $1 the train file; what the line
// prints on standard output comes back, and the tool's standard error.
ProgramRun shell(const QString& line) {
    return runProgram(QStringLiteral("bash"), {QStringLiteral("-c"), line, Cli, Train});
}

} // namespace

TEST(CliStandardOutput, AFullDiskIsExitTwoWithOneLineForEveryResult) {
    const QStringList commands[] = {
        {"performance", Train},
        {"performance", Train, "--format", "csv"},
        {"performance", Train, "--format", "json"},
        {"--help"},
        {"--version"},
    };
    for (const QStringList& arguments : commands) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(Cli, arguments);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 2);
        EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
                  QStringLiteral("orlenda-cli: standard output: cannot write the result: "
                                 "ディスクの空き容量が不足しています。\n"));
    }
    // A closed standard output is not taken by a file the tool opens later.
    const ProgramRun closed = shell(QStringLiteral("\"$0\" performance \"$1\" >&-; echo $?"));
    EXPECT_EQ(closed.out, QStringLiteral("2\n"));
    EXPECT_EQ(closed.err, QStringLiteral("orlenda-cli: standard output: cannot write the result: "
                                         "デバイス I/O エラーです。\n"));
    // Written in full, the same result is exit 0.
    const ProgramRun run = runProgram(Cli, {"performance", Train, "--format", "csv"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.endsWith('\n'));
}

TEST(CliStandardOutput, AReaderThatHasGoneEndsItQuietly) {
    // The reader ends before the tool writes: SIGPIPE ends the tool (141 in
    // the shell), or where the signal is ignored the write fails, exit 2.
    const ProgramRun closed = shell(QStringLiteral(
        "(sleep 0.3; exec \"$0\" performance \"$1\" --format csv) | true; echo ${PIPESTATUS[0]}"));
    EXPECT_TRUE(closed.out == "141\n" || closed.out == "2\n") << closed.out.toStdString();
    EXPECT_EQ(closed.err, QString());

    const ProgramRun ignored = shell(QStringLiteral(
        "trap '' PIPE; (sleep 0.3; exec \"$0\" performance \"$1\" --format csv) | true; "
        "echo ${PIPESTATUS[0]}"));
    EXPECT_EQ(ignored.out, QStringLiteral("2\n"));
    EXPECT_EQ(ignored.err, QString());

    const ProgramRun head = shell(QStringLiteral("\"$0\" performance \"$1\" | head -c1"));
    EXPECT_EQ(head.status, 0);
    EXPECT_EQ(head.out.size(), 1);
    EXPECT_EQ(head.err, QString());
}
