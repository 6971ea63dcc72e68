#pragma once

#include <QFrame>
#include <QImage>

class QAction;

namespace Orlenda {

class PrecisePointer;

// Shows a plot image inside a 2-pixel sunken frame, one image pixel per
// logical pixel: on a scaled screen the pixels grow without smoothing, and
// the pointer is still mapped to the image pixel under it.
class PlotView : public QFrame {
    Q_OBJECT

public:
    explicit PlotView(const QImage& image, QWidget* parent = nullptr);

    // The context menu's first entry, "画像を保存..."; the widget's own
    // actions follow it.
    QAction* saveImageAction() const { return mSaveImage; }

    // The image pixel under a position in the widget; false on the frame.
    bool imagePixelAt(const QPointF& position, QPoint* pixel) const;

signals:
    void pointerMoved(QPoint imagePixel);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    const QImage& mImage;
    QAction* mSaveImage;
    PrecisePointer* mPointer;
};

} // namespace Orlenda
