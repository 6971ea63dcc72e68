#include "shared/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSocketNotifier>

#include <atomic>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <filesystem>
#endif

namespace Orlenda {

namespace {

std::atomic<int> gSyncError{0};
std::atomic<bool> gRefuseUnnamed{false};
std::atomic<void (*)()> gBeforeNaming{nullptr};

// Where a file was not found: the file itself, or a folder on its way.
Failure missingFailure(const QString& path) {
    return QFileInfo(path).dir().exists() ? Failure::FileNotFound : Failure::PathNotFound;
}

// Short, so that a name at the file system's limit still has a temporary
// beside it; hidden, so that a file manager does not show it meanwhile.
QString temporaryName() {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString name = QStringLiteral(".orl");
    for (int i = 0; i < 6; ++i)
        name += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return name;
}

#ifdef Q_OS_UNIX
FileKind kindOfMode(mode_t mode) {
    if (S_ISREG(mode))
        return FileKind::Regular;
    if (S_ISDIR(mode))
        return FileKind::Folder;
    if (S_ISFIFO(mode))
        return FileKind::Fifo;
    if (S_ISSOCK(mode))
        return FileKind::Socket;
    return FileKind::Device;
}

QByteArray nativeName(const QString& path) {
    return QFile::encodeName(path);
}

// Adding or replacing a name is what the folder refuses; the rest reads as
// any other write.
Failure folderFailure(int error) {
    return error == EACCES || error == EPERM ? Failure::FolderNotWritable
                                             : PlatformFile::failureOfError(error, true);
}

// An unnamed file is named through /proc (or, where the caller may, through
// its descriptor alone); without /proc it could end up with no name at all.
bool canNameUnnamed() {
#ifdef O_TMPFILE
    static const bool procMounted = ::access("/proc/self/fd", X_OK) == 0;
    return procMounted && !gRefuseUnnamed.load();
#else
    return false;
#endif
}
#endif

} // namespace

struct PlatformFile::Handle {
#ifdef Q_OS_UNIX
    int fd = -1;
#else
    QFile file;
#endif
    QString folder;
    QString path; // empty while the file has no name
};

PlatformFile::PlatformFile() : mHandle(std::make_unique<Handle>()) {}

PlatformFile::~PlatformFile() {
#ifdef Q_OS_UNIX
    if (mHandle->fd >= 0)
        ::close(mHandle->fd);
#endif
}

FileKind PlatformFile::kindOf(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat status;
    if (::stat(nativeName(path).constData(), &status) == 0)
        return kindOfMode(status.st_mode);
    return errno == ENOENT || errno == ENOTDIR ? FileKind::Missing : FileKind::Unreachable;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return FileKind::Missing;
    if (info.isDir())
        return FileKind::Folder;
    return info.isFile() ? FileKind::Regular : FileKind::Device;
#endif
}

std::optional<Failure> PlatformFile::kindFailure(FileKind kind) {
    switch (kind) {
    case FileKind::Folder:
        return Failure::IsFolder;
    case FileKind::Fifo:
    case FileKind::Socket:
    case FileKind::Device:
        return Failure::NotRegularFile;
    default:
        return std::nullopt;
    }
}

Failure PlatformFile::failureOfError(int error, bool writing) {
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        // No blocks and no inodes left read alike: the disk is full.
        return Failure::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return writing ? Failure::PermissionDenied : Failure::ReadPermissionDenied;
    case ENOENT:
        return writing ? Failure::PathNotFound : Failure::FileNotFound;
    case ENOTDIR:
        return Failure::PathNotFound;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return Failure::BadFileName;
    case EISDIR:
        return Failure::IsFolder;
    case ENXIO:
    case ENODEV:
        return Failure::NotRegularFile;
    default:
        return Failure::DeviceIo;
    }
}

void PlatformFile::openForReading(QFile& file, const QString& path) {
    if (path.isEmpty())
        throw StepFailure(Failure::BadFileName, path);
    const FileKind kind = kindOf(path);
    if (kind == FileKind::Missing)
        throw StepFailure(missingFailure(path), path);
    if (const auto refused = kindFailure(kind))
        throw StepFailure(*refused, path);
#ifdef Q_OS_UNIX
    // Without waiting: a FIFO put in the file's place since the check must
    // not make the open hang. Its type is checked again on the open file.
    const int fd = ::open(nativeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw StepFailure(error == ENOENT ? missingFailure(path) : failureOfError(error, false), path);
    }
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw StepFailure(Failure::NotRegularFile, path);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw StepFailure(Failure::DeviceIo, path);
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw StepFailure(file.error() == QFileDevice::PermissionsError ? Failure::ReadPermissionDenied
                                                                         : Failure::DeviceIo,
                          path);
    }
