#include "shared/atomicfile.h"

#include "shared/failure.h"
#include "shared/platform.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>

namespace Orlenda {

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    writeFileAtomically(path, bytes, AtomicWriteOptions{});
}

void writeFileAtomically(const QString& path, const QByteArray& bytes,
                         const AtomicWriteOptions& options) {
    Q_UNUSED(options); // not yet honoured
    if (path.isEmpty())
        throw StepFailure(Failure::BadFileName, path);
    const FileKind kind = PlatformFile::kindOf(path);
    if (const auto refused = PlatformFile::kindFailure(kind))
        throw StepFailure(*refused, path);
    const QFileInfo info(path);
    const QString target =
        kind == FileKind::Regular && info.isSymLink() ? info.canonicalFilePath() : path;
    if (QFileInfo(target).fileName().isEmpty())
        throw StepFailure(Failure::BadFileName, path);
    const QString folder = QFileInfo(target).path();

    PlatformFile file;
    if (const auto failure = file.createTemporary(folder, kind == FileKind::Regular ? target : QString()))
        throw StepFailure(*failure, path);
    auto failed = [&](Failure failure) {
        PlatformFile::remove(file.path());
        throw StepFailure(failure, path);
    };
    if (const auto failure = file.write(bytes))
        failed(*failure);
    if (const auto failure = file.syncAndClose())
        failed(*failure);
    if (const auto failure = PlatformFile::rename(file.path(), target))
        failed(*failure);
    PlatformFile::syncFolder(folder);
}

void writePngFile(const QString& path, const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        throw StepFailure(Failure::Unexpected, path);
    writeFileAtomically(path, bytes);
}

} // namespace Orlenda
