#include "cli/plotacceleration.h"

#include "acceleration/accelerationplot.h"
#include "acceleration/trainconsist.h"
#include "cli/clicommands.h"
#include "cli/cliprompter.h"
#include "document/openfile.h"
#include "document/traindata.h"

#include <optional>

namespace Orlenda {

namespace {

struct PlotRequest {
    QString in;
    QString out;
    PlotChoices choices; // the window's initial choices unless an option says otherwise
};

std::optional<PlotRequest> parse(const QStringList& arguments) {
    PlotRequest request;
    QStringList positional;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--show-resistance")) {
            request.choices.subtractResistance = false;
        } else if (a == QLatin1String("--notch") && i + 1 < arguments.size()) {
            bool ok = false;
            const int notch = arguments.at(++i).toInt(&ok);
            if (!ok || notch < 1 || notch > NotchCount)
                return std::nullopt;
            request.choices.selectedNotch = notch - 1;
        } else if (a == QLatin1String("--unit") && i + 1 < arguments.size()) {
            const QString unit = arguments.at(++i);
            if (unit == QLatin1String("kmhs"))
                request.choices.unit = AccelerationUnit::KmPerHourPerSecond;
            else if (unit == QLatin1String("kgft"))
                request.choices.unit = AccelerationUnit::KgfPerTonne;
            else
                return std::nullopt;
        } else if (a.startsWith(QLatin1String("--"))) {
            return std::nullopt;
        } else {
            positional << a;
        }
    }
    if (positional.size() != 2)
        return std::nullopt;
    request.in = positional.at(0);
    request.out = positional.at(1);
    return request;
}

} // namespace

std::optional<int> plotAcceleration(const QStringList& arguments, CliPrompter& prompter,
                                    QTextStream& err) {
    const std::optional<PlotRequest> request = parse(arguments);
    if (!request)
        return std::nullopt;
    TrainData data;
    openFile(data, request->in, prompter);
    // OpenFile leaves the document without a path when the file could not be read at all.
    if (data.documentPath().isEmpty())
        return CliFailed;
    AccelerationPlot plot;
    // Every question is answered Yes, so drawing always runs to the end.
    plot.redraw(data.accelerationTable(), trainConsist(data), request->choices, prompter);
    if (!plot.image().save(request->out, "PNG")) {
        err << "orlenda-cli: " << request->out << ": cannot write the image" << Qt::endl;
        return CliFailed;
    }
    return prompter.questions() > 0 ? CliQuestionsAsked : CliClean;
}

} // namespace Orlenda
