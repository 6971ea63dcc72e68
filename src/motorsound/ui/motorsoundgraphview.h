#pragma once

#include <QPointF>
#include <QWidget>

namespace Orlenda {

class MotorSoundEditor;
class PrecisePointer;

// The graph surface (pbxMain): shows the editor's image at its logical size,
// pixel for pixel, and reports presses and pointer moves as graph pixels.
class MotorSoundGraphView : public QWidget {
    Q_OBJECT

public:
    explicit MotorSoundGraphView(const MotorSoundEditor& editor, QWidget* parent = nullptr);

    // The graph pixel under a position: on a scaled screen a logical pixel
    // covers several device pixels, and all of them belong to that pixel.
    static QPointF graphPixel(QPointF position);

signals:
    void pressed(Qt::MouseButton button, QPointF pixel);
    void moved(QPointF pixel);
    void menuRequested(QPoint globalPosition, bool byMouse);
    void wheelTurned(QWheelEvent* event);
    void pointerLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    const MotorSoundEditor& mEditor;
    PrecisePointer* mPointer;
};

} // namespace Orlenda
