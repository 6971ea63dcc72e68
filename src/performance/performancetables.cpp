#include "performance/performancetables.h"

#include <QFileInfo>
#include <QMap>
#include <functional>

namespace Orlenda {

namespace {

const QString kNone = QStringLiteral("—");

QString fixed(const std::optional<double>& value, int decimals) {
    return value ? QString::number(*value, 'f', decimals) : kNone;
}

QString difference(const std::optional<double>& a, const std::optional<double>& b, int decimals) {
    if (!a || !b)
        return kNone;
    const QString text = QString::number(*a - *b, 'f', decimals);
    return text.startsWith(QLatin1Char('-')) ? text : QLatin1Char('+') + text;
}

std::optional<double> massInTonnes(const PerformanceFigures& figures) {
    return figures.mass ? std::optional<double>(*figures.mass / 1000) : std::nullopt;
}

QString gradeText(double grade) {
    return QString::number(grade, 'g', 4);
}

std::optional<double> asDouble(const std::optional<int>& v) {
    return v ? std::optional<double>(*v) : std::nullopt;
}

using Cell = TextTable::Cell;

// One figure of one notch as a cell, with the notch's mark where it applies.
struct NotchRow {
    QString head;
    // The value and its decimals; empty for yes/no figures.
    std::function<std::optional<double>(const NotchFigures&)> value;
    int decimals = 0;
    std::function<Cell(const NotchFigures&)> text; // a cell other than the plain value
    // Why a run's value is none, when it is not simply unreached; -1 for other rows.
    int run = -1;
};

const QString kCannotStart = QStringLiteral("この勾配では起動できません（起動加速度が 0 以下）");

Cell startCell(const NotchFigures& n) {
    Cell c{fixed(n.startAcceleration, 3)};
    if (!n.failure.isEmpty()) {
        c.tip = n.failure;
    } else if (n.canStart == false) {
        c.marked = true;
        c.tip = kCannotStart;
    }
    return c;
}

Cell balancingCell(const NotchFigures& n) {
    if (n.balancingSpeed)
        return Cell{fixed(n.balancingSpeed, 1)};
    if (n.balancingAbove)
        return Cell{QStringLiteral("%1 以上").arg(*n.balancingAbove),
                    QStringLiteral("%1 km/h でもまだ加速します").arg(*n.balancingAbove)};
    return Cell{kNone, n.failure.isEmpty() ? kCannotStart : n.failure};
}

QList<NotchRow> notchRows() {
    QList<NotchRow> rows;
    rows.append({QStringLiteral("起動加速度 [km/h/s]"),
                 [](const NotchFigures& n) { return n.startAcceleration; }, 3, startCell});
    rows.append({QStringLiteral("起動"), {}, 0, [](const NotchFigures& n) {
                     if (!n.canStart)
                         return Cell{n.failure.isEmpty() ? kNone : n.failure, n.failure, false};
                     if (*n.canStart)
                         return Cell{QStringLiteral("可")};
                     return Cell{QStringLiteral("不可"), kCannotStart, true};
                 }});
    rows.append({QStringLiteral("均衡速度 [km/h]"),
                 [](const NotchFigures& n) { return n.balancingSpeed; }, 1, balancingCell});
    rows.append(
        {QStringLiteral("最大出力 [kW]"), [](const NotchFigures& n) { return n.maxPower; }, 1, {}});
    rows.append({QStringLiteral("最大出力の速度 [km/h]"),
                 [](const NotchFigures& n) { return asDouble(n.maxPowerSpeed); },
                 0,
                 {}});
    rows.append({QStringLiteral("起動引張力 [kN]"),
                 [](const NotchFigures& n) { return n.startTractiveEffort; },
                 3,
                 {}});
    rows.append({QStringLiteral("1 t あたり最大出力 [kW/t]"),
                 [](const NotchFigures& n) { return n.maxPowerPerTonne; },
                 3,
                 {}});
    rows.append({QStringLiteral("粘着限界"), {}, 0, [](const NotchFigures& n) {
                     if (!n.adhesionExceeded)
                         return Cell{kNone, n.adhesionFailure};
                     if (*n.adhesionExceeded)
                         return Cell{QStringLiteral("超過"),
                                     QStringLiteral("停止時の加速度が粘着限界を超えています"
                                                    "（空転のおそれ）"),
                                     true};
                     return Cell{QStringLiteral("以内")};
                 }});
    for (int i = 0; i < SpeedStepCount; ++i) {
        const int v = (i + 1) * SpeedStep;
        const auto run = [i](const NotchFigures& n) {
            return n.runs ? n.runs->at(std::size_t(i)) : SpeedFigure{};
        };
        rows.append({QStringLiteral("0→%1 km/h 時間 [s]").arg(v),
                     [run](const NotchFigures& n) { return run(n).time; },
                     1,
                     {},
                     i});
        rows.append({QStringLiteral("0→%1 km/h 距離 [m]").arg(v),
                     [run](const NotchFigures& n) { return run(n).distance; },
                     0,
                     {},
                     i});
    }
    return rows;
}

Cell valueCell(const NotchRow& row, const NotchFigures& n) {
    Cell c{fixed(row.value(n), row.decimals)};
    if (!n.failure.isEmpty()) {
        c.tip = n.failure;
    } else if (row.run >= 0 && n.runs && !row.value(n)) {
        const QString& reason = n.runs->at(std::size_t(row.run)).reason;
        c.marked = reason.isEmpty();
        c.tip = c.marked ? QStringLiteral("この速度まで加速しません") : reason;
    }
    return c;
}

Cell notchCell(const NotchRow& row, const NotchFigures& n) {
    return row.text ? row.text(n) : valueCell(row, n);
}

} // namespace

TextTable notchTable(const PerformanceFigures& figures, const PerformanceFigures* reference) {
    TextTable table;
    for (int n = 1; n <= NotchCount; ++n) {
        table.columnHeaders << QStringLiteral("ノッチ %1").arg(n);
        if (reference)
            table.columnHeaders << QStringLiteral("比較 %1").arg(n)
                                << QStringLiteral("差 %1").arg(n);
    }
    const QList<NotchRow> rows = notchRows();
    for (int r = 0; r < rows.size(); ++r) {
        const NotchRow& row = rows.at(r);
        table.rowHeaders << row.head;
        QList<Cell> cells;
        for (int n = 0; n < NotchCount; ++n) {
            const NotchFigures& mine = figures.notches[std::size_t(n)];
            cells << notchCell(row, mine);
            if (reference) {
                const NotchFigures& theirs = reference->notches[std::size_t(n)];
                cells << notchCell(row, theirs);
                cells << Cell{row.value
                                  ? difference(row.value(mine), row.value(theirs), row.decimals)
                                  : QString()};
            }
        }
        table.rows << cells;
    }
    return table;
}

TextTable brakingTable(const PerformanceFigures& figures, const PerformanceFigures* reference) {
    TextTable table;
    table.columnHeaders << QStringLiteral("初速 [km/h]") << QStringLiteral("時間 [s]")
                        << QStringLiteral("距離 [m]");
    if (reference)
        table.columnHeaders << QStringLiteral("比較 時間 [s]") << QStringLiteral("比較 距離 [m]")
                            << QStringLiteral("差 時間 [s]") << QStringLiteral("差 距離 [m]");
    for (int i = 0; i < SpeedStepCount; ++i) {
        const SpeedFigure& mine = figures.braking[std::size_t(i)];
        QList<Cell> cells{{QString::number(mine.speed)},
                          {fixed(mine.time, 1), mine.reason},
                          {fixed(mine.distance, 0), mine.reason}};
        if (reference) {
            const SpeedFigure& theirs = reference->braking[std::size_t(i)];
            cells << Cell{fixed(theirs.time, 1), theirs.reason}
                  << Cell{fixed(theirs.distance, 0), theirs.reason}
                  << Cell{difference(mine.time, theirs.time, 1)}
                  << Cell{difference(mine.distance, theirs.distance, 0)};
        }
        table.rows << cells;
    }
    return table;
}

QString summaryText(const PerformanceFigures& figures) {
    return QStringLiteral("質量 %1 t　M車比率 %2 %　粘着限界 %3 km/h/s　勾配 %4 ‰"
                          "（加速・常用ブレーキとも）")
        .arg(fixed(massInTonnes(figures), 1), fixed(figures.motorShare, 1),
             fixed(figures.adhesionLimit, 3), gradeText(figures.grade));
}

QStringList failureNotes(const PerformanceFigures& figures) {
    QMap<QString, QStringList> notchesOf;
    QStringList order;
    for (int n = 0; n < NotchCount; ++n) {
        const NotchFigures& notch = figures.notches[std::size_t(n)];
        QStringList reasons{notch.failure};
        if (notch.runs) {
            for (const SpeedFigure& run : *notch.runs)
                reasons << run.reason;
        }
        reasons.removeAll(QString());
        reasons.removeDuplicates();
        for (const QString& reason : reasons) {
            if (!notchesOf.contains(reason))
                order << reason;
            notchesOf[reason] << QString::number(n + 1);
        }
    }
    QStringList notes;
    for (const QString& reason : order) {
        const QStringList& notches = notchesOf.value(reason);
        notes << (notches.size() == NotchCount
                      ? reason
                      : QStringLiteral("ノッチ %1: %2")
                            .arg(notches.join(QStringLiteral(", ")), reason));
    }
    if (!figures.adhesionFailure.isEmpty() && !notes.contains(figures.adhesionFailure))
        notes << figures.adhesionFailure;
    QStringList braking;
    for (const SpeedFigure& f : figures.braking) {
        if (!f.reason.isEmpty() && !braking.contains(f.reason))
            braking << f.reason;
    }
    for (const QString& reason : braking)
        notes << QStringLiteral("常用ブレーキ: ") + reason;
    return notes;
}

QString figuresFileName(const QString& path) {
    return path.isEmpty() ? QStringLiteral("新規ドキュメント") : QFileInfo(path).fileName();
}

QString contextLine(const PerformanceFigures& figures, const FiguresContext& context) {
    QString line = QStringLiteral("ファイル: %1　勾配 %2 ‰　質量 %3 t　ブレーキ初速 %4 km/h")
                       .arg(context.fileName, gradeText(figures.grade),
                            fixed(massInTonnes(figures), 1), QString::number(context.brakeFrom));
    if (!context.referenceName.isEmpty())
        line += QStringLiteral("　比較ファイル: ") + context.referenceName;
    return line;
}

QString tablesForClipboard(const PerformanceFigures& figures, const PerformanceFigures* reference,
                           const FiguresContext& context) {
    return contextLine(figures, context) + QLatin1Char('\n') +
           tabSeparated(notchTable(figures, reference)) + QLatin1Char('\n') +
           tabSeparated(brakingTable(figures, reference));
}

} // namespace Orlenda
