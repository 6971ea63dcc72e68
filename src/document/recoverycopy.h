#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace Orlenda {

class Prompter;
class TrainData;

// What a recovery copy holds: the document as the current layout writes it,
// but in UTF-8 so that every character survives (even one that Shift-JIS has
// not), where it came from and when it was written.
struct RecoveryCopy {
    QString documentPath; // empty for a new document
    QDateTime time;
    QString text;
};

QByteArray recoveryCopyBytes(const TrainData& data, const QDateTime& time);
// None for bytes that are not a recovery copy.
std::optional<RecoveryCopy> parseRecoveryCopy(const QByteArray& bytes);

// Makes the copy the document, with its original path. The rules run as when
// a file is read; a damaged copy asks at most as many questions as an open.
// ProgramEndRequested propagates.
void restoreRecoveryCopy(TrainData& data, const RecoveryCopy& copy, Prompter& prompter);

// The question asked about a copy at start-up.
QString recoveryQuestionText(const RecoveryCopy& copy);

} // namespace Orlenda
