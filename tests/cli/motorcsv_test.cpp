#include "document/openfile.h"
#include "motorsound/motorsoundcsv.h"
#include "support/clitests.h"

#include <QFile>

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
