#include "cli/plotcommand.h"
#include "document/motorsoundtext.h"
#include "document/traindata.h"
#include "motorsound/motorsoundgraph.h"

namespace Orlenda {

std::optional<int> plotMotorCommand(const QStringList& arguments, CliPrompter& prompter,
                                    QTextStream& err) {
    MotorSoundView view;
    const auto readOption = [&](const QString& option, const std::function<QString()>& value) {
        if (option == QLatin1String("--hex")) {
            view.hexScale = true;
            return true;
        }
        if (option != QLatin1String("--track") && option != QLatin1String("--previous"))
            return false;
        const std::optional<Track> track = motorSoundTrackOfName(value());
        if (!track)
            return false;
        (option == QLatin1String("--track") ? view.currentTrack : view.previousTrack) = int(*track);
        return true;
    };
    return runPlotCommand(arguments, readOption, prompter, err, [&](const TrainData& data, Prompter&) {
        return MotorSoundGraph::render(data.motorSoundTable(), view);
    });
}

} // namespace Orlenda
