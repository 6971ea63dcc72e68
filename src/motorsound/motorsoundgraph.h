#pragma once

#include "document/motorsoundtable.h"

#include <QColor>
#include <QImage>

namespace Orlenda {

// What the graph shows besides the table: the track being edited, the one
// drawn behind it for reference, and the grid's scale.
struct MotorSoundView {
    int currentTrack = 0;
    int previousTrack = 0;
    bool hexScale = false;
};

// Paints the whole motor-sound graph: black, the grid, the previous track in
// the dark palette entries, then the current track on top in the bright ones.
class MotorSoundGraph {
public:
    // Rows whose sound index has no palette entry (outside -1..7).
    static QColor unknownIndexColor() { return QColor(192, 192, 192); }
    static QColor gridColor() { return QColor(64, 64, 64); }

    static QImage render(const MotorSoundTable& table, const MotorSoundView& view);
    // Repaints image in place; it is made 800 x 800 RGB32 first if it is not.
    static void paint(QImage& image, const MotorSoundTable& table, const MotorSoundView& view);
};

} // namespace Orlenda
