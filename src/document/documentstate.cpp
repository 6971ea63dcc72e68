#include "document/documentstate.h"

namespace Orlenda {

namespace {

qsizetype textBytes(const QString& text) {
    return text.size() * qsizetype(sizeof(QChar));
}

qsizetype listBytes(const DocumentState::List& list) {
    qsizetype bytes = 0;
    for (const QString& entry : list.entries)
        bytes += textBytes(entry);
    return bytes;
}

} // namespace

bool sameState(const DocumentState& a, const DocumentState& b) {
    if (a.motorSound != b.motorSound &&
        (!a.motorSound || !b.motorSound || *a.motorSound != *b.motorSound))
        return false;
    return a.texts == b.texts && a.checks == b.checks && a.acceleration == b.acceleration &&
           a.lists == b.lists;
}

qsizetype stateBytes(const DocumentState& before, const DocumentState& after) {
    qsizetype bytes = 2 * qsizetype(sizeof(DocumentState));
    for (int i = 0; i < TextFieldCount; ++i) {
        const QString& a = before.texts[std::size_t(i)];
        const QString& b = after.texts[std::size_t(i)];
        bytes += textBytes(a) + (a.constData() == b.constData() ? 0 : textBytes(b));
    }
    for (int i = 0; i < ListCount; ++i)
        bytes += listBytes(before.lists[std::size_t(i)]) + listBytes(after.lists[std::size_t(i)]);
    const qsizetype table = qsizetype(sizeof(MotorSoundTable));
    bytes += before.motorSound ? table : 0;
    bytes += after.motorSound && after.motorSound != before.motorSound ? table : 0;
    return bytes;
}

} // namespace Orlenda
