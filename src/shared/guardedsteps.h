#pragma once

#include "shared/failure.h"
#include "shared/prompter.h"

#include <new>
#include <utility>

namespace Orlenda {

// Runs the steps of one guarded routine. A step that fails is reported under
// the routine's name; on Yes the routine goes on with its next step (the failed
// one has left its target unchanged), on No ProgramEndRequested unwinds.
//
// Readers of broken files must not bury the user in questions: a limit caps
// the questions of one routine (later failures pass silently), and inside a
// quiet group only the first failure is reported.
class GuardedSteps {
public:
    GuardedSteps(QString routine, Prompter& prompter, int questionLimit = -1)
        : mRoutine(std::move(routine)), mPrompter(prompter), mQuestionsLeft(questionLimit) {}

    // Returns true when the step completed, false when it failed.
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

    // A Yes/No question of the routine, counted against the same limit;
    // true (go on) without asking once the limit is reached.
    bool ask(const QString& caption, const QString& text, Prompter::Icon icon);

    void beginQuietGroup() {
        mInQuietGroup = true;
        mGroupReported = false;
    }
    void endQuietGroup() { mInQuietGroup = false; }

    int failures() const { return mFailures; }

private:
    // False when the limit or the quiet group keeps this question back.
    bool mayAsk();

    QString mRoutine;
    Prompter& mPrompter;
    int mFailures = 0;
    int mQuestionsLeft; // negative: no limit
    bool mInQuietGroup = false;
    bool mGroupReported = false;
};

} // namespace Orlenda
