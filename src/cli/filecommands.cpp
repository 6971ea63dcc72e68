#include "cli/filecommands.h"

#include "cli/cliprompter.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"

namespace Orlenda {

namespace {

int writeOut(TrainData& data, const QString& out, CliPrompter& prompter) {
    if (!saveTo(data, out, prompter))
        return CliFailed;
    return statusAfterQuestions(prompter);
}

} // namespace

std::optional<int> newCommand(const CliRequest& request) {
    TrainData data;
    return writeOut(data, request.arguments.at(0), request.prompter);
}

std::optional<int> convertCommand(const CliRequest& request) {
    TrainData data;
    // An unreadable input must not turn into a file of defaults.
    if (!openInput(data, request.arguments.at(0), request.prompter))
        return CliFailed;
    return writeOut(data, request.arguments.at(1), request.prompter);
}

std::optional<int> checkCommand(const CliRequest& request) {
    TrainData data;
    if (!openInput(data, request.arguments.at(0), request.prompter))
        return CliFailed;
    return statusAfterQuestions(request.prompter);
}

} // namespace Orlenda
