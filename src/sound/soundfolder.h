#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace Orlenda {

// The audio files of one folder (.wav, .flac, .ogg in any case; not its
// sub-folders), by name only: nothing is opened until a sound is needed.
class SoundFolder {
public:
    SoundFolder() = default;
    // Lists path now; a folder that cannot be read lists nothing.
    explicit SoundFolder(const QString& path);

    QString path() const { return mPath; }
    // The names, in code-point order.
    const QStringList& files() const { return mFiles; }
    bool contains(const QString& name) const;
    QString filePath(const QString& name) const;

    // The file sound number n means by default: the name whose part before
    // the extension ends in n as a whole number, leading zeros allowed
    // ("3.wav", "motor3.wav", "Motor_03.ogg"); of several, the shortest
    // name, then the first in code-point order.
    std::optional<QString> defaultFile(int number) const;

    static bool isAudioFileName(const QString& name);
    // The number a name ends in, as the default rule reads it; none when the
    // part before the extension does not end in a digit or the number is
    // beyond any sound number.
    static std::optional<int> trailingNumber(const QString& name);

private:
    QString mPath;
    QStringList mFiles;
    QHash<int, QString> mDefaults;
};

} // namespace Orlenda
