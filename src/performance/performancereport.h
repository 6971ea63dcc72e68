#pragma once

#include "performance/performancefigures.h"
#include "performance/performancetables.h"

#include <QJsonObject>
#include <QString>

namespace Orlenda {

// The figures as orlenda-cli prints them. A reference, when given, is
// printed after the document's figures.

// The context line, then the window's tables in Japanese, rounded as the
// window rounds them, with the summary line and the reasons for missing figures.
QString performanceText(const PerformanceFigures& figures, const PerformanceFigures* reference,
                        const FiguresContext& context);

// A context line beginning with '#' (file name quoted, grade, mass, motor
// share, brake speed), one header line and one line per notch (the notch
// keys of the JSON, balancing_above, then time_V and distance_V for each V),
// an empty line and the braking table (speed,time,distance); a reference
// repeats both tables after another empty line. Numbers unrounded, an empty
// field for none.
QString performanceCsv(const PerformanceFigures& figures, const PerformanceFigures* reference,
                       const FiguresContext& context);

// English keys, numbers unrounded, null for none; a reference as the same
// object again under "reference".
QJsonObject performanceJson(const PerformanceFigures& figures, const PerformanceFigures* reference);

} // namespace Orlenda
