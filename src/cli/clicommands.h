#pragma once

#include <QStringList>
#include <QTextStream>

namespace Orlenda {

class CliPrompter;
class TrainData;

// Exit statuses of orlenda-cli.
enum CliStatus { CliClean = 0, CliQuestionsAsked = 1, CliFailed = 2 };

// Runs one command; arguments exclude the program name.
int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err);

// Opens IN exactly as the editor does; false when it could not be read at all
// or is not a train file.
bool openInput(TrainData& data, const QString& in, CliPrompter& prompter);

// CliQuestionsAsked once any question arose, otherwise CliClean.
int statusAfterQuestions(const CliPrompter& prompter);

} // namespace Orlenda
