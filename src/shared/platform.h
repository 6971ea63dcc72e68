#pragma once

#include "shared/failure.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QFile;
class QSocketNotifier;

namespace Orlenda {

// What a path names, links followed. Unreachable: the system would not say
// (a folder on the way cannot be searched, a loop of links).
enum class FileKind { Missing, Regular, Folder, Fifo, Socket, Device, Unreachable };

// The program's only door to the operating system, for what Qt does not
// offer: the file calls of PlatformFile and the termination signals. Calls
// that only POSIX systems have stay in platform.cpp, behind Q_OS_UNIX;
// elsewhere a portable fallback serves.

// For what Qt's file classes do not offer: a file's type before it is opened,
// an open that never waits on a pipe, a flush that reaches the disk and says
// when it did not, permission bits carried over to a replacement.
//
// An object is one file being written, created new and closed (without a
// check) when it goes.
class PlatformFile {
public:
    PlatformFile();
    ~PlatformFile();
    PlatformFile(const PlatformFile&) = delete;
    PlatformFile& operator=(const PlatformFile&) = delete;

    static FileKind kindOf(const QString& path);

    // The failure that refuses a file of this kind where a regular file is
    // needed; nullopt for a regular or missing file.
    static std::optional<Failure> kindFailure(FileKind kind);

    // Opens the regular file at path for reading into file. A folder, FIFO,
    // socket or device is refused before anything could wait on it.
    // StepFailure naming the cause.
    static void openForReading(QFile& file, const QString& path);

    // The text of the symbolic link at path, as stored; empty when path is
    // not a link.
    static QString linkText(const QString& path);

    // ReadOnlyFile when the file at path exists and the effective user may
    // not write it, as the system decides (root writes what the system lets
    // root write); nullopt otherwise, the file missing included.
    static std::optional<Failure> writeAccessFailure(const QString& path, bool followLinks = true);

    // Creates a new file in folder, for writing. Where the system can, the
    // file has no name until syncAndClose gives it one, so that a program
    // killed while writing leaves nothing behind; elsewhere it has a short
    // name of its own from the start. With mode >= 0 the file takes exactly
    // that mode; else with a model (a regular file; a link is never
    // followed), the model's permission bits (and owner, where allowed);
    // else the usual ones for a new file. FolderNotWritable when the user
    // may not add a file to folder.
    std::optional<Failure> createTemporary(const QString& folder, const QString& model = {},
                                           int mode = -1);
    // The file's name; empty while it has none.
    QString path() const;
    std::optional<Failure> write(const QByteArray& bytes);
    // Flushes the file to the disk, gives it its short name if it has none
    // yet, and closes it; any of these failing fails.
    std::optional<Failure> syncAndClose();
    // Closes the file and removes it, whatever state it was left in.
    void discard();

    // Moves from over to, replacing to in one step; a link at to is itself
    // replaced. FolderNotWritable when the folder does not allow it.
    static std::optional<Failure> rename(const QString& from, const QString& to);
    static void remove(const QString& path);
    // Makes a rename in folder last; best effort.
    static void syncFolder(const QString& folder);

    // The failure a system error number stands for, when reading or writing.
    static Failure failureOfError(int error, bool writing);

    // Tests make every flush to disk fail with this error number (0: flush
    // for real), as a failing stick or network share does.
    static void failSyncsForTesting(int error);
    // Tests make every new file a named one from the start (true), as on a
    // file system that cannot create an unnamed file.
    static void refuseUnnamedForTesting(bool refuse);
    // Tests run hook after the flush of a file to the disk and before it
    // gets its name (nullptr: none), to stop a save at its last moment.
    static void runBeforeNamingForTesting(void (*hook)());

private:
    struct Handle;
    std::unique_ptr<Handle> mHandle;
};

// A folder that only this user may enter, for files that hold the user's
// work (recovery copies), and reading within bounds what lies there: nothing
// in it is trusted merely for being there.
class PrivateFolder {
public:
    // Creates the folder at path with mode 0700 when it is missing (its
    // parents as usual), and checks that it is a real folder (not a link)
    // owned by this user; a mode other than 0700 is corrected. Otherwise, the
    // reason it may not be used, as a sentence for the user.
    static std::optional<QString> secure(const QString& path);

    // The start of the regular file at path, at most maxBytes of it, and the
    // whole file's size. A link at path is not followed, and nothing waits on
    // a FIFO: anything but a regular file gives nullopt.
    struct FileStart {
        QByteArray bytes;
        qint64 size = 0;
    };
    static std::optional<FileStart> readStart(const QString& path, qint64 maxBytes);
};

// An advisory lock on a file of its own (flock), held while the object
// lives: the kernel drops it when the process ends, however it ends, so a
// lock is never stale and its file holds nothing to read.
class FileLock {
public:
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Opens (creating, mode 0600) the lock file at path without following a
    // link and locks it without waiting; nullptr when another holder has it
    // or it cannot be opened.
    static std::unique_ptr<FileLock> tryLock(const QString& path);

    // Deletes the lock file, then releases the lock.
    void removeAndRelease();

private:
    explicit FileLock(int handle, const QString& path) : mHandle(handle), mPath(path) {}

    int mHandle = -1;
    QString mPath;
};

// Turns SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C in the
// terminal) into a Qt signal delivered by the event loop, so that the program
// can save what it must and end normally. The handler only writes one byte to
// a socket; everything else runs outside it. One instance at a time; where
// the system has no such signals it never fires.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    QSocketNotifier* mNotifier = nullptr;
};

// Standard output as the command-line tool writes its result, with every
// failure seen: stdio and QTextStream keep a failed write or flush to
// themselves.
class StandardOutput {
public:
    // Run first: a standard stream that the caller closed keeps its number,
    // held by a descriptor that fails every write, so that no file opened
    // later takes its place and receives the result or the messages.
    static void holdClosedStreams();
    // Writes all of bytes, then closes standard output, so that a failure the
    // system tells only at the close (a network share) is seen as well. 0
    // when everything went out, otherwise the system's error number.
    static int writeAndClose(const QByteArray& bytes);
    // Whether the error means that the reader has gone (a closed pipe, as
    // `| head` leaves it): nothing is lost that anyone would read.
    static bool readerGone(int error);
};

} // namespace Orlenda
