#include "form/fieldchecks.h"

#include "document/halfwidthtext.h"
#include "document/numbertext.h"
#include "document/traindata.h"
#include "shared/textutil.h"

namespace Orlenda {

namespace {

constexpr int MotorCarHead = 1;

double limited(double value, const FieldRange& range) {
    if (range.lower)
        value = maxOf(value, *range.lower);
    if (range.upper)
        value = minOf(value, *range.upper);
    return value;
}

// A typed whole value beyond 16 bits is limited like any other out-of-range value.
double wholeValue(const QString& text) { return double(toInt16Clamped(leadingNumber(text))); }

QString wholeText(double value) { return QString::number(qint64(value)); }

// Each delay's partner never exceeds it, whichever delay was edited.
void applyDelayPairs(TrainData& data) {
    for (int first : {0, 2, 4}) {
        const double lead = leadingNumber(data.text(txtDelay(first)));
        const double own = leadingNumber(data.text(txtDelay(first + 1)));
        data.setText(txtDelay(first + 1), doubleText(minOf(own, lead)));
    }
}

void applyReservoirRule(TrainData& data, int index) {
    const double value = leadingNumber(data.text(txtPrs(index)));
    if (index == 2) {
        const double upper = wholeValue(data.text(txtPrs(3)));
        data.setText(txtPrs(3), wholeText(maxOf(upper, value)));
    } else if (index == 3) {
        const double lower = wholeValue(data.text(txtPrs(2)));
        data.setText(txtPrs(2), wholeText(minOf(lower, value)));
    }
}

} // namespace

FieldRange fieldRange(TextId field) {
    const TextFieldInfo& info = textFieldInfo(field);
    switch (info.family) {
    case TextFamily::Per:
        return {false, 0.1, std::nullopt};
    case TextFamily::Delay:
        return {false, 0.0, 3.0};
    case TextFamily::Move:
        return {true, 1.0, 3000.0};
    case TextFamily::ElcStop:
        return {true, 0.0, 300.0};
    case TextFamily::Prs:
        return {true, 1.0, std::nullopt};
    case TextFamily::NotchDown:
        return {true, 0.0, 8.0};
    case TextFamily::Point:
        return {true, std::nullopt, std::nullopt};
    case TextFamily::AdaptLoad:
        return {true, 0.0, 30.0};
    case TextFamily::Car:
        switch (info.index) {
        case 1:
        case 3:
            return {true, 0.0, std::nullopt};
        case 4:
            return {false, 5.0, 25.0};
        default:
            return {false, 0.0, std::nullopt};
        }
    }
    return {};
}

QString normalisedFieldText(TextId field, const QString& typed) {
    const QString text = halfWidthText(typed);
    const FieldRange range = fieldRange(field);
    if (range.whole)
        return wholeText(limited(wholeValue(text), range));
    return doubleText(limited(leadingNumber(text), range));
}

void applyFieldCheck(TrainData& data, TextId field) {
    const TextFieldInfo& info = textFieldInfo(field);
    data.setText(field, normalisedFieldText(field, data.text(field)));
    switch (info.family) {
    case TextFamily::Delay:
        applyDelayPairs(data);
        break;
    case TextFamily::Prs:
        applyReservoirRule(data, info.index);
        break;
    case TextFamily::Car:
        // A train without trailer cars must lead with a motor car.
        if (info.index == 3 && leadingNumber(data.text(field)) <= 0)
            data.setListIndex(cbxHead, MotorCarHead);
        break;
    default:
        break;
    }
}

} // namespace Orlenda
