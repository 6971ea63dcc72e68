#pragma once

#include <QString>

namespace Orlenda {

// The text of an undo or redo entry: the word, then the step it would take
// back or make again ("元に戻す: ピッチ"); the word alone when there is none.
QString undoLabel(const QString& step);
QString redoLabel(const QString& step);

} // namespace Orlenda
