#include "shared/cappedprompter.h"

namespace Orlenda {

bool CappedPrompter::ask(const QString& caption, const QString& text, Icon icon) {
    if (mLeft <= 0)
        return true;
    --mLeft;
    return mInner.ask(caption, text, icon);
}

} // namespace Orlenda
