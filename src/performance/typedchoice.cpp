#include "performance/typedchoice.h"

#include "document/halfwidthtext.h"
#include "performance/performancefigures.h"

#include <QRegularExpression>

namespace Orlenda {

namespace {

constexpr int MaxWholeDigits = 15;
constexpr int MinBrakeSpeed = 1;

} // namespace

std::optional<qint64> typedDecimalUnits(const QString& text, int decimals) {
    static const QRegularExpression number(
        QStringLiteral("^([+-]?)(\\d*)(?:\\.(\\d*))?$"));
    QString plain = halfWidthText(text).trimmed();
    for (const QString& unit : {QStringLiteral("‰"), QStringLiteral("km/h")}) {
        if (plain.endsWith(unit)) {
            plain.chop(unit.size());
            plain = plain.trimmed();
        }
    }
    const QRegularExpressionMatch m = number.match(plain);
    if (!m.hasMatch())
        return std::nullopt;
    QString whole = m.captured(2);
    const QString fraction = m.captured(3);
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    while (whole.size() > 1 && whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    if (whole.size() > MaxWholeDigits)
        return std::nullopt;

    // The kept digits as one whole number, then the dropped ones decide.
    const QString kept = fraction.left(decimals).leftJustified(decimals, QLatin1Char('0'));
    qint64 units = (whole + kept).toLongLong();
    const QString dropped = fraction.mid(decimals);
    if (!dropped.isEmpty() && dropped.front() >= QLatin1Char('5')) {
        const bool beyondHalf = dropped.front() > QLatin1Char('5') ||
                                QStringView(dropped).mid(1).contains(QRegularExpression(
                                    QStringLiteral("[1-9]")));
        if (beyondHalf || units % 2 != 0)
            ++units;
    }
    return m.captured(1) == QLatin1String("-") ? -units : units;
}

std::optional<double> typedGrade(const QString& text) {
    const std::optional<qint64> tenths = typedDecimalUnits(text, 1);
    if (!tenths || *tenths < MinGrade * 10 || *tenths > MaxGrade * 10)
        return std::nullopt;
    // 0.0 rather than -0.0, so that the box shows what is used.
    return *tenths == 0 ? 0.0 : double(*tenths) / 10;
}

std::optional<int> typedBrakeSpeed(const QString& text) {
    const std::optional<qint64> speed = typedDecimalUnits(text, 0);
    if (!speed || *speed < MinBrakeSpeed || *speed > TopSpeedKmh)
        return std::nullopt;
    return int(*speed);
}

QString gradeRefusal() {
    return QStringLiteral("勾配は %1 から %2 まで（‰、小数第 1 位まで）の数値で入力してください。")
        .arg(MinGrade)
        .arg(MaxGrade);
}

QString brakeSpeedRefusal() {
    return QStringLiteral("ブレーキ初速は %1 から %2 まで（km/h）の整数で入力してください。")
        .arg(MinBrakeSpeed)
        .arg(TopSpeedKmh);
}

} // namespace Orlenda
