#include "motorsound/ui/motorsoundgraphview.h"

#include "motorsound/motorsoundeditor.h"
#include "motorsound/motorsoundgeometry.h"
#include "shared/ui/precisepointer.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace Orlenda {

MotorSoundGraphView::MotorSoundGraphView(const MotorSoundEditor& editor, QWidget* parent)
    : QWidget(parent), mEditor(editor), mPointer(new PrecisePointer(this)) {
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
    if (mPlayRow >= 0 && mPlayRow >= r.left() && mPlayRow <= r.right()) {
        painter.setPen(playLineColor());
        painter.drawLine(mPlayRow, r.top(), mPlayRow, r.bottom());
    }
}

void MotorSoundGraphView::setPlayRow(int row) {
    if (row < 0 || row >= GraphWidth)
        row = -1;
    if (row == mPlayRow)
        return;
    // Only the two columns change.
    if (mPlayRow >= 0)
        update(mPlayRow, 0, 1, height());
    mPlayRow = row;
    if (mPlayRow >= 0)
        update(mPlayRow, 0, 1, height());
}

void MotorSoundGraphView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    mPointer->watchWindow();
}

void MotorSoundGraphView::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button(), graphPixel(mPointer->position(event)));
}

void MotorSoundGraphView::mouseMoveEvent(QMouseEvent* event) {
    emit moved(graphPixel(mPointer->position(event)));
}

void MotorSoundGraphView::contextMenuEvent(QContextMenuEvent* event) {
    emit menuRequested(event->globalPos(), event->reason() == QContextMenuEvent::Mouse);
}

void MotorSoundGraphView::wheelEvent(QWheelEvent* event) {
    emit wheelTurned(event);
}

void MotorSoundGraphView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit pointerLeft();
}

} // namespace Orlenda
