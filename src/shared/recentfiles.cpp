#include "shared/recentfiles.h"

#include "shared/platform.h"

#include <QDir>
#include <QSettings>

namespace Orlenda {

namespace {

const QString Group = QStringLiteral("RecentFiles");

QString key(int number) {
    return QStringLiteral("File%1").arg(number);
}

bool isUsablePath(const QVariant& value) {
    if (value.typeId() != QMetaType::QString)
        return false;
    const QString path = value.toString();
    if (path.isEmpty() || path.size() > 4096 || !QDir::isAbsolutePath(path))
        return false;
    for (QChar c : path) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}

} // namespace

QString missingRecentFileText(const QString& path) {
    return path + QStringLiteral("\nこのファイルは見つかりません。最近使ったファイルの一覧から削除しました。");
}

QString recentFileRefusal(const QString& path) {
    const QString dropped = QStringLiteral("最近使ったファイルの一覧から削除しました。");
    switch (PlatformFile::kindOf(path)) {
    case FileKind::Missing:
        return missingRecentFileText(path);
    case FileKind::Folder:
        return path + QStringLiteral("\nこれはファイルではなくフォルダーです。") + dropped;
    case FileKind::Fifo:
    case FileKind::Socket:
    case FileKind::Device:
        return path +
               QStringLiteral(
                   "\nこれは通常のファイルではありません (デバイス、パイプ、ソケット)。") +
               dropped;
    case FileKind::Regular:
    case FileKind::Unreachable:
        // Opening says why a file it cannot reach cannot be read; it may be
        // reachable again another time.
        break;
    }
    return {};
}

void RecentFiles::load(QSettings& settings) {
    mPaths.clear();
    settings.beginGroup(Group);
    for (int i = 1; i <= Capacity; ++i) {
        const QVariant value = settings.value(key(i));
        if (isUsablePath(value) && !mPaths.contains(value.toString()))
            mPaths << value.toString();
    }
    settings.endGroup();
}

void RecentFiles::store(QSettings& settings) const {
    settings.beginGroup(Group);
    for (int i = 1; i <= Capacity; ++i) {
        if (i <= mPaths.size())
            settings.setValue(key(i), mPaths.at(i - 1));
        else
            settings.remove(key(i));
    }
    settings.endGroup();
}

void RecentFiles::add(const QString& path) {
    mPaths.removeAll(path);
    mPaths.prepend(path);
    while (mPaths.size() > Capacity)
        mPaths.removeLast();
}

void RecentFiles::remove(const QString& path) {
    mPaths.removeAll(path);
}

} // namespace Orlenda
