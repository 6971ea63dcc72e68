#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace Orlenda {

// Asks for the sound folder, starting at current; empty for no.
using FolderChooser = std::function<QString(QWidget* parent, const QString& current)>;
// Asks where to write a WAV file; empty for no.
using WavPathChooser = std::function<QString(QWidget* parent)>;

// The dialogs, icons by name only like the project's other file dialogs; a
// name typed without an extension gets ".wav".
FolderChooser soundFolderDialog();
WavPathChooser wavPathDialog(const QString& suggestedName);

} // namespace Orlenda
