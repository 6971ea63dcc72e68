#include "shared/guardedsteps.h"

namespace Orlenda {

void GuardedSteps::report(const QString& description) {
    ++mFailures;
    if (!mPrompter.errorPrompt(mRoutine, description))
        throw ProgramEndRequested{};
}

} // namespace Orlenda
