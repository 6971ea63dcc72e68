#pragma once

#include "shared/wheelscroll.h"

#include <QFrame>
#include <QImage>

class QScrollBar;
class QWheelEvent;

namespace Orlenda {

class MotorSoundEditor;
class MotorSoundGraphView;

// The framed viewport of the motor-sound graph (pbxBorder): the visible part
// of the graph, its scales in margins to the left and below, and the scroll
// bars, which disappear when the whole graph fits. It shows as much of the
// graph as its size allows, up to all of it.
class MotorSoundViewport : public QFrame {
    Q_OBJECT

public:
    static constexpr int ScrollBarSize = 16;

    MotorSoundViewport(const MotorSoundEditor& editor, QWidget* parent = nullptr);

    MotorSoundGraphView* graphView() const { return mGraph; }
    // The part of the graph in view, in graph pixels.
    QRect visibleGraph() const;

    // The frame's size that shows a view of viewSize graph pixels with scroll
    // bars, and the size that shows the whole graph without them.
    QSize frameSizeFor(QSize viewSize) const;
    QSize fullFrameSize() const;

    // Row 0 at the left and value 0 at the bottom.
    void scrollToStart();
    void scrollByWheel(QWheelEvent* event);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void layoutView();
    void placeGraph();

    const MotorSoundEditor& mEditor;
    QWidget* mClip = nullptr;
    MotorSoundGraphView* mGraph = nullptr;
    QScrollBar* mHScroll = nullptr;
    QScrollBar* mVScroll = nullptr;
    QWidget* mCorner = nullptr;
    WheelScroll mWheel;
    QImage mScales;
};

} // namespace Orlenda
