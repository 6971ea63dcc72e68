#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace Orlenda {

// What a file on disk was when the document last read or wrote it, so that a
// save can tell whether someone else has changed it since.
struct DiskFingerprint {
    qint64 size = -1; // -1: nothing known (a new document)
    qint64 modifiedMs = 0; // milliseconds since the epoch, UTC
    QByteArray sha256;

    bool isKnown() const { return size >= 0; }
    friend bool operator==(const DiskFingerprint&, const DiskFingerprint&) = default;
};

// The fingerprint of bytes just written to path: their size and hash, and the
// file's time as it now stands.
DiskFingerprint fingerprintOfBytes(const QString& path, const QByteArray& bytes);

// The fingerprint of bytes read from a file whose time was modifiedMs just
// before the read. Taken before, the time can only make a later check look
// closer (and hash), never hide a change made while the file was read.
DiskFingerprint fingerprintOfBytes(const QByteArray& bytes, qint64 modifiedMs);

// The file's modification time, in milliseconds since the epoch; 0 when it
// has none.
qint64 modifiedMsOf(const QString& path);

enum class DiskState { Unchanged, Changed, Missing };

// Whether the file at path still is what known describes. A changed time
// alone (a touch) is no change; the file is hashed only when its size is the
// same and its time differs. A file that cannot be read counts as changed.
// Nothing known: Unchanged when missing, else Changed.
DiskState diskStateOf(const QString& path, const DiskFingerprint& known);

} // namespace Orlenda
