#include "motorsound/ui/motorsoundgraphview.h"

#include "motorsound/motorsoundeditor.h"
#include "motorsound/motorsoundgeometry.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace Orlenda {

MotorSoundGraphView::MotorSoundGraphView(const MotorSoundEditor& editor, QWidget* parent)
    : QWidget(parent), mEditor(editor) {
    setObjectName(QStringLiteral("pbxMain"));
    setFixedSize(GraphWidth, GraphHeight);
    setMouseTracking(true);
    // Taking the focus on a click lets a later click on the track list or a
    // tool button cancel a pending edit through its focus.
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&editor, &MotorSoundEditor::imageChanged, this, qOverload<>(&QWidget::update));
}

QPointF MotorSoundGraphView::graphPixel(QPointF position) {
    return QPointF(std::floor(position.x()), std::floor(position.y()));
}

void MotorSoundGraphView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // No smoothing: on a scaled screen each graph pixel becomes a crisp block.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect r = event->rect();
    painter.drawImage(r, mEditor.image(), r);
}

void MotorSoundGraphView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    QWindow* handle = window()->windowHandle();
    if (handle && handle != mWatchedWindow) {
        if (mWatchedWindow)
            mWatchedWindow->removeEventFilter(this);
        handle->installEventFilter(this);
        mWatchedWindow = handle;
    }
}

bool MotorSoundGraphView::eventFilter(QObject* watched, QEvent* event) {
    // Widgets are told positions rounded to whole logical pixels, half a graph
    // pixel off on a scaled screen; the window's own event keeps the fraction.
    if (watched == mWatchedWindow &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove))
        mWindowPosition = static_cast<QMouseEvent*>(event)->position();
    return QWidget::eventFilter(watched, event);
}

QPointF MotorSoundGraphView::precisePosition(const QMouseEvent* event) const {
    const QPointF precise = mWindowPosition - QPointF(mapTo(window(), QPoint(0, 0)));
    const QPointF offset = precise - event->position();
    // Only when the window's event is the one this widget now receives.
    if (std::abs(offset.x()) <= 0.5 && std::abs(offset.y()) <= 0.5)
        return precise;
    return event->position();
}

void MotorSoundGraphView::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button(), graphPixel(precisePosition(event)));
}

void MotorSoundGraphView::mouseMoveEvent(QMouseEvent* event) {
    emit moved(graphPixel(precisePosition(event)));
}

void MotorSoundGraphView::contextMenuEvent(QContextMenuEvent* event) {
    emit menuRequested(event->globalPos(), event->reason() == QContextMenuEvent::Mouse);
}

void MotorSoundGraphView::wheelEvent(QWheelEvent* event) {
    emit wheelTurned(event);
}

} // namespace Orlenda
