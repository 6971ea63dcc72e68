#include "motorsound/motorsoundcsv.h"

#include "document/motorsoundtext.h"
#include "document/textfile.h"
#include "shared/failure.h"

#include <QFile>
#include <QFileInfo>
#include <charconv>
#include <limits>

namespace Orlenda {

namespace {

constexpr int FieldCount = 4;

QByteArray speedText(int row) {
    return motorSoundRowSpeed(row).toLatin1();
}

QByteArrayView trimmed(QByteArrayView field) {
    while (!field.isEmpty() && (field.front() == ' ' || field.front() == '\t'))
        field = field.sliced(1);
    while (!field.isEmpty() && (field.back() == ' ' || field.back() == '\t'))
        field.chop(1);
    return field;
}

bool readWhole(QByteArrayView field, std::int16_t& value) {
    field = trimmed(field);
    if (field.size() > 1 && field.front() == '+')
        field = field.sliced(1);
    int number = 0;
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, number);
    if (field.isEmpty() || error != std::errc() || stop != end ||
        number < std::numeric_limits<std::int16_t>::min() ||
        number > std::numeric_limits<std::int16_t>::max())
        return false;
    value = std::int16_t(number);
    return true;
}

// The speed as a number equal to the row's: both sides are the nearest
// double to the same decimal, so "42.6", "42.60" and "4.26e1" all match.
bool speedMatches(QByteArrayView field, int row) {
    field = trimmed(field);
    double speed = 0;
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, speed);
    return !field.isEmpty() && error == std::errc() && stop == end &&
           speed == row / double(MotorSoundRowsPerKmh);
}

bool onlyLineEnds(QByteArrayView rest) {
    for (char c : rest) {
        if (c != '\r' && c != '\n')
            return false;
    }
    return true;
}

QString tooManyRowsText() {
    return QStringLiteral("%1 行を超えています。").arg(MotorSoundRows);
}

QString tooFewRowsText() {
    return QStringLiteral("行が足りません (%1 行が必要です)。").arg(MotorSoundRows);
}

MotorSoundCsvResult failed(int line, QString problem) {
    MotorSoundCsvResult result;
    result.badLine = line;
    result.problem = std::move(problem);
    return result;
}

// Why one row's line is bad, or an empty text when it is good.
QString rowProblem(QByteArrayView line, int row, MotorSoundEntry& entry) {
    QByteArrayView fields[FieldCount];
    int count = 0;
    qsizetype from = 0;
    for (;;) {
        const qsizetype comma = line.indexOf(',', from);
        if (count == FieldCount)
            return QStringLiteral("項目が 4 つではありません。");
        fields[count++] = line.sliced(from, (comma < 0 ? line.size() : comma) - from);
        if (comma < 0)
            break;
        from = comma + 1;
    }
    if (count != FieldCount)
        return QStringLiteral("項目が 4 つではありません。");
    if (!speedMatches(fields[0], row))
        return QStringLiteral("速度は %1 でなければなりません。")
            .arg(QString::fromLatin1(speedText(row)));
    const std::pair<std::int16_t*, const char*> values[] = {
        {&entry.index, "index"}, {&entry.pitch, "pitch"}, {&entry.volume, "volume"}};
    for (int i = 0; i < 3; ++i) {
        if (!readWhole(fields[i + 1], *values[i].first))
            return QStringLiteral("%1 は -32768 から 32767 の整数でなければなりません。")
                .arg(QLatin1String(values[i].second));
    }
    return {};
}

} // namespace

QString MotorSoundCsvResult::errorText() const {
    return QStringLiteral("%1 行目: %2").arg(badLine).arg(problem);
}

QByteArray motorSoundCsv(const MotorSoundTrack& track) {
    QByteArray csv;
    csv.reserve(24 * MotorSoundRows);
    csv += MotorSoundCsvHeader;
    csv += '\n';
    for (int r = 0; r < MotorSoundRows; ++r) {
        const MotorSoundEntry& e = track[std::size_t(r)];
        csv += speedText(r) + ',' + QByteArray::number(e.index) + ',' +
               QByteArray::number(e.pitch) + ',' + QByteArray::number(e.volume) + '\n';
    }
    return csv;
}

MotorSoundCsvResult readMotorSoundCsv(QByteArrayView bytes) {
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom))
        bytes = bytes.sliced(bom.size());
    MotorSoundCsvResult result;
    qsizetype from = 0;
    for (int lineNumber = 1;; ++lineNumber) {
        const qsizetype newline = bytes.indexOf('\n', from);
        const qsizetype end = newline < 0 ? bytes.size() : newline;
        QByteArrayView line = bytes.sliced(from, end - from);
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArrayView rest = bytes.sliced(end);
        const int row = lineNumber - 2;
        if (lineNumber == 1) {
            if (line != QByteArrayView(MotorSoundCsvHeader))
                return failed(1, QStringLiteral("見出しは %1 でなければなりません。")
                                     .arg(QLatin1String(MotorSoundCsvHeader)));
        } else if (row >= MotorSoundRows) {
            if (!onlyLineEnds(bytes.sliced(from)))
                return failed(lineNumber, tooManyRowsText());
            return result;
        } else if (line.isEmpty() && onlyLineEnds(rest)) {
            return failed(lineNumber, tooFewRowsText());
        } else {
            const QString problem = rowProblem(line, row, result.track[std::size_t(row)]);
            if (!problem.isEmpty())
                return failed(lineNumber, problem);
        }
        if (newline < 0) {
            if (row + 1 < MotorSoundRows)
                return failed(lineNumber + 1, tooFewRowsText());
            return result;
        }
        from = newline + 1;
    }
}

QByteArray readMotorSoundCsvFile(const QString& path) {
    const QFileInfo info(path);
    // A pipe or device could block the window or never end.
    if (info.exists() && !info.isFile())
        throw StepFailure(Failure::BadFileName, path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StepFailure(info.exists() ? Failure::DeviceIo : Failure::FileNotFound, path);
    const QByteArray bytes = file.read(MaxMotorSoundCsvSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw StepFailure(Failure::DeviceIo, path);
    return bytes;
}

void writeMotorSoundCsvFile(const QString& path, const QByteArray& bytes) {
    writeWholeFile(path, bytes);
}

} // namespace Orlenda
