#include "cli/plotcommand.h"

#include "acceleration/accelerationplot.h"
#include "acceleration/trainconsist.h"
#include "document/traindata.h"

namespace Orlenda {

std::optional<int> plotAcceleration(const QStringList& arguments, CliPrompter& prompter,
                                    QTextStream& err) {
    // The window's initial choices unless an option says otherwise.
    PlotChoices choices;
    QString referencePath;
    const auto readOption = [&](const QString& option, const std::function<QString()>& value) {
        if (option == QLatin1String("--show-resistance")) {
            choices.subtractResistance = false;
        } else if (option == QLatin1String("--notch")) {
            const std::optional<int> notch = notchArgument(value());
            if (!notch)
                return false;
            choices.selectedNotch = *notch;
        } else if (option == QLatin1String("--reference")) {
            referencePath = value();
            if (referencePath.isEmpty())
                return false;
        } else if (option == QLatin1String("--unit")) {
            const QString unit = value();
            if (unit == QLatin1String("kmhs"))
                choices.unit = AccelerationUnit::KmPerHourPerSecond;
            else if (unit == QLatin1String("kgft"))
                choices.unit = AccelerationUnit::KgfPerTonne;
            else
                return false;
        } else {
            return false;
        }
        return true;
    };
    return runPlotCommand(
        arguments, readOption, prompter, err,
        [&](const TrainData& data, Prompter& asker) -> std::optional<QImage> {
            AccelerationPlot plot;
            if (!referencePath.isEmpty()) {
                const std::optional<PerformanceTrain> reference =
                    cliReference(referencePath, prompter, err);
                if (!reference)
                    return std::nullopt;
                plot.setReference(ReferenceCurves{reference->table, reference->consist});
            }
            // Every question is answered Yes, so drawing always runs to the end.
            plot.redraw(data.accelerationTable(), trainConsist(data), choices, asker);
            return plot.image();
        });
}

} // namespace Orlenda
