#pragma once

#include "performance/performancefigures.h"

#include <QJsonObject>
#include <QString>

namespace Orlenda {

// The figures as orlenda-cli prints them. A reference, when given, is
// printed after the document's figures.

// The window's tables in Japanese, rounded as the window rounds them, with
// the summary line and the reasons for missing figures.
QString performanceText(const PerformanceFigures& figures, const PerformanceFigures* reference);

// One header line and one line per notch (the notch keys of the JSON, then
// time_V and distance_V for each V), an empty line and the braking table
// (speed,time,distance); a reference repeats both after another empty line.
// Numbers unrounded, an empty field for none.
QString performanceCsv(const PerformanceFigures& figures, const PerformanceFigures* reference);

// English keys, numbers unrounded, null for none; a reference as the same
// object again under "reference".
QJsonObject performanceJson(const PerformanceFigures& figures, const PerformanceFigures* reference);

} // namespace Orlenda
