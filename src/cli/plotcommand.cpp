#include "cli/plotcommand.h"

#include "cli/clicommands.h"
#include "cli/cliprompter.h"
#include "document/traindata.h"
#include "shared/atomicfile.h"
#include "shared/failure.h"

#include <QImage>

namespace Orlenda {

std::optional<PlotPaths> parsePlotArguments(const QStringList& arguments,
                                            const PlotOptionReader& readOption) {
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (!a.startsWith(QLatin1String("--"))) {
            positional.append(a);
            continue;
        }
        if (!readOption(a, [&] { return arguments.value(++i); }))
            return std::nullopt;
    }
    if (positional.size() != 2)
        return std::nullopt;
    return PlotPaths{positional.at(0), positional.at(1)};
}

int writePlot(
    const PlotPaths& paths, CliPrompter& prompter, QTextStream& err,
    const std::function<std::optional<QImage>(const TrainData& data, Prompter& prompter)>& draw) {
    TrainData data;
    if (!openInput(data, paths.in, prompter))
        return CliFailed;
    const std::optional<QImage> image = draw(data, prompter);
    if (!image)
        return CliFailed;
    try {
        writePngFile(paths.out, *image);
    } catch (const StepFailure& failure) {
        err << "orlenda-cli: " << paths.out
            << ": cannot write the image: " << failureDescription(failure.kind()) << Qt::endl;
        return CliFailed;
    }
    return statusAfterQuestions(prompter);
}

} // namespace Orlenda
