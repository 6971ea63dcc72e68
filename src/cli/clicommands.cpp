#include "cli/clicommands.h"

#include "cli/clicommon.h"
#include "cli/cliprompter.h"
#include "cli/motorcommand.h"
#include "cli/performancecommand.h"
#include "cli/plotcommand.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"
#include "shared/standardoptions.h"

namespace Orlenda {

namespace {

void usage(QTextStream& err) {
    err << "usage: orlenda-cli new OUT" << Qt::endl
        << "       orlenda-cli convert IN OUT" << Qt::endl
        << "       orlenda-cli check IN" << Qt::endl
        << "       " << PlotAccelerationUsage << Qt::endl
        << "       " << PlotMotorUsage << Qt::endl
        << "       " << MotorExportUsage << Qt::endl
        << "       " << MotorImportUsage << Qt::endl
        << "       " << PlotRunUsage << Qt::endl
        << "       " << PerformanceUsage << Qt::endl;
}

QString cliDescription() {
    return QStringLiteral(
        "\n"
        "Works on train files without a display. Every question the editor would\n"
        "ask is answered Yes and printed to standard error. Exit status: 0 when no\n"
        "question arose, 1 when at least one did (OUT is still written), 2 for a\n"
        "usage error, an input that cannot be read, an OUT that cannot be written,\n"
        "or a result that cannot be written in full to standard output.\n");
}

int writeOut(TrainData& data, const QString& out, CliPrompter& prompter) {
    if (!saveTo(data, out, prompter))
        return CliFailed;
    return statusAfterQuestions(prompter);
}

} // namespace

int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QString usageText;
    QTextStream usageStream(&usageText);
    usage(usageStream);
    usageStream.flush();
    if (const auto reply = standardOptionReply(arguments, QStringLiteral("orlenda-cli"),
                                               usageText + cliDescription())) {
        out << *reply;
        return CliClean;
    }
    CliPrompter prompter(err);
    const QString command = arguments.value(0);
    if (command == QLatin1String("new") && arguments.size() == 2) {
        TrainData data;
        return writeOut(data, arguments.at(1), prompter);
    }
    if (command == QLatin1String("convert") && arguments.size() == 3) {
        TrainData data;
        // An unreadable input must not turn into a file of defaults.
        if (!openInput(data, arguments.at(1), prompter))
            return CliFailed;
        return writeOut(data, arguments.at(2), prompter);
    }
    if (command == QLatin1String("check") && arguments.size() == 2) {
        TrainData data;
        if (!openInput(data, arguments.at(1), prompter))
            return CliFailed;
        return statusAfterQuestions(prompter);
    }
    if (command == QLatin1String("plot")) {
        const QString what = arguments.value(1);
        std::optional<int> status;
        if (what == QLatin1String("motor"))
            status = plotMotorCommand(arguments.mid(2), prompter, err);
        else if (what == QLatin1String("acceleration"))
            status = plotAcceleration(arguments.mid(2), prompter, err);
        else if (what == QLatin1String("run"))
            status = plotRunCommand(arguments.mid(2), prompter, err);
        if (status)
            return *status;
    }
    if (command == QLatin1String("motor")) {
        if (const std::optional<int> status = motorCommand(arguments.mid(1), prompter, err))
            return *status;
    }
    if (command == QLatin1String("performance")) {
        if (const std::optional<int> status =
                performanceCommand(arguments.mid(1), prompter, out, err))
            return *status;
    }
    usage(err);
    return CliFailed;
}

} // namespace Orlenda
