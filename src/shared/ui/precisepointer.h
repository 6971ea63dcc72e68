#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QWindow>

class QMouseEvent;
class QWidget;

namespace Orlenda {

// Widgets are told pointer positions rounded to whole logical pixels, which
// on a screen scaled by 2 is half an image pixel off. The top-level window's
// own mouse events keep the fraction: this remembers the latest one and gives
// it back in the widget's coordinates.
class PrecisePointer : public QObject {
public:
    explicit PrecisePointer(QWidget* widget);

    // Call from the widget's showEvent: the window exists only once shown.
    void watchWindow();

    // The position of a mouse event the widget handles, with its fraction
    // when the window's latest event is this one.
    QPointF position(const QMouseEvent* event) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* mWidget;
    QPointer<QWindow> mWindow;
    QPointF mWindowPosition;
};

} // namespace Orlenda
