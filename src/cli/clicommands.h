#pragma once

#include <QStringList>
#include <QTextStream>

namespace Orlenda {

// Exit statuses of orlenda-cli.
enum CliStatus { CliClean = 0, CliQuestionsAsked = 1, CliFailed = 2 };

// Runs one command; arguments exclude the program name.
int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace Orlenda
