#pragma once

#include "cli/clicommon.h"

#include <optional>

namespace Orlenda {

// motor render IN OUT.wav: opens IN as convert does and writes OUT.wav, the
// motor-sound tracks played along a run (--run) or at a held speed
// (--speed, --seconds), with the sounds of --sounds (IN's folder by default)
// as --assign overrides them. Returns a CliStatus, or nothing when an
// option's value is not valid.
std::optional<int> motorRenderCommand(const CliRequest& request);

} // namespace Orlenda
