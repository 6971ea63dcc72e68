#include "motorsound/motorsoundcsv.h"

#include "document/motorsoundtext.h"
#include "document/textfile.h"
#include "motorsound/motorsoundtool.h"
#include "shared/failure.h"
#include "shared/platform.h"

#include <QFile>
#include <QList>
#include <charconv>
#include <limits>

namespace Orlenda {

namespace {

constexpr int FieldCount = 4;

QByteArray speedText(int row) {
    return motorSoundRowSpeed(row).toLatin1();
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

QByteArrayView trimmed(QByteArrayView field) {
    while (!field.isEmpty() && isBlank(field.front()))
        field = field.sliced(1);
    while (!field.isEmpty() && isBlank(field.back()))
        field.chop(1);
    return field;
}

// The fields of one line, without the blanks around them and without the
// double quotes a spreadsheet may put around any of them. A quoted field
// keeps a doubled quote inside as it is: no number or name holds one.
struct Fields {
    QByteArrayView items[FieldCount];
    int count = 0;
    QString problem;
};

QString fieldCountText() {
    return QStringLiteral("項目が %1 つではありません。").arg(FieldCount);
}

Fields splitFields(QByteArrayView line) {
    Fields fields;
    qsizetype at = 0;
    for (;;) {
        if (fields.count == FieldCount) {
            fields.problem = fieldCountText();
            return fields;
        }
        while (at < line.size() && isBlank(line.at(at)))
            ++at;
        QByteArrayView item;
        if (at < line.size() && line.at(at) == '"') {
            const qsizetype from = at + 1;
            qsizetype close = from;
            while (close < line.size() && (line.at(close) != '"' ||
                                           (close + 1 < line.size() && line.at(close + 1) == '"')))
                close += line.at(close) == '"' ? 2 : 1;
            if (close >= line.size()) {
                fields.problem = QStringLiteral("引用符 (\") が閉じていません。");
                return fields;
            }
            item = trimmed(line.sliced(from, close - from));
            at = close + 1;
            while (at < line.size() && isBlank(line.at(at)))
                ++at;
            if (at < line.size() && line.at(at) != ',') {
                fields.problem = QStringLiteral("引用符 (\") の後ろに区切りのコンマがありません。");
                return fields;
            }
        } else {
            const qsizetype comma = line.indexOf(',', at);
            const qsizetype end = comma < 0 ? line.size() : comma;
            item = trimmed(line.sliced(at, end - at));
            at = end;
        }
        fields.items[fields.count++] = item;
        if (at >= line.size())
            break;
        ++at; // the comma
    }
    if (fields.count != FieldCount)
        fields.problem = fieldCountText();
    return fields;
}

// One plus sign may stand before the digits, never before another sign.
QByteArrayView withoutPlus(QByteArrayView field) {
    if (field.size() > 1 && field.front() == '+' && (isDigit(field.at(1)) || field.at(1) == '.'))
        return field.sliced(1);
    return field;
}

bool readWhole(QByteArrayView field, std::int16_t& value) {
    field = withoutPlus(field);
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
    field = withoutPlus(field);
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

QString speedCaption() {
    return QStringLiteral("速度");
}

// The names in the header are the file's, in ASCII; the message names the
// columns as the window does, so that it reads as Japanese throughout.
QString headerText() {
    return QStringLiteral("見出しが正しくありません。%1、%2、%3、%4の 4 つの見出し "
                          "(書き出したファイルの 1 行目) が必要です。")
        .arg(speedCaption(), motorSoundToolCaption(MotorSoundTool::Index),
             motorSoundToolCaption(MotorSoundTool::Pitch),
             motorSoundToolCaption(MotorSoundTool::Volume));
}

QString tooLargeText() {
    return QStringLiteral("ファイルが大きすぎます (%1 メガバイトまでです)。")
        .arg(MaxMotorSoundCsvSize / (1024 * 1024));
}

MotorSoundCsvResult failed(int line, QString problem) {
    MotorSoundCsvResult result;
    result.badLine = line;
    result.problem = std::move(problem);
    return result;
}

bool isHeader(QByteArrayView line) {
    const Fields fields = splitFields(line);
    if (!fields.problem.isEmpty())
        return false;
    const QList<QByteArray> names = QByteArray(MotorSoundCsvHeader).split(',');
    for (int i = 0; i < FieldCount; ++i) {
        const QByteArrayView name = fields.items[i];
        if (name.size() != names.at(i).size() ||
            qstrnicmp(name.data(), names.at(i).constData(), size_t(name.size())) != 0)
            return false;
    }
    return true;
}

// Why one row's line is bad, or an empty text when it is good.
QString rowProblem(QByteArrayView line, int row, MotorSoundEntry& entry) {
    const Fields fields = splitFields(line);
    if (!fields.problem.isEmpty())
        return fields.problem;
    if (!speedMatches(fields.items[0], row))
        return QStringLiteral("%1は %2 でなければなりません。")
            .arg(speedCaption(), QString::fromLatin1(speedText(row)));
    const std::pair<std::int16_t*, MotorSoundTool> values[] = {
        {&entry.index, MotorSoundTool::Index},
        {&entry.pitch, MotorSoundTool::Pitch},
        {&entry.volume, MotorSoundTool::Volume}};
    for (int i = 0; i < 3; ++i) {
        if (!readWhole(fields.items[i + 1], *values[i].first))
            return QStringLiteral("%1は %2 から %3 の整数でなければなりません。")
                .arg(motorSoundToolCaption(values[i].second))
                .arg(std::numeric_limits<std::int16_t>::min())
                .arg(std::numeric_limits<std::int16_t>::max());
    }
    return {};
}

} // namespace

QString MotorSoundCsvResult::errorText() const {
    return badLine > 0 ? QStringLiteral("%1 行目: %2").arg(badLine).arg(problem) : problem;
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
            if (!isHeader(line))
                return failed(1, headerText());
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

MotorSoundCsvResult readMotorSoundCsvFile(const QString& path) {
    QFile file;
    try {
        PlatformFile::openForReading(file, path);
    } catch (const StepFailure& failure) {
        // The path is shown beside the problem already.
        return failed(0, failureDescription(failure.kind()));
    }
    if (file.size() > MaxMotorSoundCsvSize)
        return failed(0, tooLargeText());
    // A file that grows meanwhile is read one byte beyond the limit, no further.
    const QByteArray bytes = file.read(MaxMotorSoundCsvSize + 1);
    if (file.error() != QFileDevice::NoError)
        return failed(0, failureDescription(Failure::DeviceIo));
    if (bytes.size() > MaxMotorSoundCsvSize)
        return failed(0, tooLargeText());
    return readMotorSoundCsv(bytes);
}

void writeMotorSoundCsvFile(const QString& path, const QByteArray& bytes) {
    writeWholeFile(path, bytes);
}

} // namespace Orlenda
