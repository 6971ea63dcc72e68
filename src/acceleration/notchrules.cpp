#include "acceleration/notchrules.h"

#include "document/halfwidthtext.h"
#include "document/numbertext.h"
#include "shared/textutil.h"

namespace Orlenda {

void applyNotchField(AccelerationRow& row, NotchField field, QStringView text) {
    const double value = leadingNumber(halfWidthText(text));
    switch (field) {
    case NotchField::Accel1:
        row.accel1 = float(minOf(maxOf(value, 0), 5));
        break;
    case NotchField::Accel2:
        row.accel2 = float(minOf(maxOf(value, 0), 5));
        break;
    case NotchField::Curve:
        row.curve = float(minOf(maxOf(value, 1), 4));
        break;
    case NotchField::Speed1:
        row.speed1 = toInt16Clamped(maxOf(value, 0));
        row.speed2 = std::int16_t(maxOf(row.speed2, row.speed1));
        break;
    case NotchField::Speed2:
        row.speed2 = toInt16Clamped(maxOf(value, 0));
        row.speed1 = std::int16_t(minOf(row.speed1, row.speed2));
        break;
    }
}

QString notchFieldText(const AccelerationRow& row, NotchField field) {
    switch (field) {
    case NotchField::Accel1:
        return floatText(row.accel1);
    case NotchField::Accel2:
        return floatText(row.accel2);
    case NotchField::Speed1:
        return QString::number(row.speed1);
    case NotchField::Speed2:
        return QString::number(row.speed2);
    case NotchField::Curve:
        break;
    }
    return floatText(row.curve);
}

} // namespace Orlenda
