#include "cli/plotcommand.h"

#include "document/traindata.h"
#include "motorsound/motorsoundgraph.h"

namespace Orlenda {

namespace {

std::optional<int> trackNumber(const QString& name) {
    const QStringList names = {QStringLiteral("P1"), QStringLiteral("P2"), QStringLiteral("B1"),
                               QStringLiteral("B2")};
    const qsizetype n = names.indexOf(name.toUpper());
    if (n < 0)
        return std::nullopt;
    return int(n);
}

} // namespace

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
        const std::optional<int> track = trackNumber(value());
        if (!track)
            return false;
        (option == QLatin1String("--track") ? view.currentTrack : view.previousTrack) = *track;
        return true;
    };
    return runPlotCommand(arguments, readOption, prompter, err, [&](const TrainData& data, Prompter&) {
        return MotorSoundGraph::render(data.motorSoundTable(), view);
    });
}

} // namespace Orlenda
