#pragma once

#include "sound/soundfolder.h"

#include <QMap>
#include <QString>
#include <QVariantMap>
#include <optional>

namespace Orlenda {

// Which file each sound number plays: the folder's default rule, except the
// numbers the author gave another file or none.
class SoundAssignment {
public:
    // Sound numbers are the motor-sound table's non-negative indexes.
    static constexpr int MaxNumber = 32767;

    // name empty: the number plays nothing.
    void assign(int number, const QString& name);
    // Back to the folder's default for the number.
    void clear(int number);
    bool isOverridden(int number) const { return mOverrides.contains(number); }
    const QMap<int, QString>& overrides() const { return mOverrides; }

    // The file name the number plays in folder, or none.
    std::optional<QString> fileFor(int number, const SoundFolder& folder) const;

    // For the settings; fromVariant skips what it does not understand (the
    // settings are read back from a file we do not trust).
    QVariantMap toVariant() const;
    static SoundAssignment fromVariant(const QVariantMap& map);

    friend bool operator==(const SoundAssignment&, const SoundAssignment&) = default;

private:
    QMap<int, QString> mOverrides;
};

} // namespace Orlenda
