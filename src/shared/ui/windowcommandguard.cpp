#include "shared/ui/windowcommandguard.h"

#include "shared/prompter.h"

#include <cstdio>
#include <cstdlib>

namespace Orlenda {

namespace {

[[noreturn]] void endProgramNow() {
    // Files were closed as the failed routine unwound; skip every window's
    // closing steps on purpose.
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

WindowCommandGuard::WindowCommandGuard() : mEndProgram(&endProgramNow) {}

void WindowCommandGuard::run(const std::function<void()>& command) const {
    try {
        command();
    } catch (const ProgramEndRequested&) {
        mEndProgram();
    }
}

} // namespace Orlenda
