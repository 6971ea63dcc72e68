#include "cli/plotcommand.h"

#include "document/traindata.h"
#include "performance/runcurveplot.h"

namespace Orlenda {

std::optional<int> plotRunCommand(const QStringList& arguments, CliPrompter& prompter,
                                  QTextStream& err) {
    RunCurveChoices choices;
    const auto readOption = [&](const QString& option, const std::function<QString()>& value) {
        if (option == QLatin1String("--notch")) {
            const std::optional<int> notch = notchArgument(value());
            if (!notch)
                return false;
            choices.notch = *notch;
        } else if (option == QLatin1String("--grade")) {
            const std::optional<double> grade = gradeArgument(value());
            if (!grade)
                return false;
            choices.grade = *grade;
        } else if (option == QLatin1String("--brake-from")) {
            bool ok = false;
            const int speed = value().toInt(&ok);
            if (!ok || speed < 1 || speed > TopSpeedKmh)
                return false;
            choices.brakeFrom = speed;
        } else {
            return false;
        }
        return true;
    };
    return runPlotCommand(arguments, readOption, prompter, err, [&](const TrainData& data, Prompter&) {
        RunCurvePlot plot;
        plot.redraw(performanceTrain(data), choices);
        return plot.image();
    });
}

} // namespace Orlenda
