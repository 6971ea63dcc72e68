#pragma once

#include "cli/clicommon.h"

#include <optional>

namespace Orlenda {

// performance IN: opens IN as convert does and prints its performance figures
// for the grade, beside REF's, in the format asked. Every reason for missing
// figures is printed once as a question line. Returns a CliStatus, or nothing
// when an option's value is not valid.
std::optional<int> performanceCommand(const CliRequest& request);

} // namespace Orlenda
