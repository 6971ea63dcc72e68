#pragma once

#include <QImage>
#include <QPoint>

namespace Orlenda {

// The figure that follows the pointer during an edit, drawn in exclusive-or
// white so that drawing the same figure again restores the image exactly.
class RubberBand {
public:
    enum class Shape {
        None,
        // The outline from (start x, 0) to (end x, bottom): the full height of the columns.
        Columns,
        // The straight line from start to end.
        Line,
    };

    // Each pixel of the figure inside the image is flipped exactly once, so
    // corners and one-pixel figures restore as well as the rest.
    static void draw(QImage& image, Shape shape, QPoint start, QPoint end);
};

} // namespace Orlenda
