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

// What reading a CSV gave: the track, or the first bad line's number (from 1)
// and what is wrong with it, in which case track is not to be used.
struct MotorSoundCsvResult {
    MotorSoundTrack track{};
    int badLine = 0;
    QString problem;

    bool ok() const { return badLine == 0; }
    // "12 行目: ..." for the user.
    QString errorText() const;
};

// Accepts LF or CR LF and a leading UTF-8 BOM. The header, then exactly 800
// rows in order: each speed compared as a number with its row's, the other
// three whole numbers of the 16-bit range. Empty lines may only follow the
// last row.
MotorSoundCsvResult readMotorSoundCsv(QByteArrayView bytes);

// The file boundary of CSV files. Reading takes regular files only and
// reads at most one byte beyond MaxMotorSoundCsvSize; StepFailure when the
// file cannot be read.
QByteArray readMotorSoundCsvFile(const QString& path);
// Every CSV is written through here; StepFailure when it cannot be written,
// leaving an existing file as it was.
void writeMotorSoundCsvFile(const QString& path, const QByteArray& bytes);

} // namespace Orlenda
