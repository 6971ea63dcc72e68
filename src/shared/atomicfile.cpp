#include "shared/atomicfile.h"

#include "shared/failure.h"
#include "shared/platform.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>

namespace Orlenda {

namespace {

// The file a dangling link names, to be created in its place: the link's
// text read from the link's own folder, as the system would read it (no
// clean-up of "..", which could name another file through a link). A chain
// of dangling links is followed a few steps.
QString danglingLinkTarget(const QString& path) {
    QString target = path;
    for (int step = 0; step < 8; ++step) {
        const QString text = PlatformFile::linkText(target);
        if (text.isEmpty())
            break;
        target =
            QDir::isAbsolutePath(text) ? text : QFileInfo(target).path() + QLatin1Char('/') + text;
    }
    return target;
}

} // namespace

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    writeFileAtomically(path, bytes, AtomicWriteOptions{});
}

void writeFileAtomically(const QString& path, const QByteArray& bytes,
                         const AtomicWriteOptions& options) {
    if (path.isEmpty())
        throw StepFailure(Failure::BadFileName, path);
    const bool link = QFileInfo(path).isSymLink();
    // Replaced itself, a link in a place of our own names nothing to check.
    const FileKind kind =
        !options.followLinks && link ? FileKind::Missing : PlatformFile::kindOf(path);
    if (const auto refused = PlatformFile::kindFailure(kind))
        throw StepFailure(*refused, path);
    const QString target = !options.followLinks || !link ? path
                           : kind == FileKind::Regular   ? QFileInfo(path).canonicalFilePath()
                           : kind == FileKind::Missing   ? danglingLinkTarget(path)
                                                         : path;
    if (QFileInfo(target).fileName().isEmpty())
        throw StepFailure(Failure::BadFileName, path);
    if (kind == FileKind::Regular) {
        // Never write around a protection the file has; not even root is
        // refused more than the system would refuse it.
        if (const auto refused = PlatformFile::writeAccessFailure(target, options.followLinks))
            throw StepFailure(*refused, path);
    }
    const QString folder = QFileInfo(target).path();

    PlatformFile file;
    const QString model = kind == FileKind::Regular ? target : QString();
    if (const auto failure = file.createTemporary(folder, model, options.mode))
        throw StepFailure(*failure, path);
    auto failed = [&](Failure failure) {
        file.discard();
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
