#pragma once

#include "document/controls.h"

#include <QString>
#include <optional>

namespace Orlenda {

class TrainData;

// What a field accepts: whole fields are rounded (halves to even) before they
// are limited; every whole value also stays within the signed 16-bit range.
struct FieldRange {
    bool whole = false;
    std::optional<double> lower;
    std::optional<double> upper;
};

FieldRange fieldRange(TextId field);

// The field's own correction of a typed text, without the rules that tie it to
// other fields. Any text, number or not, gives a permitted value; full-width
// digits, signs and letters read like their ASCII twins.
QString normalisedFieldText(TextId field, const QString& typed);

// Run when a field loses focus: corrects its text in the document and applies
// the rules that tie it to its partners (delay pairs, reservoir limits, the
// leading car of a train without trailers).
void applyFieldCheck(TrainData& data, TextId field);

} // namespace Orlenda
