#pragma once

#include "document/shiftjisdecoder.h"

#include <QByteArray>
#include <QString>

namespace Orlenda {

// The file boundary: bytes on disk to text and back. Nothing else in the
// program touches encodings or files directly.

// No train file comes near this size (a written one is about 40 KB, fifty
// times less): a larger file is refused before it is read, and a text this
// large without a section is still refused within a tenth of a second.
inline constexpr qint64 MaxTrainFileSize = 2 * 1024 * 1024;

// A current-format file (first field starting with the product word) is
// Shift-JIS. Any file starting with the UTF-8 byte-order mark (dropped) is
// UTF-8; so is a legacy file whose bytes are valid UTF-8. Shift-JIS otherwise.
DecodedText decodeTrainFile(const QByteArray& bytes);
QString decodeTrainFileBytes(const QByteArray& bytes);

// True when bytes hold a control byte that no text file holds (NUL and the
// like); tab, line ends, form feed and Ctrl-Z are text.
bool holdsBinaryBytes(const QByteArray& bytes);

// Shift-JIS bytes of text; StepFailure(CannotEncode) naming the characters
// that have no Shift-JIS form.
QByteArray encodeShiftJis(const QString& text);

// Reads a whole regular file; StepFailure(FileNotFound, ...) and the like
// when it cannot, at once for a folder, FIFO, socket or device.
QByteArray readWholeFile(const QString& path);

// Reads a file that should be a train file: as readWholeFile, and
// StepFailure(NotATrainFile, path) for a file larger than MaxTrainFileSize
// (found before it is read) or one that holds binary bytes.
QByteArray readTrainFileBytes(const QString& path);

// Replaces the file at path with bytes, or leaves it exactly as it was
// (writeFileAtomically). StepFailure describing the cause when anything fails.
void writeWholeFile(const QString& path, const QByteArray& bytes);

} // namespace Orlenda
