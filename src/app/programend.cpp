#include "app/programend.h"

#include <cstdio>
#include <cstdlib>

namespace Orlenda {

void endProgramNow() {
    // Files were closed as the failed routine unwound; skip every window's
    // closing steps on purpose.
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace Orlenda
