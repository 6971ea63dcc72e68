#pragma once

#include "cli/clicommon.h"

#include <QList>
#include <QStringList>
#include <QTextStream>
#include <optional>

namespace Orlenda {

// An option of a command: its name without the leading "--", what its value
// is called in the usage (empty for an option without a value) and one line
// saying what it does.
struct CliOption {
    const char* name;
    const char* value;
    const char* description;
};

// One command of orlenda-cli. run returns a CliStatus, or nothing when an
// argument's or an option's value is not valid; it reads or writes nothing
// before it has checked them all.
struct CliCommand {
    const char* name;        // its words, as "plot run"
    const char* arguments;   // the positional arguments, as "IN OUT.png"
    const char* description; // one line
    QList<CliOption> options;
    std::optional<int> (*run)(const CliRequest& request);
};

// Every command, in the order the usage lists them. The choice of command,
// the usage text and every --help come from this table alone.
const QList<CliCommand>& cliCommands();

// Runs one command; arguments exclude the program name. Returns a CliStatus.
int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace Orlenda
