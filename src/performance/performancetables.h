#pragma once

#include "performance/performancefigures.h"
#include "performance/texttable.h"

namespace Orlenda {

// The figures as the performance window shows them: km/h/s to 3 decimals,
// km/h, s and kW to 1, m to whole metres, "—" where there is no figure. With
// a reference each column of the document is followed by the reference's and
// by the difference (document less reference).

// One column per notch, one row per figure.
TextTable notchTable(const PerformanceFigures& figures, const PerformanceFigures* reference);

// Service braking from 10, 20, ..., 160 km/h.
TextTable brakingTable(const PerformanceFigures& figures, const PerformanceFigures* reference);

// Mass, adhesion limit and grade in one line.
QString summaryText(const PerformanceFigures& figures);

// Why figures are missing, one line per reason: the reason alone when every
// notch shares it, otherwise the notches first ("ノッチ 3: ...").
QStringList failureNotes(const PerformanceFigures& figures);

// Both tables tab-separated, an empty line between them, as Ctrl+C copies them.
QString tablesForClipboard(const PerformanceFigures& figures, const PerformanceFigures* reference);

} // namespace Orlenda
