#include "motorsound/motorsoundreadout.h"

#include "document/numbertext.h"
#include "motorsound/motorsoundgeometry.h"

#include <algorithm>

namespace Orlenda {

QString motorSoundReadout(double x, double y, bool hexScale) {
    const double fromBottom = std::clamp(GraphHeight - 1 - y, -1.0e9, 1.0e9);
    const int value = int(roundHalfEven(fromBottom)) / 2;
    const QString valueText =
        hexScale ? QString::number(value, 16).toUpper() : QString::number(value);
    return QLatin1Char(' ') + doubleText(x * 0.2) + QStringLiteral(", ") + valueText;
}

} // namespace Orlenda
