#include "shared/ui/focusmove.h"

#include <QFocusEvent>

namespace Orlenda {

bool isFocusMoveWithinWindow(const QEvent* event, QEvent::Type type) {
    if (event->type() != type)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

} // namespace Orlenda
