#pragma once

#include "acceleration/accelerationunits.h"
#include "acceleration/trainconsist.h"
#include "document/accelerationtable.h"

#include <QColor>
#include <QImage>
#include <optional>

namespace Orlenda {

class Prompter;

// What the acceleration window lets the user choose about the picture.
struct PlotChoices {
    int selectedNotch = 0;
    AccelerationUnit unit = AccelerationUnit::KmPerHourPerSecond;
    bool subtractResistance = true;
};

// A second train to compare with: its own curves and consist.
struct ReferenceCurves {
    AccelerationTable table{};
    TrainConsist consist;
};

// The acceleration plot, 2 pixels per km/h across and 100 per km/h/s up from
// the bottom row: grid and axis numbers, the running resistance when it is not
// subtracted, and the eight notch curves with the selected one on top in its
// bright colour. The window shows this image and the command-line tool saves it.
class AccelerationPlot {
public:
    static constexpr int Width = 320;
    static constexpr int Height = 400;
    static constexpr int MaxSpeed = TopSpeedKmh;

    AccelerationPlot();

    // Draws the whole picture again. Failures go to the prompter under
    // "DrawDya", but only the first of a redraw: a train of no mass fails at
    // every point, and one answer is enough. A point that cannot be computed
    // is left out and its curve goes on from the next good point; a notch
    // coefficient that fails leaves out only the speeds that need it. When the
    // user declines to continue, ProgramEndRequested leaves the picture as
    // far as it got.
    void redraw(const AccelerationTable& table, const TrainConsist& consist,
                const PlotChoices& choices, Prompter& prompter);

    const QImage& image() const { return mImage; }

    // A reference train drawn by every later redraw under the document's
    // curves, net or not as they are, each notch dashed in its own bright
    // colour, so that a notch of the reference is told by the same colour as
    // the document's. Its failures are never asked about: a point of it that
    // cannot be computed is left out.
    void setReference(std::optional<ReferenceCurves> reference) {
        mReference = std::move(reference);
    }
    const std::optional<ReferenceCurves>& reference() const { return mReference; }
    static QColor referenceColor(int notch);

    // The row of an acceleration: 100 x a rounded halves to even, up from the
    // bottom row. StepFailure(Overflow) when it does not fit a 16-bit coordinate.
    static int rowOf(float acceleration);
    // The row of a value grid line, rounded halves to even.
    static int gridRow(int value, AccelerationUnit unit);

private:
    QImage mImage;
    std::optional<ReferenceCurves> mReference;
};

} // namespace Orlenda
