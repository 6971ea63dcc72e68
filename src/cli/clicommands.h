#pragma once

#include "cli/clicommon.h"

#include <QStringList>
#include <QTextStream>

namespace Orlenda {

// Runs one command; arguments exclude the program name. Returns a CliStatus.
int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace Orlenda
