#pragma once

#include <QColor>
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

    // The line that marks the row being played, drawn over the view only:
    // the graph image stays as the tools and the saved picture see it. The
    // colour is one the graph never uses. A row outside the graph hides it.
    static QColor playLineColor() { return QColor(255, 255, 255); }
    void setPlayRow(int row);
    int playRow() const { return mPlayRow; }

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
    int mPlayRow = -1;
};

} // namespace Orlenda
