#include "cli/plotruncommand.h"

#include "cli/performancecommand.h"
#include "cli/plotcommand.h"
#include "document/traindata.h"
#include "performance/runcurveplot.h"

namespace Orlenda {

std::optional<int> plotRunCommand(const QStringList& arguments, CliPrompter& prompter,
                                  QTextStream& err) {
    RunCurveChoices choices;
    const auto readOption = [&](const QString& option, const std::function<QString()>& value) {
        bool ok = false;
        if (option == QLatin1String("--notch")) {
            const int notch = value().toInt(&ok);
            if (!ok || notch < 1 || notch > NotchCount)
                return false;
            choices.notch = notch - 1;
        } else if (option == QLatin1String("--grade")) {
            const std::optional<double> grade = gradeArgument(value());
            if (!grade)
                return false;
            choices.grade = *grade;
        } else if (option == QLatin1String("--brake-from")) {
            const int speed = value().toInt(&ok);
            if (!ok || speed < 1 || speed > 160)
                return false;
            choices.brakeFrom = speed;
        } else {
            return false;
        }
        return true;
    };
    const std::optional<PlotPaths> paths = parsePlotArguments(arguments, readOption);
    if (!paths)
        return std::nullopt;
    return writePlot(*paths, prompter, err, [&](const TrainData& data, Prompter&) {
        RunCurvePlot plot;
        plot.redraw(performanceTrain(data), choices);
        return plot.image();
    });
}

} // namespace Orlenda
