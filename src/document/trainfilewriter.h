#pragma once

#include <QString>

namespace Orlenda {

class Prompter;
class TrainData;

// The current train file format: fourteen sections, always 3,266 lines.
inline constexpr int TrainFileLineCount = 3266;

// The text written for a text field. A text that would not read back as
// itself, because it holds a comma or line end (it would split into two
// fields), starts with a blank (lost) or a double quote (taken as quoting),
// or starts with "#" (taken as a keyword), is written as the decimal text of
// its value instead: the leading number that its field's check reads from it.
// Every other text is written unchanged.
QString writtenFieldText(const QString& text);

// The whole file as text, every line ended by CR LF.
QString trainFileText(const TrainData& data);

// Writes the document to its documentPath in Shift-JIS. Any failure is
// reported once under "Save" and leaves an existing file as it was.
// Before replacing the file, asks whether to (No by default) when it has
// changed on disk since it was last opened or saved, or when the document
// asksBeforeReplacing and the file exists; No writes nothing. Returns whether
// the file was written; once it is, the document no longer counts as
// modified, its disk fingerprint is that of the bytes written and it no
// longer asks before replacing.
bool save(TrainData& data, Prompter& prompter);

// Writes the document to path, made absolute, as save does; only once the
// file is written does path become the document's path. A failure leaves the
// document's path and modified state as they were. The question before
// replacing is asked only when path is the document's own.
bool saveTo(TrainData& data, const QString& path, Prompter& prompter);

// The question asked before replacing a file that changed on disk.
QString changedOnDiskQuestionText(const QString& path);

} // namespace Orlenda
