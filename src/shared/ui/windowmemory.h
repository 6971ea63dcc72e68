#pragma once

#include <QString>

class QWidget;

namespace Orlenda {

// A window's normal geometry and maximised state kept in the settings under
// a prefix ("Performance", "Motor"): remembered when it is hidden, so that a
// window closed maximised keeps the size it had before.
void rememberWindowGeometry(const QWidget& window, const QString& prefix);

// Puts a window where it was remembered, when the settings hold a placement
// that still fits a screen; returns whether it did and whether the window was
// maximised (to be shown so).
struct RestoredGeometry {
    bool restored = false;
    bool maximized = false;
};
RestoredGeometry restoreWindowGeometry(QWidget& window, const QString& prefix);

} // namespace Orlenda
