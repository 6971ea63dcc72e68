#pragma once

#include "performance/performancefigures.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <optional>

namespace Orlenda {

struct RunCurveChoices {
    QList<int> notches{0};  // 0..7, each run drawn once
    double grade = 0;       // per mille
    double brakeFrom = 100; // km/h
    // The document's file name (or 新規ドキュメント), kept in the picture's
    // Title text.
    QString title;
};

// The point of a run nearest to the pointer.
struct RunPoint {
    int notch = 0; // 0..7
    double time = 0;     // s
    int speed = 0;       // km/h
    double distance = 0; // m
};

// Speed over time: the runs from standstill on the chosen notches, each up to
// the last whole speed it still accelerates at (or 160 km/h) in its notch's
// colour, a reference train's runs of the same notches dashed in the same
// colours under them, and the service braking on the grade from a chosen
// speed, all from time 0. Speed up, 0..160 km/h over 288 rows; time across,
// scaled to the longest of them in steps of 1, 2 or 5 times a power of ten,
// with grid lines and axis numbers. What was drawn (file, notches, grade,
// braking speed, units) is kept as the picture's Title and Description texts,
// which a PNG carries as text chunks, so that the pixels stay those of the
// window.
class RunCurvePlot {
public:
    static constexpr int Width = 480;
    static constexpr int Height = 320;
    static constexpr int Left = 26;            // column of time 0
    static constexpr int Bottom = Height - 15; // row of 0 km/h
    static constexpr int Right = Width - 16;   // last column of the time axis
    static constexpr double RowsPerKmh = 1.8;

    RunCurvePlot();

    void redraw(const PerformanceTrain& train, const RunCurveChoices& choices,
                const PerformanceTrain* reference = nullptr);
    const QImage& image() const { return mImage; }

    static QColor brakingColor() { return QColor(255, 255, 255); }

    // The pixel of a time and a speed with the current time scale.
    int columnOf(double seconds) const;
    static int rowOf(double kmh);

    // The point of the document's runs last drawn that lies nearest to a
    // pixel; none when no run was drawn.
    std::optional<RunPoint> nearestRunPoint(QPoint pixel) const;

private:
    struct Run {
        int notch = 0;
        QList<double> times;     // at 0, 1, 2, ... km/h
        QList<double> distances; // m
    };

    QImage mImage;
    QList<Run> mRuns;
    double mSpan = 10;
    double mStep = 1;
};

// The read-out of a run point: notch, time, speed and distance.
QString runPointText(const RunPoint& point);

} // namespace Orlenda
