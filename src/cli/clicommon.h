#pragma once

#include "performance/performancefigures.h"

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <initializer_list>
#include <optional>

namespace Orlenda {

class CliPrompter;
class TrainData;

// What every command of orlenda-cli shares. Commands include this unit, and
// clicommands.cpp includes the commands: never the other way round.

// Exit statuses of orlenda-cli.
enum CliStatus { CliClean = 0, CliQuestionsAsked = 1, CliFailed = 2 };

// The arguments as given to the program, decoded; nothing, and one line on
// err, when one is not valid UTF-8: decoded, it would name another file.
std::optional<QStringList> cliArguments(const QList<QByteArray>& arguments, QTextStream& err);

// Opens IN exactly as the editor does, under its absolute path; false when it
// could not be read at all or is not a train file.
bool openInput(TrainData& data, const QString& in, CliPrompter& prompter);

// CliQuestionsAsked once any question arose, otherwise CliClean.
int statusAfterQuestions(const CliPrompter& prompter);

// The one error line of a file that could not be read or written.
void printFileError(QTextStream& err, const QString& path, const QString& why);

// Writes OUT through write, which throws StepFailure when it cannot; then
// says so on err, naming OUT's absolute path and what ("image") was not
// written. Returns CliFailed then, otherwise the status after the questions.
int writeOutput(const QString& out, const char* what, CliPrompter& prompter, QTextStream& err,
                const std::function<void()>& write);

// What a command is given: as many positional arguments as its usage names,
// and the options it declares, parsed.
struct CliRequest {
    QStringList arguments;
    const QCommandLineParser& options;
    CliPrompter& prompter;
    QTextStream& out;
    QTextStream& err;
};

// Sets into from the value of the option called name through read, when the
// option is given; the last one counts when it is given more than once. False
// when read finds any of its values not valid.
template <typename T, typename Read>
bool readOption(const QCommandLineParser& options, const QString& name, const Read& read, T& into) {
    for (const QString& text : options.values(name)) {
        const auto value = read(text);
        if (!value)
            return false;
        into = *value;
    }
    return true;
}

// A value that must be one of the words of choices: what that word stands for.
template <typename T>
std::optional<T> choiceArgument(const QString& text,
                                std::initializer_list<std::pair<const char*, T>> choices) {
    for (const auto& [word, value] : choices) {
        if (text == QLatin1String(word))
            return value;
    }
    return std::nullopt;
}

// A notch argument, 1 to 8, as the notch's index.
std::optional<int> notchArgument(const QString& text);

// A grade argument: a decimal number from -40 to 40 per mille, rounded half
// to even on its digits to one decimal as the 性能表 window's box reads it.
std::optional<double> gradeArgument(const QString& text);

// A braking speed argument: a whole number of km/h from 1 to 160.
std::optional<double> brakeFromArgument(const QString& text);

// A file name given with an option: any text but the empty one.
std::optional<QString> nameArgument(const QString& text);

// Reads a reference train as the editor does; nothing, and a line on err,
// when it cannot be read.
std::optional<PerformanceTrain> cliReference(const QString& path, CliPrompter& prompter,
                                             QTextStream& err);

} // namespace Orlenda
