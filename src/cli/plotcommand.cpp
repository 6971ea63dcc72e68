#include "cli/plotcommand.h"

#include "cli/cliprompter.h"
#include "document/traindata.h"
#include "shared/atomicfile.h"

namespace Orlenda {

std::optional<int> runPlotCommand(const QStringList& arguments, const OptionReader& readOption,
                                  CliPrompter& prompter, QTextStream& err, const PlotDrawer& draw) {
    const std::optional<QStringList> paths = parseArguments(arguments, 2, readOption);
    if (!paths)
        return std::nullopt;
    TrainData data;
    if (!openInput(data, paths->at(0), prompter))
        return CliFailed;
    const std::optional<QImage> image = draw(data, prompter);
    if (!image)
        return CliFailed;
    return writeOutput(paths->at(1), "image", prompter, err,
                       [&] { writePngFile(paths->at(1), *image); });
}

} // namespace Orlenda
