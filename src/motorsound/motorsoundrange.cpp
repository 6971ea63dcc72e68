#include "motorsound/motorsoundrange.h"

#include "document/halfwidthtext.h"
#include "document/motorsoundtext.h"
#include "document/numbertext.h"
#include "motorsound/motorsoundgeometry.h"
#include "motorsound/motorsoundtools.h"

#include <cmath>

namespace Orlenda {

namespace {

constexpr int HighestValue = GraphHeight / 2 - 1;

std::optional<double> typedNumber(const QString& text) {
    double value = 0;
    const QString half = halfWidthText(text).trimmed();
    if (half.isEmpty())
        return std::nullopt;
    try {
        value = strictNumber(half);
    } catch (const StepFailure&) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> typedRow(const QString& text) {
    const std::optional<double> speed = typedNumber(text);
    if (!speed || !(*speed >= 0 && *speed <= (MotorSoundRows - 1) / double(MotorSoundRowsPerKmh)))
        return std::nullopt;
    return int(roundHalfEven(*speed * MotorSoundRowsPerKmh));
}

std::optional<int> typedValue(const QString& text) {
    const std::optional<double> value = typedNumber(text);
    if (!value || *value != std::floor(*value) || *value < 0 || *value > HighestValue)
        return std::nullopt;
    return int(*value);
}

QString valueRangeText(const char* name) {
    return QStringLiteral("%1は 0 から %2 までの整数で入力してください。")
        .arg(QString::fromUtf8(name))
        .arg(HighestValue);
}

MotorSoundRangeParse refused(QString error) {
    return {std::nullopt, std::move(error)};
}

} // namespace

MotorSoundRangeParse parseMotorSoundRange(const MotorSoundRangeInput& input) {
    MotorSoundRange range;
    const std::optional<int> from = typedRow(input.fromSpeed);
    const std::optional<int> to = typedRow(input.toSpeed);
    if (!from || !to)
        return refused(QStringLiteral("速度は 0 から %1 まで（km/h）の数値で入力してください。")
                           .arg(motorSoundRowSpeed(MotorSoundRows - 1)));
    range.fromRow = *from;
    range.toRow = *to;
    if (input.index && (*input.index < SilentSoundIndex || *input.index > LargestSoundIndex))
        return refused(QStringLiteral("音は無音 (%1) から %2 までで選んでください。")
                           .arg(SilentSoundIndex)
                           .arg(LargestSoundIndex));
    range.index = input.index;
    const std::pair<const std::optional<std::pair<QString, QString>>*,
                    std::optional<std::pair<int, int>>*>
        values[] = {{&input.pitch, &range.pitch}, {&input.volume, &range.volume}};
    const char* names[] = {"ピッチ", "音量"};
    for (int i = 0; i < 2; ++i) {
        const auto& typed = *values[i].first;
        if (!typed)
            continue;
        const std::optional<int> a = typedValue(typed->first);
        const std::optional<int> b = typedValue(typed->second);
        if (!a || !b)
            return refused(valueRangeText(names[i]));
        *values[i].second = std::pair{*a, *b};
    }
    return {range, {}};
}

void applyMotorSoundRange(MotorSoundTrack& track, const MotorSoundRange& range,
                          GuardedSteps& steps) {
    // A copy is never made here; the buffer only satisfies the tools' signature.
    MotorSoundCopyBuffer unused;
    auto endPoint = [](int row, int value) { return QPoint(row, lowerPixelOfValue(value)); };
    if (range.index) {
        const MotorSoundEdit edit{MotorSoundTool::Index, endPoint(range.fromRow, 0),
                                  endPoint(range.toRow, 0), *range.index};
        applyMotorSoundEdit(track, unused, edit, steps);
    }
    for (const auto& [tool, values] : {std::pair{MotorSoundTool::Pitch, range.pitch},
                                       std::pair{MotorSoundTool::Volume, range.volume}}) {
        if (!values)
            continue;
        const MotorSoundEdit edit{tool, endPoint(range.fromRow, values->first),
                                  endPoint(range.toRow, values->second)};
        applyMotorSoundEdit(track, unused, edit, steps);
    }
}

} // namespace Orlenda
