#pragma once

#include "form/panelframegeometry.h"

#include <QGroupBox>
#include <QStaticText>

namespace Orlenda {

// One panel of the parameter form, drawn as a classic captioned frame at the
// panel's own rectangle: the caption sits in the frame's top line instead of
// above it, so the controls placed inside the rectangle stay inside the frame.
class PanelFrame : public QGroupBox {
    Q_OBJECT

public:
    explicit PanelFrame(const QString& caption, QWidget* parent = nullptr);

    PanelFrameGeometry frameParts() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The caption is laid out once, not on every paint; a new font lays it
    // out again.
    const QStaticText& captionText() const;

    mutable QStaticText mCaption;
    mutable bool mCaptionReady = false;
};

} // namespace Orlenda