#endif
}

QString PlatformFile::linkText(const QString& path) {
#ifdef Q_OS_UNIX
    QByteArray text(4096, Qt::Uninitialized);
    for (;;) {
        const ssize_t length =
            ::readlink(nativeName(path).constData(), text.data(), size_t(text.size()));
        if (length < 0)
            return {};
        if (length < text.size())
            return QFile::decodeName(text.left(length));
        text.resize(text.size() * 2);
    }
#else
    return QFileInfo(path).isSymLink() ? QFileInfo(path).symLinkTarget() : QString();
#endif
}

std::optional<Failure> PlatformFile::writeAccessFailure(const QString& path, bool followLinks) {
#ifdef Q_OS_UNIX
    // The effective user, as an open would be judged; for root the system
    // answers as it would for root's open.
    const int flags = AT_EACCESS | (followLinks ? 0 : AT_SYMLINK_NOFOLLOW);
    if (::faccessat(AT_FDCWD, nativeName(path).constData(), W_OK, flags) == 0)
        return std::nullopt;
    // A missing file is made new; a read-only file system fails the writing.
    return errno == EACCES || errno == EPERM ? std::optional(Failure::ReadOnlyFile) : std::nullopt;
#else
    Q_UNUSED(followLinks);
    const QFileInfo info(path);
    return info.exists() && !info.isWritable() ? std::optional(Failure::ReadOnlyFile)
                                               : std::nullopt;
#endif
}

std::optional<Failure> PlatformFile::createTemporary(const QString& folder, const QString& model,
                                                     int mode) {
    mHandle->folder = folder;
    mHandle->path.clear();
#ifdef Q_OS_UNIX
    struct stat modelStatus;
    const bool modelled = mode < 0 && !model.isEmpty() &&
                          ::lstat(nativeName(model).constData(), &modelStatus) == 0 &&
                          S_ISREG(modelStatus.st_mode);
    const mode_t openMode = modelled || mode >= 0 ? 0600 : 0666;
    mHandle->fd = -1;
#ifdef O_TMPFILE
    if (canNameUnnamed()) {
        mHandle->fd =
            ::open(nativeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, openMode);
        // Some file systems (and old kernels) cannot: a named file serves there.
        if (mHandle->fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return folderFailure(errno);
    }
#endif
    for (int attempt = 0; mHandle->fd < 0; ++attempt) {
        mHandle->path = QDir(folder).filePath(temporaryName());
        mHandle->fd = ::open(nativeName(mHandle->path).constData(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, openMode);
        if (mHandle->fd < 0 && (errno != EEXIST || attempt >= 100)) {
            mHandle->path.clear();
            return folderFailure(errno);
        }
    }
    if (mode >= 0) {
        // Exactly this mode, whatever the umask.
        ::fchmod(mHandle->fd, mode_t(mode) & 07777);
    } else if (modelled) {
        // The owner first: changing it may clear set-id bits that the
        // mode then restores. Only root may give a file away.
        if (::fchown(mHandle->fd, modelStatus.st_uid, modelStatus.st_gid) != 0) {
        }
        ::fchmod(mHandle->fd, modelStatus.st_mode & 07777);
    }
    return std::nullopt;
#else
    for (int attempt = 0;; ++attempt) {
        mHandle->path = QDir(folder).filePath(temporaryName());
        mHandle->file.setFileName(mHandle->path);
        if (!mHandle->file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFile::exists(mHandle->path) && attempt < 100)
                continue;
            mHandle->path.clear();
            return mHandle->file.error() == QFileDevice::PermissionsError
                       ? Failure::FolderNotWritable
                       : Failure::DeviceIo;
        }
        if (mode >= 0)
            mHandle->file.setPermissions(QFileDevice::Permissions(mode & 0777));
        else if (!model.isEmpty())
            mHandle->file.setPermissions(QFile::permissions(model));
        return std::nullopt;
    }
#endif
}

QString PlatformFile::path() const {
    return mHandle->path;
}

std::optional<Failure> PlatformFile::write(const QByteArray& bytes) {
#ifdef Q_OS_UNIX
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(mHandle->fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return failureOfError(errno, true);
        }
        data += written;
        left -= written;
    }
    return std::nullopt;
#else
    if (mHandle->file.write(bytes) != bytes.size())
        return Failure::DiskFull;
    return std::nullopt;
#endif
}

