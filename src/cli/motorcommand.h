#pragma once

#include "cli/clicommon.h"

#include <optional>

namespace Orlenda {

// motor export IN TRACK OUT.csv writes one track of IN as CSV; motor import
// IN TRACK CSV OUT reads a CSV into that track of IN and saves the result as
// OUT. A bad line of the CSV is reported with its number and nothing is
// written. Each returns a CliStatus, or nothing when TRACK is not a track's
// name (the caller prints the usage).
std::optional<int> motorExportCommand(const CliRequest& request);
std::optional<int> motorImportCommand(const CliRequest& request);

} // namespace Orlenda
