#pragma once

#include <QEvent>

namespace Orlenda {

// True for a focus event of the given type (FocusIn or FocusOut) that moves
// the focus between the controls of one window. Focus that leaves for a menu,
// a popup or another window comes back: it neither finishes an entry nor
// breaks one off.
bool isFocusMoveWithinWindow(const QEvent* event, QEvent::Type type);

} // namespace Orlenda
