#pragma once

#include "cli/clicommon.h"

#include <optional>

namespace Orlenda {

// new OUT writes a new document; convert IN OUT opens IN as the editor does
// and saves it as OUT; check IN opens IN and writes nothing. Each returns a
// CliStatus.
std::optional<int> newCommand(const CliRequest& request);
std::optional<int> convertCommand(const CliRequest& request);
std::optional<int> checkCommand(const CliRequest& request);

} // namespace Orlenda
