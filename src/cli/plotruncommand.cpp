#include "cli/plotcommand.h"

#include "document/traindata.h"
#include "performance/runcurveplot.h"

namespace Orlenda {

std::optional<int> plotRunCommand(const CliRequest& request) {
    RunCurveChoices choices;
    const QCommandLineParser& options = request.options;
    if (!readOption(options, QStringLiteral("notch"), notchArgument, choices.notch) ||
        !readOption(options, QStringLiteral("grade"), gradeArgument, choices.grade) ||
        !readOption(options, QStringLiteral("brake-from"), brakeFromArgument, choices.brakeFrom))
        return std::nullopt;
    return runPlotCommand(request, [&](const TrainData& data, Prompter&) {
        RunCurvePlot plot;
        plot.redraw(performanceTrain(data), choices);
        return plot.image();
    });
}

} // namespace Orlenda
