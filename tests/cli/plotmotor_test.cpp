#include "cli/clicommands.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"
#include "motorsound/motorsoundgraph.h"
#include "support/clirun.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

int run(const QStringList& args, QString* errText = nullptr) {
    return runCliForTest(args, errText);
}

// A document whose four tracks all differ, saved to a file.
MotorSoundTable writeDocument(const QString& path) {
    TrainData data;
    MotorSoundTable table = data.motorSoundTable();
    for (int r = 0; r < MotorSoundRows; ++r) {
        table[Track::P2][r] = {std::int16_t(50 + r / 8), std::int16_t(r % 100),
                               std::int16_t(r % 9 - 1)};
        table[Track::B2][r] = {std::int16_t(300 - r / 4), 20, 12}; // an index without a colour
    }
    data.setMotorSoundTable(table);
    writeWholeFile(path, encodeShiftJis(trainFileText(data)));
    return table;
}

QImage plotted(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(CliPlotMotor, WritesTheGraphForTheChosenTracksAndScale) {
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("train.dat"));
    const MotorSoundTable table = writeDocument(in);
    const QString out = dir.filePath(QStringLiteral("graph.png"));

    EXPECT_EQ(run({"plot", "motor", in, out}), CliClean);
    EXPECT_EQ(plotted(out), MotorSoundGraph::render(table, {0, 0, false}));

    EXPECT_EQ(run({"plot", "motor", "--hex", in, "--track", "P2", "--previous", "b2", out}),
              CliClean);
    EXPECT_EQ(plotted(out), MotorSoundGraph::render(table, {1, 3, true}));
    EXPECT_EQ(plotted(out).size(), QSize(800, 800));

    // Questions while opening are printed; the graph is still written.
    const QString odd = dir.filePath(QStringLiteral("odd.dat"));
    writeWholeFile(odd, "QRL2000000\r\njunk\r\n#\r\n");
    QFile::remove(out);
    QString err;
    EXPECT_EQ(run({"plot", "motor", odd, out}, &err), CliQuestionsAsked);
    EXPECT_TRUE(err.startsWith(QStringLiteral("orlenda-cli: ")));
    EXPECT_EQ(plotted(out), MotorSoundGraph::render(defaultMotorSoundTable(), {}));
}

TEST(CliPlotMotor, UsageErrorsAndUnusableFilesExitWithTwoAndWriteNothing) {
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("train.dat"));
    writeDocument(in);
    const QString out = dir.filePath(QStringLiteral("graph.png"));
    for (const QStringList& args : QList<QStringList>{{"plot", "motor", in},
                                                      {"plot", "motor", in, out, "extra"},
                                                      {"plot", "motor", in, out, "--track", "P3"},
                                                      {"plot", "motor", in, out, "--previous"},
                                                      {"plot", "motor", in, out, "--scale"}}) {
        QString err;
        EXPECT_EQ(run(args, &err), CliFailed) << args.join(' ').toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("plot motor IN OUT.png"))) << err.toStdString();
    }
    EXPECT_EQ(run({"plot", "motor", dir.filePath(QStringLiteral("missing.dat")), out}), CliFailed);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(run({"plot", "motor", in, dir.filePath(QStringLiteral("no/such/folder/g.png"))}),
              CliFailed);
}
