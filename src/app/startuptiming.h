#pragma once

class QWidget;

namespace Orlenda {

// Ends the program as soon as window has painted for the first time.
void quitAfterFirstPaint(QWidget& window);

} // namespace Orlenda
