#pragma once

#include <QString>
#include <functional>
#include <memory>

class QFileDialog;
class QImage;
class QWidget;

namespace Orlenda {

class Prompter;

// Asks where to save a picture; an empty name means the user cancelled.
using ImagePathChooser = std::function<QString(QWidget* parent)>;

// The save dialog for a picture: PNG, icons by name only.
std::unique_ptr<QFileDialog> pngSaveDialog(QWidget* parent, const QString& suggestedName);

// A chooser showing the save dialog (icons by name only, so listing a folder
// such as /proc cannot freeze it) that suggests suggestedName and adds
// ".png" to a name typed without an extension.
ImagePathChooser pngPathDialog(const QString& suggestedName);

// Asks for a path and writes image there as PNG; a failure is shown to the
// user through prompter. Nothing happens when the user cancels.
void saveImageAsPng(QWidget* window, Prompter& prompter, const QImage& image,
                    const ImagePathChooser& choosePath);

} // namespace Orlenda
