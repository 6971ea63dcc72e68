#include "cli/clicommands.h"

#include "cli/cliprompter.h"
#include "cli/filecommands.h"
#include "cli/motorcommand.h"
#ifdef ORLENDA_SOUND
#include "cli/rendercommand.h"
#endif
#include "cli/performancecommand.h"
#include "cli/plotcommand.h"
#include "shared/standardoptions.h"

#include <QCommandLineParser>
#include <algorithm>

namespace Orlenda {

namespace {

const char* const Program = "orlenda-cli";

const char* const GradeHelp = "the grade in per mille, -40 to 40, uphill positive (default 0)";

QString cliDescription() {
    return QStringLiteral(
        "\n"
        "Works on train files without a display. Every question the editor would\n"
        "ask is answered Yes and printed to standard error. Exit status: 0 when no\n"
        "question arose, 1 when at least one did (OUT is still written), 2 for a\n"
        "usage error, an input that cannot be read, an OUT that cannot be written,\n"
        "or a result that cannot be written in full to standard output.\n"
        "\n"
        "orlenda-cli COMMAND --help tells what a command does and lists its options.\n");
}

QStringList nameWords(const CliCommand& command) {
    return QString::fromUtf8(command.name).split(QLatin1Char(' '));
}

qsizetype argumentCount(const CliCommand& command) {
    const QString arguments = QString::fromUtf8(command.arguments);
    return arguments.isEmpty() ? 0 : arguments.count(QLatin1Char(' ')) + 1;
}

bool isNamed(const CliCommand& command, const QStringList& arguments) {
    const QStringList words = nameWords(command);
    return arguments.mid(0, words.size()) == words;
}

const CliCommand* commandNamed(const QStringList& arguments) {
    const QList<CliCommand>& commands = cliCommands();
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&](const CliCommand& c) { return isNamed(c, arguments); });
    return found == commands.end() ? nullptr : &*found;
}

QString optionText(const CliOption& option) {
    QString text = QStringLiteral("--") + QString::fromUtf8(option.name);
    if (*option.value)
        text += QLatin1Char(' ') + QString::fromUtf8(option.value);
    return text;
}

QString usageLine(const CliCommand& command) {
    QString line = QString::fromUtf8(Program) + QLatin1Char(' ') + QString::fromUtf8(command.name);
    if (*command.arguments)
        line += QLatin1Char(' ') + QString::fromUtf8(command.arguments);
    for (const CliOption& option : command.options)
        line += QStringLiteral(" [") + optionText(option) + QLatin1Char(']');
    return line;
}

QString usageText(const QList<const CliCommand*>& commands) {
    QString text;
    for (const CliCommand* command : commands)
        text += (text.isEmpty() ? QStringLiteral("usage: ") : QStringLiteral("       ")) +
                usageLine(*command) + QLatin1Char('\n');
    return text;
}

QList<const CliCommand*> allCommands() {
    QList<const CliCommand*> all;
    for (const CliCommand& command : cliCommands())
        all << &command;
    return all;
}

// The commands that "COMMAND --help" is about: the one the arguments name,
// or every command starting with the first word ("plot --help"). None when
// the arguments name no command: the general help is shown then.
QList<const CliCommand*> commandsAskedAbout(const QStringList& arguments) {
    if (const CliCommand* command = commandNamed(arguments))
        return {command};
    QList<const CliCommand*> commands;
    for (const CliCommand& command : cliCommands()) {
        if (nameWords(command).first() == arguments.value(0))
            commands << &command;
    }
    return commands;
}

QString helpText(const QStringList& arguments) {
    const QList<const CliCommand*> commands = commandsAskedAbout(arguments);
    if (commands.isEmpty())
        return usageText(allCommands()) + cliDescription();
    qsizetype width = 0;
    for (const CliCommand* command : commands) {
        for (const CliOption& option : command->options)
            width = std::max(width, optionText(option).size());
    }
    QString text = usageText(commands);
    for (const CliCommand* command : commands) {
        text += QLatin1Char('\n') + QString::fromUtf8(command->name) + QStringLiteral(": ") +
                QString::fromUtf8(command->description) + QLatin1Char('\n');
        for (const CliOption& option : command->options)
            text += QStringLiteral("  ") + optionText(option).leftJustified(width + 2) +
                    QString::fromUtf8(option.description) + QLatin1Char('\n');
    }
    return text;
}

bool takesValue(const CliCommand& command, QStringView name) {
    return std::any_of(command.options.begin(), command.options.end(), [&](const CliOption& o) {
        return *o.value && name == QString::fromUtf8(o.name);
    });
}

