#pragma once

namespace Orlenda {

// Ends the program at once, after the user declined to continue past a
// failure: no window runs its closing steps and no setting is written.
[[noreturn]] void endProgramNow();

} // namespace Orlenda
