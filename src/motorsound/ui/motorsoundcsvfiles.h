#pragma once

#include "document/motorsoundtable.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace Orlenda {

class Prompter;

// Asks for a CSV file to write (forSaving) or to read; empty for no.
using CsvPathChooser = std::function<QString(QWidget* parent, bool forSaving)>;

// The file dialogs (icons by name only); a name typed without an extension
// gets ".csv" when saving.
CsvPathChooser csvPathDialog(const QString& suggestedName);

// Writes the track to a chosen file; a failure is told with the path,
// captioned like the window.
void exportTrackCsv(QWidget* window, const MotorSoundTrack& track, const CsvPathChooser& choose,
                    Prompter& prompter);
// Reads a track from a chosen file; the first bad line is told with its
// number, and none is returned.
std::optional<MotorSoundTrack> importTrackCsv(QWidget* window, const CsvPathChooser& choose,
                                              Prompter& prompter);

} // namespace Orlenda
