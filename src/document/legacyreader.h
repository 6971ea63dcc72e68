#pragma once

#include <QString>

namespace Orlenda {

class Prompter;
class TrainData;

// Reads a legacy bracketed train file into data. text is the whole decoded
// file; position is just after the first field of its first line, which the
// format detection has consumed. Failures are reported under "OpenTrn".
void openTrn(TrainData& data, const QString& text, qsizetype position, Prompter& prompter);

// True when some line of text, the first one included, is a section head that
// openTrn recognises: a text without one holds no train data.
bool hasLegacySectionHead(const QString& text);

} // namespace Orlenda
