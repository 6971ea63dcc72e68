#include "document/diskfingerprint.h"

#include "shared/failure.h"
#include "shared/platform.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace Orlenda {

namespace {

qint64 modifiedMsOf(const QFileInfo& info) {
    return info.lastModified().toMSecsSinceEpoch();
}

} // namespace

DiskFingerprint fingerprintOfBytes(const QString& path, const QByteArray& bytes) {
    DiskFingerprint print;
    print.size = bytes.size();
    print.modifiedMs = modifiedMsOf(QFileInfo(path));
    print.sha256 = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return print;
}

DiskState diskStateOf(const QString& path, const DiskFingerprint& known) {
    const FileKind kind = PlatformFile::kindOf(path);
    if (kind == FileKind::Missing)
        return DiskState::Missing;
    if (!known.isKnown() || kind != FileKind::Regular)
        return DiskState::Changed;
    const QFileInfo info(path);
    if (info.size() != known.size)
        return DiskState::Changed;
    if (modifiedMsOf(info) == known.modifiedMs)
        return DiskState::Unchanged;
    QFile file;
    try {
        PlatformFile::openForReading(file, path);
    } catch (const StepFailure&) {
        return DiskState::Changed;
    }
    // Read no more than the size we know: a file that grows meanwhile differs.
    const QByteArray bytes = file.read(known.size + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() != known.size)
        return DiskState::Changed;
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256) == known.sha256
               ? DiskState::Unchanged
               : DiskState::Changed;
}

} // namespace Orlenda
