#include "performance/performancereport.h"

#include "performance/performancetables.h"

#include <QJsonArray>
#include <QLocale>

namespace Orlenda {

namespace {

QJsonValue json(const std::optional<double>& v) {
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

QJsonValue json(const std::optional<bool>& v) {
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

QJsonValue json(const std::optional<int>& v) {
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

QJsonArray json(const SpeedFigures& figures) {
    QJsonArray list;
    for (const SpeedFigure& f : figures)
        list.append(QJsonObject{{QStringLiteral("speed"), f.speed},
                                {QStringLiteral("time"), json(f.time)},
                                {QStringLiteral("distance"), json(f.distance)}});
    return list;
}

QJsonObject figuresJson(const PerformanceFigures& figures) {
    QJsonArray notches;
    for (int i = 0; i < NotchCount; ++i) {
        const NotchFigures& n = figures.notches[std::size_t(i)];
        notches.append(QJsonObject{
            {QStringLiteral("notch"), i + 1},
            {QStringLiteral("startAcceleration"), json(n.startAcceleration)},
            {QStringLiteral("canStart"), json(n.canStart)},
            {QStringLiteral("balancingSpeed"), json(n.balancingSpeed)},
            {QStringLiteral("balancingAbove"), json(n.balancingAbove)},
            {QStringLiteral("maxPower"), json(n.maxPower)},
            {QStringLiteral("maxPowerSpeed"), json(n.maxPowerSpeed)},
            {QStringLiteral("startTractiveEffort"), json(n.startTractiveEffort)},
            {QStringLiteral("maxPowerPerTonne"), json(n.maxPowerPerTonne)},
            {QStringLiteral("adhesionExceeded"), json(n.adhesionExceeded)},
            {QStringLiteral("runs"), n.runs ? QJsonValue(json(*n.runs)) : QJsonValue()},
        });
    }
    return {{QStringLiteral("grade"), figures.grade},
            {QStringLiteral("mass"), json(figures.mass)},
            {QStringLiteral("motorShare"), json(figures.motorShare)},
            {QStringLiteral("adhesionLimit"), json(figures.adhesionLimit)},
            {QStringLiteral("notches"), notches},
            {QStringLiteral("braking"), json(figures.braking)}};
}

QString csv(const std::optional<double>& v) {
    return v ? QString::number(*v, 'g', QLocale::FloatingPointShortest) : QString();
}

QString csv(const std::optional<bool>& v) {
    return v ? QString::fromLatin1(*v ? "true" : "false") : QString();
}

QString csv(const std::optional<int>& v) {
    return v ? QString::number(*v) : QString();
}

QString csvTables(const PerformanceFigures& figures) {
    QStringList head{QStringLiteral("notch"),
                     QStringLiteral("startAcceleration"),
                     QStringLiteral("canStart"),
                     QStringLiteral("balancingSpeed"),
                     QStringLiteral("balancing_above"),
                     QStringLiteral("maxPower"),
                     QStringLiteral("maxPowerSpeed"),
                     QStringLiteral("startTractiveEffort"),
                     QStringLiteral("maxPowerPerTonne"),
                     QStringLiteral("adhesionExceeded")};
    for (int i = 1; i <= SpeedStepCount; ++i)
        head << QStringLiteral("time_%1").arg(i * SpeedStep)
             << QStringLiteral("distance_%1").arg(i * SpeedStep);
    QString text = head.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (int i = 0; i < NotchCount; ++i) {
        const NotchFigures& n = figures.notches[std::size_t(i)];
        QStringList line{QString::number(i + 1),  csv(n.startAcceleration),
                         csv(n.canStart),         csv(n.balancingSpeed),
                         csv(n.balancingAbove),   csv(n.maxPower),
                         csv(n.maxPowerSpeed),    csv(n.startTractiveEffort),
                         csv(n.maxPowerPerTonne), csv(n.adhesionExceeded)};
        for (int k = 0; k < SpeedStepCount; ++k) {
            const SpeedFigure run = n.runs ? n.runs->at(std::size_t(k)) : SpeedFigure{};
            line << csv(run.time) << csv(run.distance);
        }
        text += line.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    text += QStringLiteral("\nspeed,time,distance\n");
    for (const SpeedFigure& f : figures.braking)
        text += QStringLiteral("%1,%2,%3\n")
                    .arg(QString::number(f.speed), csv(f.time), csv(f.distance));
    return text;
}

// A field in double quotes, its own quotes doubled, as spreadsheets read it.
QString quotedField(QString text) {
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QString csvContextLine(const PerformanceFigures& figures, const FiguresContext& context) {
    QStringList line{QStringLiteral("#file"),      quotedField(context.fileName),
                     QStringLiteral("grade"),      csv(std::optional<double>(figures.grade)),
                     QStringLiteral("mass"),       csv(figures.mass),
                     QStringLiteral("motorShare"), csv(figures.motorShare),
                     QStringLiteral("brake_from"), QString::number(context.brakeFrom)};
    if (!context.referenceName.isEmpty())
        line << QStringLiteral("reference") << quotedField(context.referenceName);
    return line.join(QLatin1Char(',')) + QLatin1Char('\n');
}

QString textOf(const PerformanceFigures& figures, const QString& title) {
    QString text = title + QLatin1Char('\n') + summaryText(figures) + QLatin1Char('\n');
    for (const QString& note : failureNotes(figures))
        text += QStringLiteral("※ ") + note + QLatin1Char('\n');
    return text;
}

} // namespace

QString performanceText(const PerformanceFigures& figures, const PerformanceFigures* reference,
                        const FiguresContext& context) {
    QString text = contextLine(figures, context) + QLatin1Char('\n') +
                   textOf(figures, QStringLiteral("性能表（エディタのモデルによる推定値）"));
    if (reference)
        text += QLatin1Char('\n') + textOf(*reference, QStringLiteral("比較ファイル"));
    text +=
        QLatin1Char('\n') + alignedText(notchTable(figures, reference)) + QLatin1Char('\n') +
        QStringLiteral("常用ブレーキ（勾配 %1 ‰）\n").arg(QString::number(figures.grade, 'g', 4)) +
        alignedText(brakingTable(figures, reference));
    return text;
}

QString performanceCsv(const PerformanceFigures& figures, const PerformanceFigures* reference,
                       const FiguresContext& context) {
    QString text = csvContextLine(figures, context) + csvTables(figures);
    if (reference)
        text += QLatin1Char('\n') + csvTables(*reference);
    return text;
}

QJsonObject performanceJson(const PerformanceFigures& figures,
                            const PerformanceFigures* reference) {
    QJsonObject object = figuresJson(figures);
    if (reference)
        object.insert(QStringLiteral("reference"), figuresJson(*reference));
    return object;
}

} // namespace Orlenda
