#include "cli/plotcommand.h"

#include "document/traindata.h"
#include "performance/performancetables.h"
#include "performance/runcurveplot.h"

#include <algorithm>

namespace Orlenda {

namespace {

// "1,4,8": each notch once, in the order of the notches.
std::optional<QList<int>> notchListArgument(const QString& text) {
    QList<int> notches;
    for (const QString& word : text.split(QLatin1Char(','))) {
        const std::optional<int> notch = notchArgument(word);
        if (!notch)
            return std::nullopt;
        if (!notches.contains(*notch))
            notches << *notch;
    }
    std::sort(notches.begin(), notches.end());
    return notches;
}

} // namespace

std::optional<int> plotRunCommand(const CliRequest& request) {
    RunCurveChoices choices;
    QString referencePath;
    const QCommandLineParser& options = request.options;
    if (!readOption(options, QStringLiteral("notch"), notchListArgument, choices.notches) ||
        !readOption(options, QStringLiteral("grade"), gradeArgument, choices.grade) ||
        !readOption(options, QStringLiteral("brake-from"), brakeFromArgument, choices.brakeFrom) ||
        !readOption(options, QStringLiteral("reference"), nameArgument, referencePath))
        return std::nullopt;
    choices.title = figuresFileName(request.arguments.at(0));
    return runPlotCommand(request, [&](const TrainData& data, Prompter&) -> std::optional<QImage> {
        std::optional<PerformanceTrain> reference;
        if (!referencePath.isEmpty()) {
            reference = cliReference(referencePath, request.prompter, request.err);
            if (!reference)
                return std::nullopt;
        }
        RunCurvePlot plot;
        plot.redraw(performanceTrain(data), choices, reference ? &*reference : nullptr);
        return plot.image();
    });
}

} // namespace Orlenda
