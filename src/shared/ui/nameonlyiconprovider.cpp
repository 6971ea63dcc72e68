#include "shared/ui/nameonlyiconprovider.h"

#include <QFileInfo>
#include <QMimeDatabase>

namespace Orlenda {

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
    if (info.isRoot())
        return icon(Drive);
    return icon(info.isDir() ? Folder : File);
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
    // Folders, drives and links are told apart by the file system alone.
    if (!info.isFile())
        return QFileIconProvider::type(info);
    const QMimeType mime =
        QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    return mime.comment().isEmpty() ? mime.name() : mime.comment();
}

} // namespace Orlenda
