#include "shared/cappedprompter.h"

namespace Orlenda {

bool CappedPrompter::ask(const QString& caption, const QString& text, Icon icon) {
    if (mLeft <= 0)
        return true;
    --mLeft;
    const Answer answer = mInner.askWhileReading(caption, text, icon);
    if (answer == Answer::YesToAll)
        mLeft = 0;
    return answer != Answer::No;
}

} // namespace Orlenda
