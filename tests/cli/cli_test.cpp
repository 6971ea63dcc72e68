#include "document/openfile.h"
#include "support/clitests.h"

#include <QDir>
#include <QFile>

using namespace Orlenda;

namespace {

const QByteArray OldFile =
    "QRL1200000\r\n#DELAY\r\n0.4\r\n0.4\r\n0.8\r\n0.4\r\n#BRAKE\r\n2\r\n0\r\n5\r\n#\r\n";

using CliConvert = CliTest;
using CliCheck = CliTest;
using CliNew = CliTest;
using CliRefusal = CliTest;

} // namespace

TEST_F(CliConvert, WritesWhatOpeningAndSavingWrite) {
    writeWholeFile(in, OldFile);
    const QString target = path("new.dat");
    EXPECT_EQ(runCliForTest({"convert", in, target}), CliClean);
    TrainData data;
    ScriptedPrompter prompter;
    openFile(data, in, prompter);
    EXPECT_EQ(readWholeFile(target), encodeShiftJis(trainFileText(data)));

    const QString odd =
        writtenFile(dir, "odd.dat", "QRL2000000\r\njunk\r\n#PERFORMANCE\r\n3\r\n#\r\n");
    QString err;
    EXPECT_EQ(runCliForTest({"convert", odd, target}, &err), CliQuestionsAsked);
    EXPECT_EQ(err,
              QStringLiteral("orlenda-cli: Orlenda: junk? / 構文が不正です。続行しますか？\n"));
    EXPECT_TRUE(readWholeFile(target).contains("#PERFORMANCE\r\n3\r\n"));
}

TEST_F(CliConvert, MissingInputOrUnwritableOutputExitsWithTwo) {
    const QString target = path("out.dat");
    QString err;
    EXPECT_EQ(runCliForTest({"convert", path("missing.dat"), target}, &err), CliFailed);
    EXPECT_TRUE(err.startsWith(QStringLiteral("orlenda-cli: Orlenda - OpenFile: ")));
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
    EXPECT_FALSE(QFile::exists(target));
    writeWholeFile(in, OldFile);
    EXPECT_EQ(runCliForTest({"convert", in, path("no/such/out.dat")}), CliFailed);
}

TEST_F(CliCheck, ExitStatusTellsWhetherQuestionsAroseAndNothingIsWritten) {
    const QString clean = writtenFile(dir, "clean.dat", OldFile);
    const QString cut = writtenFile(dir, "cut.dat", "QRL2000000\r\n#DELAY\r\n1");
    EXPECT_EQ(runCliForTest({"check", clean}), CliClean);
    QString err;
    EXPECT_EQ(runCliForTest({"check", cut}, &err), CliQuestionsAsked);
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(CliNew, WritesTheNewDocumentOrExitsWithTwo) {
    const QString target = path("out.dat");
    EXPECT_EQ(runCliForTest({"new", target}), CliClean);
    EXPECT_EQ(readWholeFile(target), readWholeFile(dataFile("new-document.dat")));
    QString err;
    EXPECT_EQ(runCliForTest({"new", path("no/such/out.dat")}, &err), CliFailed);
    EXPECT_TRUE(err.startsWith(QStringLiteral("orlenda-cli: Orlenda - Save: ")));
    EXPECT_TRUE(err.contains(QStringLiteral(" / 続行しますか？")));
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
}

TEST_F(CliNew, UsageErrorsExitWithTwo) {
    writeWholeFile(in, OldFile);
    for (const QStringList& args : QList<QStringList>{
             {}, {"new"}, {"frobnicate", "x"}, {"convert", in}, {"check", in, "extra"}})
        EXPECT_EQ(runCliForTest(args), CliFailed) << args.join(' ').toStdString();
}

TEST_F(CliRefusal, NotATrainFileExitsWithTwoAndWritesNothing) {
    const QString target = path("out.dat");
    for (const char* name :
         {"binary.bin", "not-a-train-file.ini", "current-first-line-empty.dat"}) {
        const QString file = dataFile(name);
        QString err;
        EXPECT_EQ(runCliForTest({"convert", file, target}, &err), CliFailed) << name;
        EXPECT_EQ(err, "orlenda-cli: Orlenda - OpenFile: 車両ファイルではありません。 " + file +
                           " / 続行しますか？\n");
        EXPECT_EQ(runCliForTest({"check", file}), CliFailed) << name;
    }
    // A sparse file: refused by its size before anything is read.
    QFile huge(path("huge.dat"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(100 * 1024 * 1024));
    huge.close();
    EXPECT_EQ(runCliForTest({"convert", huge.fileName(), target}), CliFailed);
    EXPECT_EQ(runCliForTest({"check", huge.fileName()}), CliFailed);
    EXPECT_FALSE(QFile::exists(target));
}
