#include "cli/plotcommand.h"

#include "cli/cliprompter.h"
#include "document/traindata.h"
#include "shared/atomicfile.h"

namespace Orlenda {

int runPlotCommand(const CliRequest& request, const PlotDrawer& draw) {
    const QString& out = request.arguments.at(1);
    TrainData data;
    if (!openInput(data, request.arguments.at(0), request.prompter))
        return CliFailed;
    const std::optional<QImage> image = draw(data, request.prompter);
    if (!image)
        return CliFailed;
    return writeOutput(out, "image", request.prompter, request.err,
                       [&] { writePngFile(out, *image); });
}

} // namespace Orlenda