// The arguments as QCommandLineParser is to read them: the options, then
// "--" and the positional ones. Only a word starting with "--" is an option
// here, so "-" or "-x.dat" names a file; the word after an option that takes
// a value is its value whatever it is, so "--grade -2.5" is a grade. Nothing
// when a word is "--" alone, which would otherwise end the options, or when
// the last word is an option that wants a value.
std::optional<QStringList> optionsFirst(const CliCommand& command, const QStringList& arguments) {
    QStringList options{QString::fromUtf8(Program)}, positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments.at(i);
        if (!word.startsWith(QLatin1String("--"))) {
            positional << word;
            continue;
        }
        if (word.size() == 2)
            return std::nullopt;
        options << word;
        if (!word.contains(QLatin1Char('=')) && takesValue(command, QStringView(word).mid(2))) {
            // Left without one, the option would take the "--" added below.
            if (i + 1 == arguments.size())
                return std::nullopt;
            options << arguments.at(++i);
        }
    }
    return options + QStringList{QStringLiteral("--")} + positional;
}

std::optional<int> runCommand(const CliCommand& command, const QStringList& arguments,
                              CliPrompter& prompter, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    for (const CliOption& option : command.options)
        parser.addOption(QCommandLineOption(QString::fromUtf8(option.name),
                                            QString::fromUtf8(option.description),
                                            QString::fromUtf8(option.value)));
    const std::optional<QStringList> ordered = optionsFirst(command, arguments);
    if (!ordered || !parser.parse(*ordered))
        return std::nullopt;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != argumentCount(command))
        return std::nullopt;
    return command.run(CliRequest{positional, parser, prompter, out, err});
}

} // namespace

const QList<CliCommand>& cliCommands() {
    static const QList<CliCommand> commands = {
        {"new", "OUT", "write a new document (every default) to OUT", {}, newCommand},
        {"convert",
         "IN OUT",
         "open IN as the editor does, save it to OUT in the current format",
         {},
         convertCommand},
        {"check", "IN", "open IN as the editor does, write nothing", {}, checkCommand},
        {"plot acceleration",
         "IN OUT.png",
         "draw the acceleration window's plot of IN to OUT.png",
         {{"notch", "1..8", "the notch drawn on top in its bright colour (default 1)"},
          {"unit", "kmhs|kgft", "the value grid: km/h/s (the default) or kgf/t"},
          {"show-resistance", "",
           "draw the running resistance, and the notches without it subtracted"},
          {"reference", "REF", "a train file whose curves are drawn under IN's"}},
         plotAcceleration},
        {"plot motor",
         "IN OUT.png",
         "draw the motor-sound window's graph of IN to OUT.png",
         {{"track", "P1|P2|B1|B2", "the track drawn in full colours (default P1), in either case"},
          {"previous", "P1|P2|B1|B2", "the track drawn behind it in dark colours (default P1)"},
          {"hex", "", "the horizontal grid every 16 units instead of 10"}},
         plotMotorCommand},
        {"motor export",
         "IN P1|P2|B1|B2 OUT.csv",
         "write a motor-sound track of IN as CSV",
         {},
         motorExportCommand},
        {"motor import",
         "IN P1|P2|B1|B2 CSV OUT",
         "read CSV into a motor-sound track of IN and save the result as OUT",
         {},
         motorImportCommand},
#ifdef ORLENDA_SOUND
        {"motor render",
         "IN OUT.wav",
         "play the motor-sound tracks of IN along a run or at a held speed into OUT.wav",
         {{"sounds", "DIR", "the folder of the sound files (default: IN's folder)"},
          {"assign", "N=FILE", "sound number N plays FILE of that folder (N= plays nothing); repeatable"},
          {"run", "1..8", "run from standstill with this notch, then brake to a stop"},
          {"to", "V", "the run's top speed, a whole km/h 1..160 (default: as reached, at most 100)"},
          {"speedup", "1|2|4", "the run's simulated time runs this much faster (default 1)"},
          {"speed", "V", "hold this speed in km/h, 0..159.8"},
          {"seconds", "S", "for this long, 0.1..600"},
          {"brake", "", "the held speed brakes instead of powering"}},
         motorRenderCommand},
#endif
        {"plot run",
         "IN OUT.png",
         "draw the 性能表 window's run curves of IN to OUT.png",
         {{"notch", "N,N,...", "the notches run on from standstill, such as 1,4,8 (default 1)"},
          {"grade", "G", GradeHelp},
          {"brake-from", "V", "the speed in km/h the braking starts from (default 100)"},
          {"reference", "REF", "a train file whose runs are drawn dashed under IN's"}},
         plotRunCommand},
        {"performance",
         "IN",
         "print the performance figures of IN",
         {{"grade", "G", GradeHelp},
          {"brake-from", "V", "the braking speed in km/h the first line names (default 100)"},
          {"reference", "REF", "a train file whose figures are printed after IN's"},
          {"format", "text|csv|json", "the window's tables (the default), CSV or JSON"}},
         performanceCommand},
    };
    return commands;
}

int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (const auto reply =
            standardOptionReply(arguments, QString::fromUtf8(Program), helpText(arguments))) {
        out << *reply;
        return CliClean;
    }
    if (const CliCommand* command = commandNamed(arguments)) {
        CliPrompter prompter(err);
        if (const std::optional<int> status =
                runCommand(*command, arguments.mid(nameWords(*command).size()), prompter, out, err))
            return *status;
    }
    err << usageText(allCommands());
    err.flush();
    return CliFailed;
}

} // namespace Orlenda
