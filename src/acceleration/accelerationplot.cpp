#include "acceleration/accelerationplot.h"

#include "acceleration/checkedmath.h"
#include "document/numbertext.h"
#include "shared/graphpalette.h"
#include "shared/guardedsteps.h"
#include "shared/plottext.h"

#include <QPainter>
#include <QPolygon>
#include <cmath>

namespace Orlenda {

namespace {

constexpr int W = AccelerationPlot::Width;
constexpr int H = AccelerationPlot::Height;
const QColor kGridColor(64, 64, 64);
const QColor kResistanceColor(128, 128, 128);
constexpr QRgb kTextColor = qRgb(96, 96, 96);

// A curve drawn point by point: the first point of a piece is set as a single
// pixel, every later one is joined to the one before. A point that could not
// be computed ends the piece.
class CurvePen {
public:
    CurvePen(QPainter& painter, const QColor& color, Qt::PenStyle style = Qt::SolidLine)
        : mPainter(painter) {
        QPen pen(color, 1);
        pen.setCosmetic(true);
        if (style != Qt::SolidLine)
            pen.setDashPattern({4, 4});
        mPainter.setPen(pen);
        mPoints.reserve(AccelerationPlot::MaxSpeed + 1);
    }
    ~CurvePen() { flush(); }

    void add(int x, int y) { mPoints.append(QPoint(x, y)); }
    void gap() { flush(); }

private:
    void flush() {
        if (mPoints.size() == 1)
            mPainter.drawPoint(mPoints.first());
        else if (mPoints.size() > 1)
            mPainter.drawPolyline(mPoints);
        mPoints.clear();
    }

    QPainter& mPainter;
    QPolygon mPoints;
};

void drawSpeedGrid(QImage& image, QPainter& painter) {
    painter.setPen(QPen(kGridColor, 1));
    for (int m = 0;; m += 10) {
        const int x = 2 * m;
        painter.drawLine(x, 0, x, H);
        const QString label = QString::number(m);
        // Int() of a half takes the floor, as for a negative left edge.
        const int left = int(std::floor(2 * m - plotTextWidth(label) / 2.0 + 1));
        drawPlotText(image, left, H - PlotTextHeight, label, kTextColor);
        if (x >= W)
            break;
    }
}

void drawValueGrid(QImage& image, QPainter& painter, AccelerationUnit unit) {
    painter.setPen(QPen(kGridColor, 1));
    const int step = unit == AccelerationUnit::KmPerHourPerSecond ? 1 : 10;
    for (int t = 0;; t += step) {
        const int y = AccelerationPlot::gridRow(t, unit);
        painter.drawLine(0, y, W, y);
        drawPlotText(image, 2, y - PlotTextHeight + 1, QString::number(t), kTextColor);
        if (y < 0)
            break;
    }
}

// The reference's eight curves, quietly: the user is never asked about
// another train than the document, and a point that fails is left out.
void drawReference(QPainter& painter, const ReferenceCurves& reference, bool subtractResistance) {
    float mass = 0;
    try {
        mass = trainMass(reference.consist);
    } catch (const StepFailure&) {
        if (subtractResistance)
            return;
    }
    for (int n = 0; n < NotchCount; ++n) {
        const AccelerationRow& row = reference.table[std::size_t(n)];
        const NotchCurve curve = makeNotchCurve(row, [](const StepFailure&) {});
        CurvePen pen(painter, AccelerationPlot::referenceColor(n), Qt::DashLine);
        for (int v = 0; v <= AccelerationPlot::MaxSpeed; ++v) {
            try {
                const float a = subtractResistance
                                    ? netAcceleration(row, curve, reference.consist, mass, v)
                                    : notchAcceleration(row, curve, v);
                pen.add(2 * v, AccelerationPlot::rowOf(a));
            } catch (const StepFailure&) {
                pen.gap();
            }
        }
    }
}

} // namespace

AccelerationPlot::AccelerationPlot() : mImage(Width, Height, QImage::Format_RGB32) {
    mImage.fill(Qt::black);
}

QColor AccelerationPlot::referenceColor(int notch) {
    return GraphPalette::color(notch + 1);
}

int AccelerationPlot::rowOf(float acceleration) {
    const std::int16_t up = toInt16(100.0f * acceleration);
    return checkedInt16((H - 1) - up);
}

int AccelerationPlot::gridRow(int value, AccelerationUnit unit) {
    if (unit == AccelerationUnit::KmPerHourPerSecond)
        return (H - 1) - 100 * value;
    return int(roundHalfEven((H - 1) - 100 * kgfPerTonneToKmPerHourPerSecond(value)));
}

void AccelerationPlot::redraw(const AccelerationTable& table, const TrainConsist& consist,
                              const PlotChoices& choices, Prompter& prompter) {
    GuardedSteps step(QStringLiteral("DrawDya"), prompter, 1);
    mImage.fill(Qt::black);
    QPainter painter(&mImage);
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawSpeedGrid(mImage, painter);
    drawValueGrid(mImage, painter, choices.unit);

    float mass = 0;
    step([&] { mass = trainMass(consist); });

    if (!choices.subtractResistance) {
        CurvePen pen(painter, kResistanceColor);
        for (int v = 0; v <= MaxSpeed; ++v) {
            const bool drawn = step([&] {
                const float d = runningResistance(consist, mass, v);
                // The surface takes the nearest pixel of the unrounded height.
                const float y = float(H - 1) - 100.0f * d;
                pen.add(2 * v, toInt16(y));
            });
            if (!drawn)
                pen.gap();
        }
    }

    if (mReference)
        drawReference(painter, *mReference, choices.subtractResistance);

    for (int i = 1; i <= NotchCount; ++i) {
        const int n = (choices.selectedNotch + i) % NotchCount;
        const AccelerationRow& row = table[std::size_t(n)];
        const NotchCurve curve = makeNotchCurve(
            row, [&](const StepFailure& failure) { step.report(failure.description()); });
        const bool selected = n == choices.selectedNotch;
        CurvePen pen(painter, GraphPalette::color(selected ? n + 1 : n + 10));
        for (int v = 0; v <= MaxSpeed; ++v) {
            const bool drawn = step([&] {
                const float a = choices.subtractResistance
                                    ? netAcceleration(row, curve, consist, mass, v)
                                    : notchAcceleration(row, curve, v);
                pen.add(2 * v, rowOf(a));
            });
            if (!drawn)
                pen.gap();
        }
    }
}

} // namespace Orlenda