std::optional<Failure> PlatformFile::syncAndClose() {
#ifdef Q_OS_UNIX
    int syncError = gSyncError.load();
    // A file system that cannot sync (EINVAL, EROFS) has nothing to flush.
    if (syncError == 0 && ::fsync(mHandle->fd) != 0 && errno != EINVAL && errno != EROFS)
        syncError = errno;
    if (syncError != 0) {
        discard();
        return failureOfError(syncError, true);
    }
    if (const auto hook = gBeforeNaming.load())
        hook();
    // Named only now, complete and on the disk, right before it replaces
    // the target: a kill until here leaves nothing in the folder.
    for (int attempt = 0; mHandle->path.isEmpty(); ++attempt) {
        const QString path = QDir(mHandle->folder).filePath(temporaryName());
        const QByteArray name = nativeName(path);
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(mHandle->fd);
        int linked =
            ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW);
        int error = errno;
#ifdef AT_EMPTY_PATH
        // Without /proc; the first error tells more when this is refused too.
        if (linked != 0 && error == ENOENT)
            linked = ::linkat(mHandle->fd, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH);
        if (linked != 0 && errno == EEXIST)
            error = EEXIST;
#endif
        if (linked == 0) {
            mHandle->path = path;
        } else if (error != EEXIST || attempt >= 100) {
            discard();
            return folderFailure(error);
        }
    }
    const int closed = ::close(mHandle->fd);
    const int closeError = errno;
    mHandle->fd = -1;
    // After EINTR the file is closed all the same, and its data already synced.
    if (closed != 0 && closeError != EINTR)
        return failureOfError(closeError, true);
    return std::nullopt;
#else
    const int syncError = gSyncError.load();
    const bool flushed = mHandle->file.flush();
    mHandle->file.close();
    if (syncError != 0)
        return failureOfError(syncError, true);
    if (!flushed || mHandle->file.error() != QFileDevice::NoError)
        return Failure::DeviceIo;
    return std::nullopt;
#endif
}

void PlatformFile::discard() {
#ifdef Q_OS_UNIX
    if (mHandle->fd >= 0)
        ::close(mHandle->fd);
    mHandle->fd = -1;
#else
    mHandle->file.close();
#endif
    if (!mHandle->path.isEmpty())
        remove(mHandle->path);
    mHandle->path.clear();
}

std::optional<Failure> PlatformFile::rename(const QString& from, const QString& to) {
#ifdef Q_OS_UNIX
    // EACCES or EPERM: the folder may not be written, or (sticky) the user
    // may not replace another's file in it.
    if (::rename(nativeName(from).constData(), nativeName(to).constData()) != 0)
        return folderFailure(errno);
#else
    std::error_code error;
    std::filesystem::rename(from.toStdWString(), to.toStdWString(), error);
    if (error)
        return Failure::FolderNotWritable;
#endif
    return std::nullopt;
}

void PlatformFile::remove(const QString& path) {
#ifdef Q_OS_UNIX
    ::unlink(nativeName(path).constData());
#else
    QFile::remove(path);
#endif
}

void PlatformFile::syncFolder(const QString& folder) {
#ifdef Q_OS_UNIX
    const int fd = ::open(nativeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
#else
    Q_UNUSED(folder);
#endif
}

void PlatformFile::refuseUnnamedForTesting(bool refuse) {
    gRefuseUnnamed.store(refuse);
}

void PlatformFile::runBeforeNamingForTesting(void (*hook)()) {
    gBeforeNaming.store(hook);
}

void PlatformFile::failSyncsForTesting(int error) {
    gSyncError.store(error);
}


#ifdef Q_OS_UNIX

std::optional<QString> PrivateFolder::secure(const QString& path) {
    const QFileInfo info(path);
    QDir().mkpath(info.path());
    const QByteArray name = nativeName(path);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST) {
        return QStringLiteral("フォルダー %1 を作れません。%2")
            .arg(path, failureDescription(PlatformFile::failureOfError(errno, true)));
    }
    // Opened without following a link, then checked and corrected on the
    // open folder itself: nothing can be swapped in between.
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        struct stat status;
        if (::lstat(name.constData(), &status) == 0 && S_ISLNK(status.st_mode))
            return QStringLiteral("%1 はフォルダーではなくシンボリックリンクです。").arg(path);
        if (error == ENOTDIR)
            return QStringLiteral("%1 はフォルダーではありません。").arg(path);
        return QStringLiteral("フォルダー %1 を開けません。%2")
            .arg(path, failureDescription(PlatformFile::failureOfError(error, false)));
    }
    std::optional<QString> problem;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISDIR(status.st_mode))
        problem = QStringLiteral("%1 はフォルダーではありません。").arg(path);
    else if (status.st_uid != ::geteuid())
        problem = QStringLiteral("フォルダー %1 の所有者が別のユーザーです。").arg(path);
    else if ((status.st_mode & 07777) != 0700 && ::fchmod(fd, 0700) != 0)
        problem = QStringLiteral("フォルダー %1 を本人だけが使えるようにできません。").arg(path);
    ::close(fd);
    return problem;
}

