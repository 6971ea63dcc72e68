#include "form/panelframegeometry.h"

#include <algorithm>

namespace Orlenda {

PanelFrameGeometry panelFrameGeometry(const QSize& panel, const QSize& captionText) {
    PanelFrameGeometry g;
    g.caption = QRect(QPoint(PanelCaptionLeft, 0), captionText);
    g.lineTop = captionText.height() / 2;
    if (captionText.width() > 0) {
        g.gapLeft = g.caption.left() - PanelCaptionPadding;
        g.gapRight = g.caption.right() + PanelCaptionPadding;
    }
    const int top = std::max(g.caption.bottom() + 1, g.lineTop + PanelEtchWidth);
    g.inner = QRect(QPoint(PanelEtchWidth, top), QPoint(panel.width() - 1 - PanelEtchWidth,
                                                        panel.height() - 1 - PanelEtchWidth));
    return g;
}

} // namespace Orlenda
