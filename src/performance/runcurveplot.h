#pragma once

#include "performance/performancefigures.h"

#include <QColor>
#include <QImage>

namespace Orlenda {

struct RunCurveChoices {
    int notch = 0;          // 0..7
    double grade = 0;       // per mille
    double brakeFrom = 100; // km/h
};

// Speed over time: the run from standstill on one notch up to the last whole
// speed it still accelerates at (or 160 km/h), and the service braking from a
// chosen speed on level track, both from time 0. Speed up, 0..160 km/h over
// 288 rows; time across, scaled to the longer of the two in steps of 1, 2 or
// 5 times a power of ten, with grid lines and axis numbers.
class RunCurvePlot {
public:
    static constexpr int Width = 480;
    static constexpr int Height = 320;
    static constexpr int Left = 26;            // column of time 0
    static constexpr int Bottom = Height - 15; // row of 0 km/h
    static constexpr int Right = Width - 16;   // last column of the time axis
    static constexpr double RowsPerKmh = 1.8;

    RunCurvePlot();

    void redraw(const PerformanceTrain& train, const RunCurveChoices& choices);
    const QImage& image() const { return mImage; }

    // The time at the right end of the axis and its grid step, both in s.

    static QColor brakingColor() { return QColor(255, 255, 255); }

    // The pixel of a time and a speed with the current time scale.
    int columnOf(double seconds) const;
    static int rowOf(double kmh);

private:
    QImage mImage;
    double mSpan = 10;
    double mStep = 1;
};

} // namespace Orlenda
