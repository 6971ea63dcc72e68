#include "cli/clicommands.h"
#include "document/openfile.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"
#include "support/clirun.h"
#include "support/scriptedprompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

int run(const QStringList& args, QString* errText = nullptr) {
    return runCliForTest(args, errText);
}

const QByteArray kOldFile =
    "QRL1200000\r\n#DELAY\r\n0.4\r\n0.4\r\n0.8\r\n0.4\r\n#BRAKE\r\n2\r\n0\r\n5\r\n#\r\n";

} // namespace

TEST(CliConvert, WritesWhatOpeningAndSavingWrite) {
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("old.dat"));
    writeWholeFile(in, kOldFile);
    const QString out = dir.filePath(QStringLiteral("new.dat"));
    EXPECT_EQ(run({"convert", in, out}), CliClean);

    TrainData data;
    ScriptedPrompter prompter;
    openFile(data, in, prompter);
    EXPECT_EQ(readWholeFile(out), encodeShiftJis(trainFileText(data)));
    EXPECT_TRUE(readWholeFile(out).contains("\r\n1.6\r\n0.4\r\n#MOVE"));

    const QString odd = dir.filePath(QStringLiteral("odd.dat"));
    writeWholeFile(odd, "QRL2000000\r\njunk\r\n#PERFORMANCE\r\n3\r\n#\r\n");
    QString err;
    EXPECT_EQ(run({"convert", odd, out}, &err), CliQuestionsAsked);
    EXPECT_EQ(err,
              QStringLiteral("orlenda-cli: Orlenda: junk? / 構文が不正です。続行しますか？\n"));
    EXPECT_TRUE(readWholeFile(out).contains("#PERFORMANCE\r\n3\r\n"));
}

TEST(CliConvert, MissingInputOrUnwritableOutputExitsWithTwo) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.dat"));
    QString err;
    EXPECT_EQ(run({"convert", dir.filePath(QStringLiteral("missing.dat")), out}, &err), CliFailed);
    EXPECT_TRUE(err.startsWith(QStringLiteral("orlenda-cli: Orlenda - OpenFile: ")));
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
    EXPECT_FALSE(QFile::exists(out));
    const QString in = dir.filePath(QStringLiteral("in.dat"));
    writeWholeFile(in, kOldFile);
    EXPECT_EQ(run({"convert", in, dir.filePath(QStringLiteral("no/such/out.dat"))}), CliFailed);
    EXPECT_EQ(run({"convert", in}), CliFailed);
    EXPECT_EQ(run({"check", in, "extra"}), CliFailed);
}

TEST(CliCheck, ExitStatusTellsWhetherQuestionsAroseAndNothingIsWritten) {
    QTemporaryDir dir;
    const QString clean = dir.filePath(QStringLiteral("clean.dat"));
    const QString cut = dir.filePath(QStringLiteral("cut.dat"));
    writeWholeFile(clean, kOldFile);
    writeWholeFile(cut, "QRL2000000\r\n#DELAY\r\n1");
    EXPECT_EQ(run({"check", clean}), CliClean);
    QString err;
    EXPECT_EQ(run({"check", cut}, &err), CliQuestionsAsked);
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(run({"check", dir.filePath(QStringLiteral("missing.dat"))}, &err), CliFailed);
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(CliNew, WritesTheNewDocumentAndExitsClean) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.dat"));
    EXPECT_EQ(run({"new", out}), CliClean);
    QFile written(out), expected(QStringLiteral(ORLENDA_TEST_DATA "/new-document.dat"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), expected.readAll());
}

TEST(CliNew, UnwritableTargetAndUsageErrorsExitWithTwo) {
    QTemporaryDir dir;
    QString err;
    EXPECT_EQ(run({"new", dir.filePath(QStringLiteral("no/such/out.dat"))}, &err), CliFailed);
    EXPECT_TRUE(err.startsWith(QStringLiteral("orlenda-cli: Orlenda - Save: ")));
    EXPECT_TRUE(err.contains(QStringLiteral(" / 続行しますか？")));
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(run({}), CliFailed);
    EXPECT_EQ(run({"new"}), CliFailed);
    EXPECT_EQ(run({"frobnicate", "x"}), CliFailed);
}

TEST(CliRefusal, NotATrainFileExitsWithTwoAndWritesNothing) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.dat"));
    for (const char* name :
         {"binary.bin", "not-a-train-file.ini", "current-first-line-empty.dat"}) {
        const QString in = QStringLiteral(ORLENDA_TEST_DATA "/") + QLatin1String(name);
        QString err;
        EXPECT_EQ(run({"convert", in, out}, &err), CliFailed) << name;
        EXPECT_EQ(err,
                  QStringLiteral("orlenda-cli: Orlenda - OpenFile: 車両ファイルではありません。 ") +
                      in + QStringLiteral(" / 続行しますか？\n"));
        EXPECT_EQ(run({"check", in}), CliFailed) << name;
    }
    const QString huge = dir.filePath(QStringLiteral("huge.dat"));
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(100 * 1024 * 1024));
    file.close();
    EXPECT_EQ(run({"convert", huge, out}), CliFailed);
    EXPECT_EQ(run({"check", huge}), CliFailed);
    EXPECT_FALSE(QFile::exists(out));
}
