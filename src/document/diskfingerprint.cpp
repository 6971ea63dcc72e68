#include "document/diskfingerprint.h"

#include "shared/failure.h"
#include "shared/platform.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace Orlenda {

namespace {

qint64 modifiedMsOf(const QFileInfo& info) {
    const QDateTime time = info.lastModified();
    return time.isValid() ? time.toMSecsSinceEpoch() : 0;
}

} // namespace

qint64 modifiedMsOf(const QString& path) {
    return modifiedMsOf(QFileInfo(path));
}

DiskFingerprint fingerprintOfBytes(const QByteArray& bytes, qint64 modifiedMs) {
    DiskFingerprint print;
    print.size = bytes.size();
    print.modifiedMs = modifiedMs;
    print.sha256 = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return print;
}

DiskFingerprint fingerprintOfBytes(const QString& path, const QByteArray& bytes) {
    return fingerprintOfBytes(bytes, modifiedMsOf(path));
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
