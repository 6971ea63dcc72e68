#pragma once

#include "sound/ui/auditionpanel.h"

namespace Orlenda {

// Asks what to write: the current speed held for a number of seconds (0.1
// to 600), or the run as the panel's 走行を再生 would play it.
std::optional<AuditionPanel::ExportChoice> askSoundExport(QWidget* parent);

} // namespace Orlenda
