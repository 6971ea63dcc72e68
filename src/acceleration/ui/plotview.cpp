#include "acceleration/ui/plotview.h"

#include "shared/ui/precisepointer.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace Orlenda {

PlotView::PlotView(const QImage& image, QWidget* parent)
    : QFrame(parent), mImage(image),
      mSaveImage(new QAction(QStringLiteral("画像を保存..."), this)),
      mPointer(new PrecisePointer(this)) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    mSaveImage->setObjectName(QStringLiteral("mnuSaveImage"));
}

bool PlotView::imagePixelAt(const QPointF& position, QPoint* pixel) const {
    const QRect area = contentsRect();
    const int x = int(std::floor(position.x())) - area.left();
    const int y = int(std::floor(position.y())) - area.top();
    if (x < 0 || y < 0 || x >= mImage.width() || y >= mImage.height())
        return false;
    *pixel = QPoint(x, y);
    return true;
}

void PlotView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    // Nearest-neighbour scaling keeps every plot pixel sharp on a scaled screen.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(contentsRect().topLeft(), mImage.size()), mImage);
}

void PlotView::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    mPointer->watchWindow();
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
    QPoint pixel;
    if (imagePixelAt(mPointer->position(event), &pixel))
        emit pointerMoved(pixel);
    QFrame::mouseMoveEvent(event);
}

void PlotView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(mSaveImage);
    // Commands a window adds to its plot follow the picture's own.
    if (!actions().isEmpty()) {
        menu.addSeparator();
        menu.addActions(actions());
    }
    menu.exec(event->globalPos());
}

} // namespace Orlenda
