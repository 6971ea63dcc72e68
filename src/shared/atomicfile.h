#pragma once

#include <QByteArray>
#include <QString>

class QImage;

namespace Orlenda {

// Replaces the file at path with bytes, or leaves it exactly as it was: the
// bytes go to a new file beside it, which is flushed to the disk and then
// renamed over the target. Where the system allows, that file has no name
// until it is complete, so a program killed meanwhile leaves nothing behind.
// A replaced file keeps its permission bits; a link keeps pointing at the
// file it names, and a dangling link gets its file created. A file the user
// may not write (ReadOnlyFile), or one in a folder the user may not write
// (FolderNotWritable: no writing in place), is refused, as are a folder,
// FIFO, socket or device, before anything is written, whoever runs the
// program. Every file the programs write goes through here. StepFailure
// naming the cause.
void writeFileAtomically(const QString& path, const QByteArray& bytes);

// For files in a place of our own (recovery copies): a link at path is
// replaced, never followed, and a new file gets mode instead of the usual
// bits (its old bits are not carried over either), whatever the umask.
struct AtomicWriteOptions {
    bool followLinks = true;
    int mode = -1; // -1: the usual bits for a new file, or the replaced file's
};
void writeFileAtomically(const QString& path, const QByteArray& bytes,
                         const AtomicWriteOptions& options);

// Writes image as a PNG file in the same way.
void writePngFile(const QString& path, const QImage& image);

} // namespace Orlenda
