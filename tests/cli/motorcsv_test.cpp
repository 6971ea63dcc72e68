#include "document/openfile.h"
#include "motorsound/motorsoundcsv.h"
#include "support/clitests.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

using namespace Orlenda;

namespace {

class CliMotorCsv : public CliTest {
protected:
    void SetUp() override {
        for (int r = 0; r < MotorSoundRows; ++r)
            table[Track::B1][r] = {std::int16_t(20 + r / 3), std::int16_t(r % 128),
                                   std::int16_t(r % 9 - 1)};
        source.setMotorSoundTable(table);
        savedDocument(dir, "in.dat", source);
        savedDocument(dir, "other.dat", TrainData());
    }

    MotorSoundTable table = defaultMotorSoundTable();
    TrainData source;
    QString csv = path("b1.csv");
};

} // namespace

TEST_F(CliMotorCsv, ExportImportAndExportAgainGiveTheSameBytesAndRows) {
    ASSERT_EQ(runCliForTest({"motor", "export", in, "b1", csv}), CliClean);
    const QByteArray exported = readWholeFile(csv);
    EXPECT_EQ(exported, motorSoundCsv(table[Track::B1]));

    const QString imported = path("imported.dat");
    ASSERT_EQ(runCliForTest({"motor", "import", path("other.dat"), "B1", csv, imported}),
              CliClean);
    TrainData data;
    ScriptedPrompter prompter;
    openFile(data, imported, prompter);
    EXPECT_EQ(data.motorSoundTable()[Track::B1], table[Track::B1]);
    EXPECT_EQ(data.motorSoundTable()[Track::P1], defaultMotorSoundTable()[Track::P1]);

    const QString again = path("again.csv");
    ASSERT_EQ(runCliForTest({"motor", "export", imported, "B1", again}), CliClean);
    EXPECT_EQ(readWholeFile(again), exported);
}

TEST_F(CliMotorCsv, ABadLineExitsWithTwoNamingItAndWritesNothing) {
    QByteArray bad = motorSoundCsv(table[Track::P1]);
    bad.replace("\n2.0,", "\n2.2,");
    writeWholeFile(csv, bad);
    const QString out = path("out.dat");
    QString err;
    EXPECT_EQ(runCliForTest({"motor", "import", in, "p1", csv, out}, &err), CliFailed);
    EXPECT_EQ(err, QStringLiteral("orlenda-cli: ") + csv +
                       QStringLiteral(":12: 速度は 2.0 でなければなりません。\n"));
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(CliMotorCsv, AFolderOrAPipeIsRefusedWithOpensWordsAndAQuotedExportImports) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.csv")));
    const QString fifo = path("fifo.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString out = path("out.dat");
    for (const auto& [csvPath, kind] : {std::pair{path("folder.csv"), Failure::IsFolder},
                                        std::pair{fifo, Failure::NotRegularFile}}) {
        QString err;
        EXPECT_EQ(runCliForTest({"motor", "import", in, "p1", csvPath, out}, &err), CliFailed);
        EXPECT_EQ(err, QStringLiteral("orlenda-cli: ") + csvPath + QStringLiteral(": ") +
                           failureDescription(kind) + QLatin1Char('\n'));
        EXPECT_FALSE(QFile::exists(out));
    }

    // As a spreadsheet saves it: every field quoted, CR LF.
    QByteArray quoted;
    for (const QByteArray& line : motorSoundCsv(table[Track::B1]).split('\n')) {
        if (!line.isEmpty())
            quoted += '"' + line.split(',').join("\",\"") + "\"\r\n";
    }
    writeWholeFile(csv, quoted);
    ASSERT_EQ(runCliForTest({"motor", "import", path("other.dat"), "P2", csv, out}), CliClean);
    TrainData data;
    ScriptedPrompter prompter;
    openFile(data, out, prompter);
    EXPECT_EQ(data.motorSoundTable()[Track::P2], table[Track::B1]);
}
