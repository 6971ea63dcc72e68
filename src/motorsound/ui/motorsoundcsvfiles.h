#pragma once

#include "document/motorsoundtable.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace Orlenda {

// Asks for a CSV file to write (forSaving) or to read; empty for no.
using CsvPathChooser = std::function<QString(QWidget* parent, bool forSaving)>;
// Tells the user why something could not be done.
using NoticeShower = std::function<void(QWidget* parent, const QString& text)>;

// The file dialogs (icons by name only); a name typed without an extension
// gets ".csv" when saving.
CsvPathChooser csvPathDialog(const QString& suggestedName);
// A warning box captioned like the window.
NoticeShower warningBox();

// Writes the track to a chosen file; a failure is shown with the path.
void exportTrackCsv(QWidget* window, const MotorSoundTrack& track, const CsvPathChooser& choose,
                    const NoticeShower& notice);
// Reads a track from a chosen file; the first bad line is shown with its
// number, and none is returned.
std::optional<MotorSoundTrack> importTrackCsv(QWidget* window, const CsvPathChooser& choose,
                                              const NoticeShower& notice);

} // namespace Orlenda
