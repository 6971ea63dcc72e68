#include "form/ui/panelframe.h"

#include <QPainter>
#include <QStyle>

namespace Orlenda {

PanelFrame::PanelFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

PanelFrameGeometry PanelFrame::frameParts() const {
    const QSize text = title().isEmpty() ? QSize(0, fontMetrics().height())
                                         : fontMetrics().size(Qt::TextSingleLine, title());
    return panelFrameGeometry(size(), text);
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
    style()->drawItemText(&p, g.caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                          palette(), isEnabled(), title(), QPalette::WindowText);
}

} // namespace Orlenda
