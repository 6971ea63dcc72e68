#pragma once

#include <QStringList>

class QSettings;

namespace Orlenda {

// The files last opened or saved, newest first, as the File menu lists them.
// Kept in the settings, which may hold anything: an entry that is not an
// absolute path of reasonable length without control characters is ignored.
class RecentFiles {
public:
    static constexpr int Capacity = 3;

    void load(QSettings& settings);
    void store(QSettings& settings) const;

    // Puts path first, once; the oldest falls off beyond the capacity.
    void add(const QString& path);
    void remove(const QString& path);

    const QStringList& paths() const { return mPaths; }

private:
    QStringList mPaths;
};

// What the editor tells when a listed file no longer exists.
QString missingRecentFileText(const QString& path);

// What the editor tells, dropping the entry, when a chosen listed file is
// gone or is no longer a file at all (a folder, a FIFO, a socket or a
// device, which reading would refuse or wait on); empty when it may be opened.
QString recentFileRefusal(const QString& path);

} // namespace Orlenda
