#pragma once

#include <QString>
#include <functional>

class QAction;
class QWidget;

namespace Orlenda {

class Prompter;
class ReferenceTrain;

// Asks which train file to compare with; an empty name means the user cancelled.
using ReferencePathChooser = std::function<QString(QWidget* parent)>;

struct ReferenceActions {
    QAction* open = nullptr; // "比較ファイルを開く...", mnuReferenceOpen
    QAction* clear = nullptr; // "比較をやめる", mnuReferenceClear; enabled while a reference is set
};

// The two reference commands as actions owned by owner. Opening asks for a
// file and reads it with its questions through prompter; a No only stops
// reading it.
ReferenceActions makeReferenceActions(QWidget* owner, ReferenceTrain& reference, Prompter& prompter,
                                      ReferencePathChooser choosePath);

} // namespace Orlenda
