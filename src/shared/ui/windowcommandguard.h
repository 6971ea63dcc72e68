#pragma once

#include <functional>

namespace Orlenda {

// Runs a window's commands. A failure question answered No unwinds as
// ProgramEndRequested up to here, where the program ends at once: no window
// runs its closing steps and no setting is written. Tests, and the recovery
// that writes its copy first, replace the ender.
class WindowCommandGuard {
public:
    WindowCommandGuard();

    void setProgramEnder(std::function<void()> ender) { mEndProgram = std::move(ender); }
    const std::function<void()>& programEnder() const { return mEndProgram; }

    void run(const std::function<void()>& command) const;

private:
    std::function<void()> mEndProgram;
};

} // namespace Orlenda
