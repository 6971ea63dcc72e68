#include "cli/plotcommand.h"

#include "acceleration/accelerationplot.h"
#include "acceleration/trainconsist.h"
#include "document/traindata.h"

namespace Orlenda {

namespace {

std::optional<AccelerationUnit> unitArgument(const QString& text) {
    return choiceArgument<AccelerationUnit>(text, {{"kmhs", AccelerationUnit::KmPerHourPerSecond},
                                                   {"kgft", AccelerationUnit::KgfPerTonne}});
}

} // namespace

std::optional<int> plotAcceleration(const CliRequest& request) {
    // The window's initial choices unless an option says otherwise.
    PlotChoices choices;
    QString referencePath;
    const QCommandLineParser& options = request.options;
    if (!readOption(options, QStringLiteral("notch"), notchArgument, choices.selectedNotch) ||
        !readOption(options, QStringLiteral("unit"), unitArgument, choices.unit) ||
        !readOption(options, QStringLiteral("reference"), nameArgument, referencePath))
        return std::nullopt;
    choices.subtractResistance = !options.isSet(QStringLiteral("show-resistance"));
    return runPlotCommand(
        request, [&](const TrainData& data, Prompter& asker) -> std::optional<QImage> {
            AccelerationPlot plot;
            if (!referencePath.isEmpty()) {
                const std::optional<PerformanceTrain> reference =
                    cliReference(referencePath, request.prompter, request.err);
                if (!reference)
                    return std::nullopt;
                plot.setReference(ReferenceCurves{reference->table, reference->consist});
            }
            // Every question is answered Yes, so drawing always runs to the end.
            plot.redraw(data.accelerationTable(), data.consist(), choices, asker);
            return plot.image();
        });
}

} // namespace Orlenda
