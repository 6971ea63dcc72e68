#include "sound/soundassignment.h"

namespace Orlenda {

void SoundAssignment::assign(int number, const QString& name) {
    if (number >= 0 && number <= MaxNumber)
        mOverrides.insert(number, name);
}

void SoundAssignment::clear(int number) {
    mOverrides.remove(number);
}

std::optional<QString> SoundAssignment::fileFor(int number, const SoundFolder& folder) const {
    const auto it = mOverrides.constFind(number);
    if (it == mOverrides.cend())
        return folder.defaultFile(number);
    if (it->isEmpty())
        return std::nullopt;
    return *it;
}

QVariantMap SoundAssignment::toVariant() const {
    QVariantMap map;
    for (auto it = mOverrides.cbegin(); it != mOverrides.cend(); ++it)
        map.insert(QString::number(it.key()), it.value());
    return map;
}

SoundAssignment SoundAssignment::fromVariant(const QVariantMap& map) {
    SoundAssignment assignment;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        bool ok = false;
        const int number = it.key().toInt(&ok);
        if (!ok || number < 0 || number > MaxNumber || it.value().typeId() != QMetaType::QString)
            continue;
        const QString name = it.value().toString();
        // A name only: a path could reach outside the folder.
        if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name == u".." ||
            name.size() > 255)
            continue;
        assignment.assign(number, name);
    }
    return assignment;
}

} // namespace Orlenda
