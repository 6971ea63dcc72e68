#pragma once

#include <QString>

namespace Orlenda {

class Prompter;
class TrainData;

// Reads a legacy bracketed train file into data. text is the whole decoded
// file; position is just after the first field of its first line, which the
// format detection has consumed. Failures are reported under "OpenTrn".
void openTrn(TrainData& data, const QString& text, qsizetype position, Prompter& prompter);

} // namespace Orlenda
