#pragma once

#include "shared/failure.h"
#include "shared/prompter.h"

#include <new>
#include <utility>

namespace Orlenda {

// Runs the steps of one guarded routine. A step that fails is reported under
// the routine's name; on Yes the routine goes on with its next step (the failed
// one has left its target unchanged), on No ProgramEndRequested unwinds.
class GuardedSteps {
public:
    GuardedSteps(QString routine, Prompter& prompter)
        : mRoutine(std::move(routine)), mPrompter(prompter) {}

    // Returns true when the step completed, false when it failed and the user continued.
    template <typename Step> bool operator()(Step&& step) {
        try {
            std::forward<Step>(step)();
            return true;
        } catch (const StepFailure& failure) {
            report(failure.description());
        } catch (const std::bad_alloc&) {
            report(failureDescription(Failure::Unexpected));
        }
        return false;
    }

    // Reports a failure found without an exception.
    void report(const QString& description);
    void report(Failure kind) { report(failureDescription(kind)); }

    int failures() const { return mFailures; }
    const QString& routine() const { return mRoutine; }
    Prompter& prompter() { return mPrompter; }

private:
    QString mRoutine;
    Prompter& mPrompter;
    int mFailures = 0;
};

} // namespace Orlenda
