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

// Mass, motor-car share, adhesion limit and grade in one line.
QString summaryText(const PerformanceFigures& figures);

// Why figures are missing, one line per reason: the reason alone when every
// notch shares it, otherwise the notches first ("ノッチ 3: ..."); then the
// adhesion limit's and the braking table's ("常用ブレーキ: ...").
QStringList failureNotes(const PerformanceFigures& figures);

// What the figures were computed for, so that copies taken on different
// grades can be told apart once pasted.
struct FiguresContext {
    QString fileName;      // figuresFileName of the document
    QString referenceName; // empty without a reference
    int brakeFrom = 100;   // km/h, the run plot's braking speed
};

// A document's file name, or 新規ドキュメント for one never saved.
QString figuresFileName(const QString& path);

// File, grade, mass and brake speed (and the reference's file) in one line.
QString contextLine(const PerformanceFigures& figures, const FiguresContext& context);

// The context line, then both tables tab-separated with an empty line
// between them, as Ctrl+C copies them.
QString tablesForClipboard(const PerformanceFigures& figures, const PerformanceFigures* reference,
                           const FiguresContext& context);

} // namespace Orlenda
