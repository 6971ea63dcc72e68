#pragma once

#include "document/accelerationtable.h"

#include <QString>
#include <QStringView>

namespace Orlenda {

// The five fields of one notch in the acceleration window.
enum class NotchField { Accel1, Accel2, Speed1, Speed2, Curve };

// Stores a field's text into the row as the field's rule permits it: the
// leading number of the text, full-width digits and signs read as their ASCII
// twins (0 when there is none), accelerations limited to
// 0..5, the exponent to 1..4, speeds to 0 and above, rounded halves to even
// and limited to the 16-bit range. A first speed above the second drags the
// second up to it; a second speed below the first drags the first down.
void applyNotchField(AccelerationRow& row, NotchField field, QStringView text);

// The text a field shows for the row: floats as the writer writes them,
// speeds as whole numbers.
QString notchFieldText(const AccelerationRow& row, NotchField field);

} // namespace Orlenda
