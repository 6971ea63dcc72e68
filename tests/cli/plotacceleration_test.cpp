#include "acceleration/accelerationplot.h"
#include "cli/clicommands.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"
#include "support/clirun.h"
#include "support/scriptedprompter.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

int run(const QStringList& args, QString* errText = nullptr) {
    return runCliForTest(args, errText);
}

QImage plotOf(const TrainData& data, const PlotChoices& choices) {
    ScriptedPrompter quiet;
    AccelerationPlot plot;
    plot.redraw(data.accelerationTable(), trainConsist(data), choices, quiet);
    return plot.image();
}

QImage pngAt(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

class CliPlotAcceleration : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        in = dir.filePath(QStringLiteral("in.dat"));
        out = dir.filePath(QStringLiteral("out.png"));
    }
    void write(const TrainData& data) { writeWholeFile(in, encodeShiftJis(trainFileText(data))); }

    QTemporaryDir dir;
    QString in;
    QString out;
};

} // namespace

TEST_F(CliPlotAcceleration, WritesThePlotForTheChoicesWithTheWindowsDefaults) {
    TrainData data;
    data.accelerationTable()[2] = {1.2f, 0.9f, 30, 50, 2.5f};
    data.setText(txtCar(0), QStringLiteral("40.5"));
    write(data);

    EXPECT_EQ(run({"plot", "acceleration", in, out}), CliClean);
    const QImage initial = pngAt(out);
    EXPECT_EQ(initial.size(), QSize(320, 400));
    EXPECT_EQ(initial, plotOf(data, {}));

    EXPECT_EQ(run({"plot", "acceleration", "--notch", "3", in, out, "--unit", "kgft",
                   "--show-resistance"}),
              CliClean);
    const QImage chosen = pngAt(out);
    EXPECT_EQ(chosen, plotOf(data, {2, AccelerationUnit::KgfPerTonne, false}));
    EXPECT_NE(chosen, initial);
    EXPECT_EQ(run({"plot", "acceleration", in, out, "--unit", "kmhs", "--notch", "1"}), CliClean);
    EXPECT_EQ(pngAt(out), initial);
}

TEST_F(CliPlotAcceleration, QuestionsArePrintedOncePerPlotAndTheImageIsStillWritten) {
    TrainData data;
    data.setText(txtCar(1), QStringLiteral("0"));
    data.setText(txtCar(3), QStringLiteral("0"));
    write(data);
    QString err;
    EXPECT_EQ(run({"plot", "acceleration", in, out}, &err), CliQuestionsAsked);
    EXPECT_EQ(err, QStringLiteral(
                       "orlenda-cli: Orlenda - DrawDya: 0 で除算しました。 / 続行しますか？\n"));
    EXPECT_EQ(pngAt(out), plotOf(data, {}));
}

TEST_F(CliPlotAcceleration, BadRequestsAndUnreadableFilesExitWithTwo) {
    write(TrainData());
    QString err;
    for (const QStringList& args : {QStringList{"plot", "acceleration", in},
                                    {"plot", "acceleration", in, out, "--notch", "9"},
                                    {"plot", "acceleration", in, out, "--notch"},
                                    {"plot", "acceleration", in, out, "--unit", "mph"},
                                    {"plot", "acceleration", in, out, "--smooth"},
                                    {"plot", "acceleration", in, out, "extra"},
                                    {"plot", "velocity", in, out}}) {
        EXPECT_EQ(run(args, &err), CliFailed) << args.join(' ').toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("plot acceleration IN OUT.png")));
    }
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(run({"plot", "acceleration", dir.filePath(QStringLiteral("missing.dat")), out}),
              CliFailed);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(
        run({"plot", "acceleration", in, dir.filePath(QStringLiteral("no/such/out.png"))}, &err),
        CliFailed);
    EXPECT_TRUE(err.contains(QStringLiteral("cannot write")));
}
