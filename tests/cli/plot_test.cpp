#include "acceleration/accelerationplot.h"
#include "motorsound/motorsoundgraph.h"
#include "performance/runcurveplot.h"
#include "support/clitests.h"

using namespace Orlenda;

namespace {

QImage accelerationPlot(const TrainData& data, const PlotChoices& choices,
                        const TrainData* reference = nullptr) {
    ScriptedPrompter quiet;
    AccelerationPlot plot;
    if (reference)
        plot.setReference(ReferenceCurves{reference->accelerationTable(), reference->consist()});
    plot.redraw(data.accelerationTable(), data.consist(), choices, quiet);
    return plot.image();
}

} // namespace

// Each plot writes the picture its window shows for the same choices.
TEST_F(CliTest, PlotWritesTheWindowsPictureForTheChoices) {
    TrainData data;
    AccelerationTable curves = data.accelerationTable();
    curves[1] = {1.0f, 0.9f, 40, 60, 2.0f};
    curves[2] = {1.2f, 0.9f, 30, 50, 2.5f};
    data.setAccelerationTable(curves);
    data.setText(txtCar(0), QStringLiteral("40.5"));
    MotorSoundTable table = defaultMotorSoundTable();
    for (int r = 0; r < MotorSoundRows; ++r) {
        table[Track::P2][r] = {std::int16_t(50 + r / 8), std::int16_t(r % 100),
                               std::int16_t(r % 9 - 1)};
        table[Track::B2][r] = {std::int16_t(300 - r / 4), 20, 12}; // an index without a colour
    }
    data.setMotorSoundTable(table);
    savedDocument(dir, "in.dat", data);
    const TrainData reference;
    const QString ref = savedDocument(dir, "ref.dat", reference);
    RunCurvePlot run;
    run.redraw(performanceTrain(data), {{1}, -2.5, 60, {}});
    RunCurvePlot runs;
    const PerformanceTrain referenceTrain = performanceTrain(reference);
    runs.redraw(performanceTrain(data), {{0, 3, 7}, 0, 100, {}}, &referenceTrain);
    const std::pair<QStringList, QImage> cases[] = {
        {{"plot", "acceleration", in, out}, accelerationPlot(data, {})},
        {{"plot", "acceleration", "--notch", "3", in, out, "--unit", "kgft", "--show-resistance"},
         accelerationPlot(data, {2, AccelerationUnit::KgfPerTonne, false})},
        {{"plot", "acceleration", in, out, "--unit", "kmhs", "--notch", "1"},
         accelerationPlot(data, {})},
        {{"plot", "acceleration", in, out, "--reference", ref},
         accelerationPlot(data, {}, &reference)},
        {{"plot", "motor", in, out}, MotorSoundGraph::render(table, {0, 0, false})},
        {{"plot", "motor", "--hex", in, "--track", "P2", "--previous", "b2", out},
         MotorSoundGraph::render(table, {1, 3, true})},
        {{"plot", "run", in, out, "--notch", "2", "--grade", "-2.5", "--brake-from", "60"},
         run.image()},
        {{"plot", "run", in, out, "--notch", "8,1,4,1", "--reference", ref}, runs.image()}};
    for (const auto& [args, image] : cases) {
        EXPECT_EQ(runCliForTest(args), CliClean) << args.join(' ').toStdString();
        EXPECT_EQ(pngImage(out), image) << args.join(' ').toStdString();
    }
    EXPECT_NE(cases[0].second, cases[1].second);
    EXPECT_NE(cases[0].second, cases[3].second);
    // The PNG names what it shows in its text, not in its pixels.
    EXPECT_EQ(pngImage(out).text(QStringLiteral("Title")), QStringLiteral("in.dat"));
    EXPECT_TRUE(pngImage(out).text(QStringLiteral("Description")).startsWith(
        QStringLiteral("ノッチ 1,4,8、勾配 0.0 ‰")));
    EXPECT_EQ(runCliForTest({"plot", "run", in, out, "--notch", "1,9"}), CliFailed);
}

TEST_F(CliTest, PlotQuestionsArePrintedOncePerPlotAndTheImageIsStillWritten) {
    TrainData data;
    data.setText(txtCar(1), QStringLiteral("0"));
    data.setText(txtCar(3), QStringLiteral("0"));
    savedDocument(dir, "in.dat", data);
    QString err;
    EXPECT_EQ(runCliForTest({"plot", "acceleration", in, out}, &err), CliQuestionsAsked);
    EXPECT_EQ(err, QStringLiteral(
                       "orlenda-cli: Orlenda - DrawDya: 0 で除算しました。 / 続行しますか？\n"));
    EXPECT_EQ(pngImage(out), accelerationPlot(data, {}));
}
