#pragma once

class QLineEdit;

namespace Orlenda {

// Whether a field shows its whole text without scrolling.
bool textFitsField(const QLineEdit* edit);

// A value wider than its field would otherwise show only its end ("E+19"):
// scrolls the field back to the start of its text.
void showTextStart(QLineEdit* edit);

// The whole text as the field's tool tip while it does not fit, none otherwise.
void updateOverflowToolTip(QLineEdit* edit);

} // namespace Orlenda