std::optional<PrivateFolder::FileStart> PrivateFolder::readStart(const QString& path,
                                                                 qint64 maxBytes) {
    const int fd = ::open(nativeName(path).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    FileStart start;
    struct stat status;
    bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    if (ok) {
        start.size = status.st_size;
        start.bytes.resize(qsizetype(qMin<qint64>(maxBytes, status.st_size)));
        qsizetype got = 0;
        while (got < start.bytes.size()) {
            const ssize_t n =
                ::read(fd, start.bytes.data() + got, size_t(start.bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                ok = false;
                break;
            }
            if (n == 0)
                break; // shrank meanwhile
            got += n;
        }
        start.bytes.truncate(got);
    }
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return start;
}

std::unique_ptr<FileLock> FileLock::tryLock(const QString& path) {
    const int fd = ::open(nativeName(path).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd < 0)
        return nullptr;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<FileLock>(new FileLock(fd, path));
}

FileLock::~FileLock() {
    if (mHandle >= 0)
        ::close(mHandle);
}

void FileLock::removeAndRelease() {
    // Unlinked while still held: an editor that opens the name afterwards
    // gets a new file, and finds the copy already gone.
    ::unlink(nativeName(mPath).constData());
    ::close(mHandle);
    mHandle = -1;
}

#else

std::optional<QString> PrivateFolder::secure(const QString& path) {
    if (!QDir().mkpath(path))
        return QStringLiteral("フォルダー %1 を作れません。").arg(path);
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isDir())
        return QStringLiteral("%1 はフォルダーではありません。").arg(path);
    return std::nullopt;
}

std::optional<PrivateFolder::FileStart> PrivateFolder::readStart(const QString& path,
                                                                 qint64 maxBytes) {
    const QFileInfo info(path);
    QFile file(path);
    if (info.isSymLink() || !info.isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return FileStart{file.read(maxBytes), file.size()};
}

std::unique_ptr<FileLock> FileLock::tryLock(const QString& path) {
    return std::unique_ptr<FileLock>(new FileLock(-1, path));
}

FileLock::~FileLock() = default;

void FileLock::removeAndRelease() {
    QFile::remove(mPath);
}

#endif

#ifdef Q_OS_UNIX

namespace {

int sSockets[2] = {-1, -1};
constexpr int Handled[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void onTerminationSignal(int number) {
    const int savedErrno = errno;
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(sSockets[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sSockets) != 0)
        return;
    // A burst of signals must never block the handler.
    ::fcntl(sSockets[1], F_SETFL, ::fcntl(sSockets[1], F_GETFL) | O_NONBLOCK);
    mNotifier = new QSocketNotifier(sSockets[0], QSocketNotifier::Read, this);
    connect(mNotifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(sSockets[0], &byte, 1) == 1)
            emit received(int(byte));
    });
    struct sigaction action = {};
    action.sa_handler = &onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : Handled)
        ::sigaction(number, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (!mNotifier)
        return;
    for (int number : Handled)
        std::signal(number, SIG_DFL);
    delete mNotifier;
    ::close(sSockets[0]);
    ::close(sSockets[1]);
    sSockets[0] = sSockets[1] = -1;
}

#else

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}
TerminationSignals::~TerminationSignals() = default;

#endif

void StandardOutput::holdClosedStreams() {
#ifdef Q_OS_UNIX
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        // Opened read-only, /dev/null takes the lowest free number: this one.
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            ::open("/dev/null", O_RDONLY | O_NOCTTY);
    }
#endif
}

int StandardOutput::writeAndClose(const QByteArray& bytes) {
#ifdef Q_OS_UNIX
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        left -= written;
    }
    // After EINTR the descriptor is closed all the same.
    if (::close(STDOUT_FILENO) != 0 && errno != EINTR)
        return errno;
    return 0;
#else
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush())
        return EIO;
    return 0;
#endif
}

bool StandardOutput::readerGone(int error) {
    return error == EPIPE;
}

} // namespace Orlenda
