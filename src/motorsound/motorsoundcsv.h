#pragma once

#include "document/motorsoundtable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace Orlenda {

// A track as CSV, for a spreadsheet or a script: UTF-8 without BOM, LF line
// ends, the header line, then one line per row, the speed with one decimal.
inline constexpr const char* MotorSoundCsvHeader = "speed_kmh,index,pitch,volume";
// Far beyond any real track (about 16 KB), small enough to read at once.
inline constexpr qint64 MaxMotorSoundCsvSize = 1024 * 1024;

QByteArray motorSoundCsv(const MotorSoundTrack& track);

// What reading a CSV gave: the track, or what is wrong, in which case track
// is not to be used. badLine is the first bad line's number (from 1), or 0
// when the file as a whole was refused.
struct MotorSoundCsvResult {
    MotorSoundTrack track{};
    int badLine = 0;
    QString problem;

    bool ok() const { return problem.isEmpty(); }
    // "12 行目: ..." for the user, or the file's problem alone.
    QString errorText() const;
};

// Accepts LF or CR LF and a leading UTF-8 BOM. The header (its names in any
// case, blanks around them), then exactly 800 rows in order: each speed
// compared as a number with its row's, the other three whole numbers of the
// 16-bit range. Any field may stand in double quotes, as spreadsheets write
// them. Empty lines may only follow the last row. Every problem is told in
// Japanese, the columns by the captions the motor-sound window gives them.
MotorSoundCsvResult readMotorSoundCsv(QByteArrayView bytes);

// Reads the CSV file at path and then its track as readMotorSoundCsv does.
// The file is opened as Open opens a train file, with the same refusals and
// words (a folder, a pipe, a missing or unreadable file); one larger than
// MaxMotorSoundCsvSize is refused before it is read.
MotorSoundCsvResult readMotorSoundCsvFile(const QString& path);

// Every CSV is written through here; StepFailure when it cannot be written,
// leaving an existing file as it was.
void writeMotorSoundCsvFile(const QString& path, const QByteArray& bytes);

} // namespace Orlenda
