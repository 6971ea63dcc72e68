#include "shared/ui/precisepointer.h"

#include <QMouseEvent>
#include <QWidget>
#include <cmath>

namespace Orlenda {

PrecisePointer::PrecisePointer(QWidget* widget) : QObject(widget), mWidget(widget) {}

void PrecisePointer::watchWindow() {
    QWindow* handle = mWidget->window()->windowHandle();
    if (!handle || handle == mWindow)
        return;
    if (mWindow)
        mWindow->removeEventFilter(this);
    handle->installEventFilter(this);
    mWindow = handle;
}

bool PrecisePointer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mWindow &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove))
        mWindowPosition = static_cast<QMouseEvent*>(event)->position();
    return QObject::eventFilter(watched, event);
}

QPointF PrecisePointer::position(const QMouseEvent* event) const {
    const QPointF precise =
        mWindowPosition - QPointF(mWidget->mapTo(mWidget->window(), QPoint(0, 0)));
    const QPointF offset = precise - event->position();
    // A widget's position is the window's rounded, so the two lie within half
    // a pixel exactly when they describe the same event.
    if (std::abs(offset.x()) <= 0.5 && std::abs(offset.y()) <= 0.5)
        return precise;
    return event->position();
}

} // namespace Orlenda
