#include "cli/clicommands.h"
#include "document/openfile.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"
#include "support/scriptedprompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

int run(const QStringList& args, QString* errText = nullptr) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = runCli(args, o, e);
    e.flush();
    if (errText)
        *errText = err;
    return status;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kOldFile =
    "QRL1200000\r\n#DELAY\r\n0.4\r\n0.4\r\n0.8\r\n0.4\r\n#BRAKE\r\n2\r\n0\r\n5\r\n#\r\n";

} // namespace

TEST(CliConvert, WritesWhatOpeningAndSavingWrite) {
    QTemporaryDir dir;
    const QString in = writeFile(dir, QStringLiteral("old.dat"), kOldFile);
    const QString out = dir.filePath(QStringLiteral("new.dat"));
    EXPECT_EQ(run({"convert", in, out}), CliClean);

    TrainData data;
    ScriptedPrompter prompter;
    OpenFile(data, in, prompter);
    data.setDocumentPath(dir.filePath(QStringLiteral("expected.dat")));
    ASSERT_TRUE(Save(data, prompter));
    EXPECT_EQ(readFile(out), readFile(data.DocumentPath()));
    EXPECT_TRUE(readFile(out).contains("\r\n1.6\r\n0.4\r\n#MOVE"));
}

TEST(CliConvert, QuestionsArePrintedAndTheOutputStillWritten) {
    QTemporaryDir dir;
    const QString in = writeFile(dir, QStringLiteral("odd.dat"),
                                 "QRL2000000\r\njunk\r\n#PERFORMANCE\r\n3\r\n#\r\n");
    const QString out = dir.filePath(QStringLiteral("out.dat"));
    QString err;
    EXPECT_EQ(run({"convert", in, out}, &err), CliQuestionsAsked);
    EXPECT_EQ(err,
              QStringLiteral("orlenda-cli: Orlenda: junk? / 構文が不正です。続行しますか？\n"));
    EXPECT_TRUE(readFile(out).contains("#PERFORMANCE\r\n3\r\n"));
}

TEST(CliConvert, MissingInputOrUnwritableOutputExitsWithTwo) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.dat"));
    QString err;
    EXPECT_EQ(run({"convert", dir.filePath(QStringLiteral("missing.dat")), out}, &err), CliFailed);
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(err.startsWith(QStringLiteral("orlenda-cli: Orlenda - OpenFile: ")));
    EXPECT_FALSE(QFile::exists(out));

    const QString in = writeFile(dir, QStringLiteral("in.dat"), kOldFile);
    EXPECT_EQ(run({"convert", in, dir.filePath(QStringLiteral("no/such/out.dat"))}), CliFailed);
    EXPECT_EQ(run({"convert", in}), CliFailed);
}

TEST(CliCheck, ExitStatusTellsWhetherQuestionsAroseAndNothingIsWritten) {
    QTemporaryDir dir;
    const QString clean = writeFile(dir, QStringLiteral("clean.dat"), kOldFile);
    const QString odd = writeFile(dir, QStringLiteral("odd.dat"), "QRL2000000\r\n#DELAY\r\n1");
    EXPECT_EQ(run({"check", clean}), CliClean);
    QString err;
    EXPECT_EQ(run({"check", odd}, &err), CliQuestionsAsked);
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(run({"check", dir.filePath(QStringLiteral("missing.dat"))}, &err), CliQuestionsAsked);
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    EXPECT_EQ(run({"check"}), CliFailed);
    EXPECT_EQ(run({"check", clean, "extra"}), CliFailed);
}
