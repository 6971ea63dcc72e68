#include "performance/runcurveplot.h"

#include "shared/graphpalette.h"
#include "shared/plottext.h"

#include <QPainter>
#include <QPolygon>
#include <cmath>

namespace Orlenda {

namespace {

const QColor kGridColor(64, 64, 64);
constexpr QRgb kTextColor = qRgb(96, 96, 96);
constexpr int TopSpeed = 160;
constexpr int SpeedGridStep = 20;
constexpr int MaxTimeDivisions = 8;

// The smallest step of 1, 2 or 5 times a power of ten that covers span in at
// most MaxTimeDivisions steps.
double timeStepFor(double span) {
    double step = 1;
    for (int i = 0; i < 40; ++i) {
        for (double m : {1.0, 2.0, 5.0}) {
            if (std::ceil(span / (m * step)) <= MaxTimeDivisions)
                return m * step;
        }
        step *= 10;
    }
    return step;
}

QPen onePixel(const QColor& color) {
    QPen pen(color, 1);
    pen.setCosmetic(true);
    return pen;
}

void drawPolyline(QPainter& painter, const QPolygon& points) {
    if (points.size() == 1)
        painter.drawPoint(points.first());
    else if (points.size() > 1)
        painter.drawPolyline(points);
}

} // namespace

RunCurvePlot::RunCurvePlot() : mImage(Width, Height, QImage::Format_RGB32) {
    mImage.fill(Qt::black);
}

int RunCurvePlot::columnOf(double seconds) const {
    return Left + int(std::nearbyint(seconds * (Right - Left) / mSpan));
}

int RunCurvePlot::rowOf(double kmh) {
    return Bottom - int(std::nearbyint(kmh * RowsPerKmh));
}

void RunCurvePlot::redraw(const PerformanceTrain& train, const RunCurveChoices& choices) {
    // The run: time at each whole speed while the train still accelerates.
    QList<double> runTimes;
    if (const auto a = gradedAccelerations(train, choices.notch, choices.grade); a && (*a)[0] > 0) {
        double t = 0;
        runTimes << t;
        for (int k = 0; k < TopSpeed && (*a)[std::size_t(k + 1)] > 0; ++k) {
            t += 2 / ((*a)[std::size_t(k)] + (*a)[std::size_t(k + 1)]);
            if (!std::isfinite(t))
                break;
            runTimes << t;
        }
    }
    const double b = train.deceleration;
    const double v0 = std::clamp(choices.brakeFrom, 0.0, double(TopSpeed));
    const double delay = std::max(train.brakeDelay, 0.0);
    const bool braking = b > 0 && v0 > 0;
    const double brakingEnd = braking ? delay + v0 / b : 0;

    double longest = std::max(runTimes.isEmpty() ? 0.0 : runTimes.last(), brakingEnd);
    if (!(longest > 0) || !std::isfinite(longest))
        longest = 1;
    mStep = timeStepFor(longest);
    mSpan = std::ceil(longest / mStep) * mStep;

    mImage.fill(Qt::black);
    QPainter painter(&mImage);
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.setPen(onePixel(kGridColor));
    for (int v = 0; v <= TopSpeed; v += SpeedGridStep) {
        const int y = rowOf(v);
        painter.drawLine(Left, y, Width - 1, y);
        const QString label = QString::number(v);
        drawPlotText(mImage, Left - 3 - plotTextWidth(label), y - PlotTextHeight / 2 - 1, label,
                     kTextColor);
    }
    const int divisions = int(std::lround(mSpan / mStep));
    for (int i = 0; i <= divisions; ++i) {
        const double t = i * mStep;
        const int x = columnOf(t);
        painter.drawLine(x, rowOf(TopSpeed), x, Bottom);
        const QString label = QString::number(t, 'g', 12);
        drawPlotText(mImage, x - plotTextWidth(label) / 2 + 1, Bottom + 2, label, kTextColor);
    }

    if (braking) {
        painter.setPen(onePixel(brakingColor()));
        const QPolygon points{QPoint(columnOf(0), rowOf(v0)), QPoint(columnOf(delay), rowOf(v0)),
                              QPoint(columnOf(brakingEnd), rowOf(0))};
        drawPolyline(painter, points);
    }

    painter.setPen(onePixel(GraphPalette::color(choices.notch + 1)));
    QPolygon run;
    for (qsizetype k = 0; k < runTimes.size(); ++k)
        run << QPoint(columnOf(runTimes.at(k)), rowOf(double(k)));
    drawPolyline(painter, run);
}

} // namespace Orlenda
