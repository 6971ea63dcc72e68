#include "performance/runcurveplot.h"

#include "shared/graphpalette.h"
#include "shared/plottext.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

namespace Orlenda {

namespace {

const QColor kGridColor(64, 64, 64);
constexpr QRgb kTextColor = qRgb(96, 96, 96);
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

QPen dashed(const QColor& color) {
    QPen pen = onePixel(color);
    pen.setDashPattern({4, 4});
    return pen;
}

void drawPolyline(QPainter& painter, const QPolygon& points) {
    if (points.size() == 1)
        painter.drawPoint(points.first());
    else if (points.size() > 1)
        painter.drawPolyline(points);
}

// Time and distance at each whole speed while the train still accelerates.
void runFrom(const SpeedCurve& a, QList<double>& times, QList<double>* distances) {
    if (!(a[0] > 0))
        return;
    double t = 0;
    double x = 0;
    times << t;
    if (distances)
        *distances << x;
    for (int k = 0; k < TopSpeedKmh && a[std::size_t(k + 1)] > 0; ++k) {
        const double dt = 2 / (a[std::size_t(k)] + a[std::size_t(k + 1)]);
        t += dt;
        x += dt * (k + 0.5) / KmPerHourPerMetrePerSecond;
        if (!std::isfinite(t) || !std::isfinite(x))
            break;
        times << t;
        if (distances)
            *distances << x;
    }
}

QString describe(const RunCurveChoices& choices) {
    QStringList notches;
    for (int n : choices.notches)
        notches << QString::number(n + 1);
    return QStringLiteral("ノッチ %1、勾配 %2 ‰、ブレーキ初速 %3 km/h。縦: 速度 [km/h]、横: 時間 [s]")
        .arg(notches.join(QLatin1Char(',')), QString::number(choices.grade, 'f', 1),
             QString::number(choices.brakeFrom, 'g', 12));
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

void RunCurvePlot::redraw(const PerformanceTrain& train, const RunCurveChoices& choices,
                          const PerformanceTrain* reference) {
    mRuns.clear();
    QList<Run> referenceRuns;
    double longest = 0;
    for (int notch : choices.notches) {
        if (notch < 0 || notch >= NotchCount)
            continue;
        Run run{notch, {}, {}};
        if (const auto a = gradedAccelerations(train, notch, choices.grade))
            runFrom(*a, run.times, &run.distances);
        if (!run.times.isEmpty())
            longest = std::max(longest, run.times.last());
        mRuns << run;
        if (reference) {
            Run theirs{notch, {}, {}};
            if (const auto a = gradedAccelerations(*reference, notch, choices.grade))
                runFrom(*a, theirs.times, nullptr);
            if (!theirs.times.isEmpty())
                longest = std::max(longest, theirs.times.last());
            referenceRuns << theirs;
        }
    }
    // The braking as the braking table gives it, on the same grade.
    const int v0 = int(std::clamp(choices.brakeFrom, 1.0, double(TopSpeedKmh)));
    const SpeedFigure stop = brakingFrom(train, choices.grade, v0);
    const bool braking = stop.time.has_value();
    const double delay = train.brakeDelay;
    const double brakingEnd = stop.time.value_or(0);

    longest = std::max(longest, brakingEnd);
    if (!(longest > 0) || !std::isfinite(longest))
        longest = 1;
    mStep = timeStepFor(longest);
    mSpan = std::ceil(longest / mStep) * mStep;

    mImage.fill(Qt::black);
    mImage.setText(QStringLiteral("Title"), choices.title);
    mImage.setText(QStringLiteral("Description"), describe(choices));
    QPainter painter(&mImage);
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.setPen(onePixel(kGridColor));
    for (int v = 0; v <= TopSpeedKmh; v += SpeedGridStep) {
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
        painter.drawLine(x, rowOf(TopSpeedKmh), x, Bottom);
        const QString label = QString::number(t, 'g', 12);
        drawPlotText(mImage, x - plotTextWidth(label) / 2 + 1, Bottom + 2, label, kTextColor);
    }

    if (braking) {
        painter.setPen(onePixel(brakingColor()));
        // Starts one column right of the speed axis, so that the top speed's
        // line stays inside the plot and off the axis numbers.
        const QPolygon points{QPoint(columnOf(0) + 1, rowOf(v0)),
                              QPoint(std::max(columnOf(delay), columnOf(0) + 1), rowOf(v0)),
                              QPoint(columnOf(brakingEnd), rowOf(0))};
        drawPolyline(painter, points);
    }

    auto points = [this](const Run& run) {
        QPolygon line;
        for (qsizetype k = 0; k < run.times.size(); ++k)
            line << QPoint(columnOf(run.times.at(k)), rowOf(double(k)));
        return line;
    };
    for (const Run& run : referenceRuns) {
        painter.setPen(dashed(GraphPalette::color(run.notch + 1)));
        drawPolyline(painter, points(run));
    }
    for (const Run& run : std::as_const(mRuns)) {
        painter.setPen(onePixel(GraphPalette::color(run.notch + 1)));
        drawPolyline(painter, points(run));
    }
}

std::optional<RunPoint> RunCurvePlot::nearestRunPoint(QPoint pixel) const {
    std::optional<RunPoint> nearest;
    qint64 best = 0;
    for (const Run& run : mRuns) {
        for (qsizetype k = 0; k < run.times.size(); ++k) {
            const QPoint p(columnOf(run.times.at(k)), rowOf(double(k)));
            const qint64 dx = p.x() - pixel.x();
            const qint64 dy = p.y() - pixel.y();
            const qint64 d = dx * dx + dy * dy;
            if (!nearest || d < best) {
                best = d;
                nearest = RunPoint{run.notch, run.times.at(k), int(k), run.distances.at(k)};
            }
        }
    }
    return nearest;
}

QString runPointText(const RunPoint& point) {
    return QStringLiteral("ノッチ %1　%2 s　%3 km/h　%4 m")
        .arg(point.notch + 1)
        .arg(QString::number(point.time, 'f', 1))
        .arg(point.speed)
        .arg(QString::number(point.distance, 'f', 0));
}

} // namespace Orlenda
