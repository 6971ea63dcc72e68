#include "form/ui/panelframe.h"

#include <QEvent>
#include <QPainter>

#include <cmath>

namespace Orlenda {

PanelFrame::PanelFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

const QStaticText& PanelFrame::captionText() const {
    if (!mCaptionReady || mCaption.text() != title()) {
        mCaption = QStaticText(title());
        mCaption.setTextFormat(Qt::PlainText);
        mCaption.prepare(QTransform(), font());
        mCaptionReady = true;
    }
    return mCaption;
}

PanelFrameGeometry PanelFrame::frameParts() const {
    if (title().isEmpty())
        return panelFrameGeometry(size(), QSize(0, fontMetrics().height()));
    const QSizeF text = captionText().size();
    return panelFrameGeometry(size(),
                              QSize(int(std::ceil(text.width())), int(std::ceil(text.height()))));
}

void PanelFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        mCaptionReady = false;
    QGroupBox::changeEvent(event);
}

void PanelFrame::paintEvent(QPaintEvent*) {
    const PanelFrameGeometry g = frameParts();
    const int right = width() - 1;
    const int bottom = height() - 1;
    const int top = g.lineTop;
    QPainter p(this);
    // Etched: the light rectangle one pixel inside and below the dark one.
    auto rectangle = [&](int dx, const QColor& colour) {
        p.setPen(colour);
        const int l = dx;
        const int t = top + dx;
        const int r = right - 1 + dx;
        const int b = bottom - 1 + dx;
        if (g.gapLeft > l)
            p.drawLine(l, t, g.gapLeft - 1, t);
        if (g.gapRight < r)
            p.drawLine(std::max(g.gapRight + 1, l), t, r, t);
        p.drawLine(l, t, l, b);
        p.drawLine(r, t, r, b);
        p.drawLine(l, b, r, b);
    };
    rectangle(1, palette().color(QPalette::Light));
    rectangle(0, palette().color(QPalette::Dark));
    if (title().isEmpty())
        return;
    const QStaticText& caption = captionText();
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Current : QPalette::Disabled;
    p.setPen(palette().color(group, QPalette::WindowText));
    p.setFont(font());
    const qreal captionTop = g.caption.top() + (g.caption.height() - caption.size().height()) / 2;
    p.drawStaticText(QPointF(g.caption.left(), captionTop), caption);
}

} // namespace Orlenda
