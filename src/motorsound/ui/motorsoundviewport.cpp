#include "motorsound/ui/motorsoundviewport.h"

#include "document/numbertext.h"
#include "motorsound/motorsoundeditor.h"
#include "motorsound/motorsoundgeometry.h"
#include "motorsound/motorsoundscales.h"
#include "motorsound/ui/motorsoundgraphview.h"

#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace Orlenda {

namespace {

constexpr int Left = MotorSoundScales::LeftMargin;
constexpr int Bottom = MotorSoundScales::BottomMargin;

} // namespace

MotorSoundViewport::MotorSoundViewport(const MotorSoundEditor& editor, QWidget* parent)
    : QFrame(parent), mEditor(editor) {
    setObjectName(QStringLiteral("pbxBorder"));
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setAttribute(Qt::WA_OpaquePaintEvent);

    mClip = new QWidget(this);
    mGraph = new MotorSoundGraphView(editor, mClip);
    mHScroll = new QScrollBar(Qt::Horizontal, this);
    mHScroll->setObjectName(QStringLiteral("HScroll1"));
    mVScroll = new QScrollBar(Qt::Vertical, this);
    mVScroll->setObjectName(QStringLiteral("VScroll1"));
    mCorner = new QWidget(this);
    mCorner->setObjectName(QStringLiteral("Picture1"));
    mCorner->setAutoFillBackground(true);
    for (QScrollBar* bar : {mHScroll, mVScroll}) {
        bar->setSingleStep(WheelScroll::PixelsPerNotch);
        connect(bar, &QScrollBar::valueChanged, this, &MotorSoundViewport::placeGraph);
    }
    connect(&editor, &MotorSoundEditor::hexScaleChanged, this, qOverload<>(&QWidget::update));
    layoutView();
}

QSize MotorSoundViewport::frameSizeFor(QSize viewSize) const {
    const int frame = 2 * frameWidth();
    return viewSize + QSize(frame + Left + ScrollBarSize, frame + Bottom + ScrollBarSize);
}

QSize MotorSoundViewport::fullFrameSize() const {
    const int frame = 2 * frameWidth();
    return QSize(frame + Left + GraphWidth, frame + Bottom + GraphHeight);
}

QRect MotorSoundViewport::visibleGraph() const {
    return QRect(QPoint(mHScroll->value(), mVScroll->value()), mClip->size());
}

void MotorSoundViewport::layoutView() {
    const QRect inner = contentsRect();
    const int roomX = std::max(inner.width() - Left, 1);
    const int roomY = std::max(inner.height() - Bottom, 1);
    // A bar takes room from the other direction, which may then need its own bar.
    bool needH = roomX < GraphWidth;
    bool needV = roomY < GraphHeight;
    needV = needV || (needH && roomY - ScrollBarSize < GraphHeight);
    needH = needH || (needV && roomX - ScrollBarSize < GraphWidth);
    const int viewW = std::clamp(roomX - (needV ? ScrollBarSize : 0), 1, GraphWidth);
    const int viewH = std::clamp(roomY - (needH ? ScrollBarSize : 0), 1, GraphHeight);

    // The view keeps its distance from the bottom, where value 0 lies.
    const int fromBottom = mVScroll->maximum() - mVScroll->value();
    const QSignalBlocker blockH(mHScroll);
    const QSignalBlocker blockV(mVScroll);
    mClip->setGeometry(inner.left() + Left, inner.top(), viewW, viewH);
    mHScroll->setGeometry(inner.left() + Left, inner.top() + viewH + Bottom, viewW, ScrollBarSize);
    mVScroll->setGeometry(inner.left() + Left + viewW, inner.top(), ScrollBarSize, viewH);
    mCorner->setGeometry(inner.left() + Left + viewW, inner.top() + viewH + Bottom, ScrollBarSize,
                         ScrollBarSize);
    mHScroll->setVisible(needH);
    mVScroll->setVisible(needV);
    mCorner->setVisible(needH && needV);
    mHScroll->setRange(0, toInt16(GraphWidth - viewW));
    mVScroll->setRange(0, toInt16(GraphHeight - viewH));
    mHScroll->setPageStep(viewW);
    mVScroll->setPageStep(viewH);
    mVScroll->setValue(mVScroll->maximum() - fromBottom);
    placeGraph();
}

void MotorSoundViewport::placeGraph() {
    mGraph->move(-mHScroll->value(), -mVScroll->value());
    update();
}

void MotorSoundViewport::scrollToStart() {
    mHScroll->setValue(0);
    mVScroll->setValue(mVScroll->maximum());
    placeGraph();
}

void MotorSoundViewport::scrollByWheel(QWheelEvent* event) {
    const QPoint by = mWheel.distance(event->angleDelta(), event->pixelDelta(),
                                      event->modifiers() & Qt::ShiftModifier);
    mHScroll->setValue(mHScroll->value() + by.x());
    mVScroll->setValue(mVScroll->value() + by.y());
    event->accept();
}

void MotorSoundViewport::wheelEvent(QWheelEvent* event) {
    scrollByWheel(event);
}

void MotorSoundViewport::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    layoutView();
}

void MotorSoundViewport::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.fillRect(inner, palette().color(QPalette::Window));
    MotorSoundScales::paint(mScales, mClip->size(), visibleGraph().topLeft(), mEditor.hexScale());
    painter.drawImage(inner.topLeft(), mScales);
}

} // namespace Orlenda
