#include "cli/clicommands.h"

#include "cli/cliprompter.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"

namespace Orlenda {

namespace {

void usage(QTextStream& err) {
    err << "usage: orlenda-cli new OUT" << Qt::endl;
}

int saveTo(TrainData& data, const QString& out, CliPrompter& prompter) {
    data.setDocumentPath(out);
    if (!Save(data, prompter))
        return CliFailed;
    return prompter.questions() > 0 ? CliQuestionsAsked : CliClean;
}

} // namespace

int runCli(const QStringList& arguments, QTextStream&, QTextStream& err) {
    CliPrompter prompter(err);
    const QString command = arguments.value(0);
    if (command == QLatin1String("new") && arguments.size() == 2) {
        TrainData data;
        return saveTo(data, arguments.at(1), prompter);
    }
    usage(err);
    return CliFailed;
}

} // namespace Orlenda
