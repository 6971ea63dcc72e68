#pragma once

#include <QString>

namespace Orlenda {

// Far beyond what the program keeps there (a few hundred bytes); a larger
// file would cost seconds and hundreds of megabytes to read.
inline constexpr qint64 MaxSettingsFileSize = 1024 * 1024;

// The file of the per-user settings, where QSettings keeps the program's
// native per-user store, found without making a QSettings: making one reads
// the file at once, and a FIFO there would never answer.
QString settingsFilePath();

// Why the settings must be left alone, as the file's path and the reason on
// two lines; empty when the file is missing or a regular file (links
// followed, as Qt follows them) of at most MaxSettingsFileSize. The lock
// file Qt makes beside it while writing must be missing or a file too.
// Checked without opening anything.
QString settingsFileProblem();

// The one notice of a start with the default settings, which are then never
// written.
QString unusableSettingsText(const QString& problem);

} // namespace Orlenda
