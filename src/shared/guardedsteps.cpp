#include "shared/guardedsteps.h"

namespace Orlenda {

bool GuardedSteps::mayAsk() {
    if (mQuestionsLeft == 0)
        return false;
    if (mQuestionsLeft > 0)
        --mQuestionsLeft;
    return true;
}

void GuardedSteps::report(const QString& description) {
    ++mFailures;
    if (mInQuietGroup) {
        if (mGroupReported)
            return;
        mGroupReported = true;
    }
    if (!mayAsk())
        return;
    if (!mPrompter.errorPrompt(mRoutine, description))
        throw ProgramEndRequested{};
}

bool GuardedSteps::ask(const QString& caption, const QString& text, Prompter::Icon icon) {
    if (!mayAsk())
        return true;
    return mPrompter.ask(caption, text, icon);
}

} // namespace Orlenda
