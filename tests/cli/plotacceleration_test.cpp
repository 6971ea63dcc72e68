#include "acceleration/accelerationplot.h"
#include "support/clitests.h"


using namespace Orlenda;

namespace {

QImage plotOf(const TrainData& data, const PlotChoices& choices) {
    ScriptedPrompter quiet;
    AccelerationPlot plot;
    plot.redraw(data.accelerationTable(), trainConsist(data), choices, quiet);
    return plot.image();
}

using CliPlotAcceleration = CliTest;

} // namespace

TEST_F(CliPlotAcceleration, WritesThePlotForTheChoicesWithTheWindowsDefaults) {
    TrainData data;
    data.accelerationTable()[2] = {1.2f, 0.9f, 30, 50, 2.5f};
    data.setText(txtCar(0), QStringLiteral("40.5"));
    savedDocument(dir, "in.dat", data);

    EXPECT_EQ(runCliForTest({"plot", "acceleration", in, out}), CliClean);
    const QImage initial = pngImage(out);
    EXPECT_EQ(initial, plotOf(data, {}));

    EXPECT_EQ(runCliForTest({"plot", "acceleration", "--notch", "3", in, out, "--unit", "kgft",
                             "--show-resistance"}),
              CliClean);
    const QImage chosen = pngImage(out);
    EXPECT_EQ(chosen, plotOf(data, {2, AccelerationUnit::KgfPerTonne, false}));
    EXPECT_NE(chosen, initial);
    EXPECT_EQ(runCliForTest({"plot", "acceleration", in, out, "--unit", "kmhs", "--notch", "1"}),
              CliClean);
    EXPECT_EQ(pngImage(out), initial);
}

TEST_F(CliPlotAcceleration, QuestionsArePrintedOncePerPlotAndTheImageIsStillWritten) {
    TrainData data;
    data.setText(txtCar(1), QStringLiteral("0"));
    data.setText(txtCar(3), QStringLiteral("0"));
    savedDocument(dir, "in.dat", data);
    QString err;
    EXPECT_EQ(runCliForTest({"plot", "acceleration", in, out}, &err), CliQuestionsAsked);
    EXPECT_EQ(err, QStringLiteral(
                       "orlenda-cli: Orlenda - DrawDya: 0 で除算しました。 / 続行しますか？\n"));
    EXPECT_EQ(pngImage(out), plotOf(data, {}));
}
