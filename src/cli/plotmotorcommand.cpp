#include "cli/plotcommand.h"
#include "document/motorsoundtext.h"
#include "document/traindata.h"
#include "motorsound/motorsoundgraph.h"

namespace Orlenda {

namespace {

std::optional<int> trackArgument(const QString& text) {
    const std::optional<Track> track = motorSoundTrackOfName(text);
    if (!track)
        return std::nullopt;
    return int(*track);
}

} // namespace

std::optional<int> plotMotorCommand(const CliRequest& request) {
    MotorSoundView view;
    const QCommandLineParser& options = request.options;
    if (!readOption(options, QStringLiteral("track"), trackArgument, view.currentTrack) ||
        !readOption(options, QStringLiteral("previous"), trackArgument, view.previousTrack))
        return std::nullopt;
    view.hexScale = options.isSet(QStringLiteral("hex"));
    return runPlotCommand(request, [&](const TrainData& data, Prompter&) {
        return MotorSoundGraph::render(data.motorSoundTable(), view);
    });
}

} // namespace Orlenda
