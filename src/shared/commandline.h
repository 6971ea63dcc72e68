#pragma once

#include <QString>
#include <QStringList>

namespace Orlenda {

// The raw command-line text the program would have been handed whole: the
// arguments joined by blanks, an argument containing a blank in double quotes.
QString rawCommandLine(const QStringList& arguments);

// The path named by a raw command line: a leading double-quoted text, or else
// the text up to the first blank. Empty when the line is empty.
QString commandLinePath(const QString& rawText);

} // namespace Orlenda
