#pragma once

#include "document/accelerationtable.h"
#include "document/controls.h"
#include "document/motorsoundtable.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>

namespace Orlenda {

// Everything a user can change in a document, as one value: what undo and
// redo put back. Texts and captions share their data with the document, and
// an unchanged motor-sound table is shared with the state before, so keeping
// a state costs little more than what changed.
struct DocumentState {
    struct List {
        int index = -1;
        bool enabled = true;
        QStringList entries;
        friend bool operator==(const List&, const List&) = default;
    };

    std::array<QString, TextFieldCount> texts;
    std::array<List, ListCount> lists;
    std::array<bool, CheckCount> checks{};
    AccelerationTable acceleration{};
    std::shared_ptr<const MotorSoundTable> motorSound;
};

// Whether two states hold the same values; a shared table is compared by its address.
bool sameState(const DocumentState& a, const DocumentState& b);

// Bytes that keeping both states costs, counting what they share once.
qsizetype stateBytes(const DocumentState& before, const DocumentState& after);

} // namespace Orlenda
