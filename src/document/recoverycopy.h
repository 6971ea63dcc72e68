#pragma once

#include "document/diskfingerprint.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <optional>

namespace Orlenda {

class Prompter;
class TrainData;

// A copy is never larger than twice the largest file Open reads (Shift-JIS
// grows to UTF-8); a larger file in the copies' folder is not read at all.
// A copy is "<name>.recovery", held by the lock file "<name>.recovery.lock".
inline constexpr QLatin1StringView RecoveryCopySuffix(".recovery");
inline constexpr QLatin1StringView RecoveryLockSuffix(".lock");

inline constexpr qint64 MaxRecoveryCopySize = 4 * 1024 * 1024;
// The header is read on its own, before anything is asked; one that does not
// end within this many bytes is damage.
inline constexpr qsizetype MaxRecoveryHeaderSize = 16 * 1024;

// What a recovery copy says of itself before its body: where the document
// came from, when the copy was written, what the file was when the document
// last read or wrote it, and the length and SHA-256 of the body, so that a
// copy cut short or followed by anything is known as damage. Version 1 copies
// (written before the checksum) have neither fingerprint nor checksum.
struct RecoveryCopyHeader {
    int version = 0;
    QString documentPath; // empty for a new document
    QDateTime time;
    DiskFingerprint fileFingerprint;
    qint64 bodyLength = -1; // -1: not recorded (version 1)
    QByteArray bodySha256;
    qsizetype bodyOffset = 0;

    bool hasChecksum() const { return bodyLength >= 0; }
    // A copy without a checksum may only be restored under a path that
    // names one file wherever the editor starts.
    bool mayRestoreUnderPath() const;
};

// The document and where it came from: a copy's body read as a train file in
// the current layout, but in UTF-8 so that every character survives (even
// one that Shift-JIS has not).
struct RecoveryCopy {
    QString documentPath;
    QDateTime time;
    QString text;
    DiskFingerprint fileFingerprint;
};

QByteArray recoveryCopyBytes(const TrainData& data, const QDateTime& time);

// The header at the start of a copy; bytes may end anywhere after it. None
// when the start is no copy's header.
std::optional<RecoveryCopyHeader> parseRecoveryCopyHeader(QByteArrayView start);

// Whether bytes are the whole copy that header announces: its length and,
// with a checksum, the body's SHA-256. A version 1 copy cannot be checked.
bool recoveryCopyIsIntact(const RecoveryCopyHeader& header, QByteArrayView bytes);

// The copy in bytes, when it is whole and checks out; none otherwise.
std::optional<RecoveryCopy> parseRecoveryCopy(const QByteArray& bytes);

// Whatever follows the header, read as a document of its own: what can still
// be had from a damaged copy. Empty when there is no header.
QString recoveryCopyBodyText(const QByteArray& bytes);

// Makes the copy the document, with its path and the file's fingerprint; the
// document asks before its first save replaces a file that has changed since
// (or may have: no fingerprint). The rules run and the questions are asked as
// when a file is opened, but declining one stops the restoring instead of
// ending the program: the document is then new and false returned.
bool restoreRecoveryCopy(TrainData& data, const RecoveryCopy& copy, Prompter& prompter);

// Reads text as a document without a path, as when restoring; false (and a
// new document) when the user declined a question.
bool restoreRecoveryText(TrainData& data, const QString& text, Prompter& prompter);

} // namespace Orlenda
