#include "cli/clicommon.h"
#include "document/openfile.h"
#include "motorsound/motorsoundcsv.h"
#include "shared/pathname.h"
#include "support/clitests.h"
#include "support/workingfolder.h"

#include <QDir>
#include <QFile>

using namespace Orlenda;

namespace {

const QByteArray OldFile =
    "QRL1200000\r\n#DELAY\r\n0.4\r\n0.4\r\n0.8\r\n0.4\r\n#BRAKE\r\n2\r\n0\r\n5\r\n#\r\n";

} // namespace

TEST_F(CliTest, ConvertWritesWhatOpeningAndSavingWrite) {
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

TEST_F(CliTest, CheckExitStatusTellsWhetherQuestionsAroseAndNothingIsWritten) {
    const QString clean = writtenFile(dir, "clean.dat", OldFile);
    const QString cut = writtenFile(dir, "cut.dat", "QRL2000000\r\n#DELAY\r\n1");
    EXPECT_EQ(runCliForTest({"check", clean}), CliClean);
    QString err;
    EXPECT_EQ(runCliForTest({"check", cut}, &err), CliQuestionsAsked);
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(CliTest, NewWritesTheNewDocument) {
    EXPECT_EQ(runCliForTest({"new", path("new.dat")}), CliClean);
    EXPECT_EQ(readWholeFile(path("new.dat")), readWholeFile(dataFile("new-document.dat")));
}

// Every command: a bad request prints the usage, an input that cannot be read
// or an output that cannot be written is named; each exits with 2 and writes nothing.
TEST_F(CliTest, RefusalBadRequestsUnreadableInputsAndUnwritableOutputsExitWithTwo) {
    writeWholeFile(in, OldFile);
    const QString csv = writtenFile(dir, "p1.csv", motorSoundCsv(defaultMotorSoundTable()[Track::P1]));
    const QString gone = path("missing.dat"), nowhere = path("no/such/out");
    const QList<QStringList> usageErrors = {
        {}, {"new"}, {"frobnicate", "x"}, {"convert", in}, {"check", in, "extra"},
        {"motor", "export", in, "P3", csv}, {"motor", "export", in, "P1"},
        {"motor", "import", in, "B2", csv}, {"motor", "convert", in, "B2", csv, out},
        {"performance"}, {"performance", in, in}, {"performance", in, "--grade", "41"},
        {"performance", in, "--grade", "-40.5"}, {"performance", in, "--grade", "steep"},
        {"performance", in, "--format", "xml"}, {"performance", in, "--grade"},
        {"plot", "run", in, out, "--notch", "0"}, {"plot", "run", in, out, "--brake-from", "161"},
        {"plot", "run", in, out, "--grade", "50"}, {"plot", "acceleration", in},
        {"plot", "acceleration", in, out, "--notch", "9"},
        {"plot", "acceleration", in, out, "--notch"},
        {"plot", "acceleration", in, out, "--unit", "mph"},
        {"plot", "acceleration", in, out, "--smooth"}, {"plot", "acceleration", in, out, "extra"},
        {"plot", "velocity", in, out}, {"plot", "motor", in}, {"plot", "motor", in, out, "extra"},
        {"plot", "motor", in, out, "--track", "P3"}, {"plot", "motor", in, out, "--previous"},
        {"plot", "motor", in, out, "--scale"}};
    QString err;
    for (const QStringList& args : usageErrors) {
        EXPECT_EQ(runCliForTest(args, &err), CliFailed) << args.join(' ').toStdString();
        EXPECT_TRUE(err.startsWith("usage: orlenda-cli new OUT\n")) << err.toStdString();
    }
    const QList<QStringList> unusable = {
        {"convert", gone, out}, {"check", gone}, {"performance", gone},
        {"performance", in, "--reference", gone}, {"plot", "acceleration", gone, out},
        {"plot", "acceleration", in, out, "--reference", gone}, {"plot", "motor", gone, out},
        {"plot", "run", gone, out}, {"motor", "export", gone, "P1", out},
        {"motor", "import", in, "P1", gone, out}, {"new", nowhere}, {"convert", in, nowhere},
        {"plot", "acceleration", in, nowhere}, {"plot", "motor", in, nowhere},
        {"plot", "run", in, nowhere}, {"motor", "export", in, "P1", nowhere},
        {"motor", "import", in, "P1", csv, nowhere}};
    for (const QStringList& args : unusable) {
        EXPECT_EQ(runCliForTest(args, &err), CliFailed) << args.join(' ').toStdString();
        EXPECT_TRUE(err.contains(args.contains(gone) ? gone : nowhere)) << err.toStdString();
        EXPECT_FALSE(err.contains(QStringLiteral("usage:")));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"in.dat", "p1.csv"}));
}

TEST_F(CliTest, RefusalNotATrainFileExitsWithTwoAndWritesNothing) {
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
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(CliTest, PathsRelativeToTheWorkingFolderAreNamedAbsolute) {
    writeWholeFile(in, OldFile);
    WorkingFolder folder(dir.path());
    const QString here = QDir::currentPath() + QLatin1Char('/');
    EXPECT_EQ(runCliForTest({"convert", "in.dat", "new.dat"}), CliClean);
    EXPECT_TRUE(readWholeFile(path("new.dat")).startsWith("QRL"));

    QString err;
    EXPECT_EQ(runCliForTest({"check", "gone.dat"}, &err), CliFailed);
    EXPECT_TRUE(err.contains(here + QStringLiteral("gone.dat"))) << err.toStdString();
    EXPECT_EQ(runCliForTest({"plot", "motor", "in.dat", "no/such/out.png"}, &err), CliFailed);
    EXPECT_EQ(err, QStringLiteral("orlenda-cli: ") + here +
                       QStringLiteral("no/such/out.png: cannot write the image: ") +
                       failureDescription(Failure::PathNotFound) + QLatin1Char('\n'));
}

TEST(CliArguments, ANameThatIsNotUtf8IsRefusedWithOneLine) {
    QString text;
    QTextStream err(&text);
    EXPECT_FALSE(cliArguments({"convert", "in.dat", "\x83\x41.dat"}, err));
    err.flush();
    EXPECT_EQ(text, QStringLiteral("orlenda-cli: \\x83A.dat: ") + unreadableNameDescription() +
                        QLatin1Char('\n'));

    text.clear();
    EXPECT_EQ(cliArguments({"check", "列車.dat"}, err),
              (QStringList{QStringLiteral("check"), QStringLiteral("列車.dat")}));
    err.flush();
    EXPECT_TRUE(text.isEmpty());
}
