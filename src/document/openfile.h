#pragma once

#include "document/trainfileformat.h"

#include <QString>

namespace Orlenda {

class Prompter;
class TrainData;

// Starts a new document and reads the train file at path into it, choosing the
// reader by the file's first field. On success the path, made absolute,
// becomes the document's path, and the fingerprint of the bytes read its disk
// fingerprint. A file that cannot be read at all is reported once under "OpenFile"
// and leaves a new document without a path, so that Save cannot overwrite it
// with defaults; so does a file that is not a train file (too large, binary,
// or without any section), and declining the unsupported-version question.
// In every case the document is unmodified afterwards.
// ProgramEndRequested propagates when the user chooses to end the program.
void openFile(TrainData& data, const QString& path, Prompter& prompter);

// Text of the question asked before reading a version outside the supported range.
QString unsupportedVersionQuestionText(const QString& path);

// Description of the failure reported when bytes of a file are not characters.
QString invalidBytesDescription(int line);

} // namespace Orlenda
