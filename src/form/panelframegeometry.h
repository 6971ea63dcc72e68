#pragma once

#include <QRect>
#include <QSize>

namespace Orlenda {

// A classic captioned frame: an etched rectangle along the panel's left,
// right and bottom edges whose top line runs through the middle of the
// caption, interrupted where the caption stands.
struct PanelFrameGeometry {
    int lineTop = 0; // the top line, through the caption's middle
    QRect caption;   // where the caption's text is drawn
    int gapLeft = 0; // the top line is not drawn from gapLeft to gapRight
    int gapRight = 0;
    QRect inner; // free for controls: inside the lines and below the caption
};

// Two-pixel etched lines: a dark one outside, a light one inside it.
inline constexpr int PanelEtchWidth = 2;
inline constexpr int PanelCaptionLeft = 8;
inline constexpr int PanelCaptionPadding = 2;

PanelFrameGeometry panelFrameGeometry(const QSize& panel, const QSize& captionText);

} // namespace Orlenda
