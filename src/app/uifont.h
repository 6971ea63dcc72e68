#pragma once

#include <QFont>

namespace Orlenda {

// The Japanese UI font at 9 point: "MS UI Gothic" where installed, else a CJK sans.
QFont japaneseUiFont();

} // namespace Orlenda
