#include "acceleration/ui/plotview.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <cmath>

namespace Orlenda {

PlotView::PlotView(const QImage& image, QWidget* parent)
    : QFrame(parent), mImage(image),
      mSaveImage(new QAction(QStringLiteral("画像を保存..."), this)) {
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
    QWindow* handle = window()->windowHandle();
    if (handle && handle != mWatchedWindow) {
        if (mWatchedWindow)
            mWatchedWindow->removeEventFilter(this);
        handle->installEventFilter(this);
        mWatchedWindow = handle;
    }
}

bool PlotView::eventFilter(QObject* watched, QEvent* event) {
    // Widgets are told positions rounded to whole logical pixels, which on a
    // scaled screen is half a plot pixel off; the window's own event keeps
    // the fraction.
    if (watched == mWatchedWindow && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPointF local = move->position() - QPointF(mapTo(window(), QPoint(0, 0)));
        QPoint pixel;
        if (imagePixelAt(local, &pixel))
            emit pointerMoved(pixel);
    }
    return QFrame::eventFilter(watched, event);
}

void PlotView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(mSaveImage);
    menu.exec(event->globalPos());
}

} // namespace Orlenda
