#pragma once

#include <QString>
#include <QStringList>

namespace Orlenda {

class Prompter;
class TrainData;

// The current train file format: fourteen sections, always 3,266 lines.
inline constexpr int TrainFileLineCount = 3266;

QStringList trainFileLines(const TrainData& data);

// The whole file as text, every line ended by CR LF.
QString trainFileText(const TrainData& data);

// Writes the document to its DocumentPath in Shift-JIS. Any failure is
// reported once under "Save" and leaves an existing file as it was.
// Returns whether the file was written.
bool save(const TrainData& data, Prompter& prompter);

} // namespace Orlenda
