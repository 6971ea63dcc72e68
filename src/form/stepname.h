#pragma once

#include "document/controls.h"

#include <QString>

namespace Orlenda {

// The name of a change made in one of the form's controls, as the undo menu
// shows it: the control's caption, after its panel's where another control
// has the same caption ("反応性 力行入").
QString fieldStepName(TextId id);
QString listStepName(ListId id);
QString checkStepName(int index);

} // namespace Orlenda
