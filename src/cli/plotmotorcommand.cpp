#include "cli/plotmotorcommand.h"

#include "cli/clicommands.h"
#include "cli/cliprompter.h"
#include "document/openfile.h"
#include "document/traindata.h"
#include "motorsound/motorsoundgraph.h"

#include <QImageWriter>
#include <optional>

namespace Orlenda {

namespace {

struct PlotMotorOptions {
    QString in;
    QString out;
    MotorSoundView view;
};

std::optional<int> trackNumber(const QString& name) {
    const QStringList names = {QStringLiteral("P1"), QStringLiteral("P2"), QStringLiteral("B1"),
                               QStringLiteral("B2")};
    const qsizetype n = names.indexOf(name.toUpper());
    if (n < 0)
        return std::nullopt;
    return int(n);
}

std::optional<PlotMotorOptions> parse(const QStringList& arguments) {
    PlotMotorOptions options;
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--hex")) {
            options.view.hexScale = true;
        } else if (a == QLatin1String("--track") || a == QLatin1String("--previous")) {
            const std::optional<int> track = trackNumber(arguments.value(++i));
            if (!track)
                return std::nullopt;
            (a == QLatin1String("--track") ? options.view.currentTrack
                                           : options.view.previousTrack) = *track;
        } else if (a.startsWith(QLatin1String("--"))) {
            return std::nullopt;
        } else {
            positional.append(a);
        }
    }
    if (positional.size() != 2)
        return std::nullopt;
    options.in = positional.at(0);
    options.out = positional.at(1);
    return options;
}

} // namespace

int plotMotorCommand(const QStringList& arguments, CliPrompter& prompter, QTextStream& err) {
    const std::optional<PlotMotorOptions> options = parse(arguments);
    if (!options) {
        err << "usage: " << PlotMotorUsage << Qt::endl;
        return CliFailed;
    }
    TrainData data;
    openFile(data, options->in, prompter);
    // OpenFile leaves the document without a path when it could not read the file.
    if (data.documentPath().isEmpty())
        return CliFailed;

    const QImage image = MotorSoundGraph::render(data.motorSoundTable(), options->view);
    QImageWriter writer(options->out, "png");
    if (!writer.write(image)) {
        err << "orlenda-cli: " << options->out << ": " << writer.errorString() << Qt::endl;
        return CliFailed;
    }
    return prompter.questions() > 0 ? CliQuestionsAsked : CliClean;
}

} // namespace Orlenda
