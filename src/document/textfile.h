#pragma once

#include <QByteArray>
#include <QString>

namespace Orlenda {

// The file boundary: bytes on disk to text and back. Nothing else in the
// program touches encodings or files directly.

// UTF-8 when the bytes start with its byte-order mark (dropped) or are valid
// UTF-8 holding at least one multi-byte character; Shift-JIS otherwise.
QString decodeTrainFileBytes(const QByteArray& bytes);

// Shift-JIS bytes of text; StepFailure(CannotEncode) naming the characters
// that have no Shift-JIS form.
QByteArray encodeShiftJis(const QString& text);

// Reads a whole file; StepFailure(FileNotFound, ...) and the like when it cannot.
QByteArray readWholeFile(const QString& path);

// Replaces the file at path with bytes, or leaves it exactly as it was:
// the bytes go to a temporary file that is renamed over the target only
// when complete. StepFailure describing the cause when anything fails.
void writeWholeFile(const QString& path, const QByteArray& bytes);

} // namespace Orlenda
