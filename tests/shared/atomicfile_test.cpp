#include "shared/atomicfile.h"
#include "shared/platform.h"
#include "support/clitests.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <grp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

using namespace Orlenda;

namespace {

// Makes every flush to disk fail while it lives.
struct FailingFlush {
    explicit FailingFlush(int error) { PlatformFile::failSyncsForTesting(error); }
    ~FailingFlush() { PlatformFile::failSyncsForTesting(0); }
};

// A bound socket stays as a file after its descriptor is closed.
QString makeSocket(const QString& path) {
    sockaddr_un address{AF_UNIX, {}};
    std::strncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(fd);
    return path;
}

QStringList filesIn(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
}

// Every new file a named one from the start while it lives.
struct NamedTemporaries {
    NamedTemporaries() { PlatformFile::refuseUnnamedForTesting(true); }
    ~NamedTemporaries() { PlatformFile::refuseUnnamedForTesting(false); }
};

constexpr uid_t Nobody = 65534;

// Runs step in a child process (as the user nobody when with is Nobody) and
// answers how it ended: the kind of StepFailure it raised (Unexpected for
// none), or -signal when a signal ended it.
int inChild(auto&& step, uid_t with = ::geteuid()) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (with != ::geteuid() &&
            (::setgroups(0, nullptr) != 0 || ::setgid(with) != 0 || ::setuid(with) != 0))
            ::_exit(125);
        ::_exit(int(failureOf(step)));
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return 126;
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

// A folder that another user may use, under a fresh temporary one.
QString sharedFolder(const QTemporaryDir& dir, const char* name, mode_t mode) {
    const QString folder = dir.filePath(QString::fromUtf8(name));
    QDir().mkdir(folder);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    ::chmod(QFile::encodeName(folder).constData(), mode);
    return folder;
}

QString fileIn(const QString& folder, const char* name, const QByteArray& bytes, mode_t mode) {
    const QString path = folder + QLatin1Char('/') + QString::fromUtf8(name);
    writeWholeFile(path, bytes);
    ::chmod(QFile::encodeName(path).constData(), mode);
    return path;
}

mode_t modeOf(const QString& path) {
    struct stat status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 07777;
}

} // namespace

TEST(FileBoundary, EveryFileThatIsNotRegularIsRefusedAtOnceBothWays) {
    QTemporaryDir dir;
    const QString in = savedDocument(dir, "in.dat", TrainData());
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    ::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0644);
    const std::pair<QString, Failure> targets[] = {
        {dir.filePath(QStringLiteral("folder")), Failure::IsFolder},
        {dir.filePath(QStringLiteral("fifo")), Failure::NotRegularFile},
        {makeSocket(dir.filePath(QStringLiteral("socket"))), Failure::NotRegularFile},
        // Run as root, as the tests usually are here, this is the device itself.
        {QStringLiteral("/dev/null"), Failure::NotRegularFile}};
    for (const auto& [target, kind] : targets) {
        SCOPED_TRACE(target.toStdString());
        const FileKind before = PlatformFile::kindOf(target);
        ASSERT_NE(before, FileKind::Regular);
        EXPECT_EQ(failureOf([&] { writeWholeFile(target, "x"); }), kind);
        EXPECT_EQ(failureOf([&] { readTrainFileBytes(target); }), kind);
        EXPECT_EQ(PlatformFile::kindOf(target), before);

        // Train files, pictures and `new` alike; a refused input is never read.
        QString err;
        EXPECT_EQ(runCliForTest({"new", target}, &err), CliFailed);
        EXPECT_EQ(err, "orlenda-cli: Orlenda - Save: " + failureDescription(kind) + ' ' + target +
                           " / 続行しますか？\n");
        EXPECT_EQ(runCliForTest({"plot", "motor", in, target}, &err), CliFailed);
        EXPECT_EQ(err, "orlenda-cli: " + target + ": cannot write the image: " +
                           failureDescription(kind) + '\n');
        EXPECT_EQ(runCliForTest({"check", target}, &err), CliFailed);
        EXPECT_TRUE(err.contains(failureDescription(kind) + ' ' + target)) << err.toStdString();
    }
    EXPECT_EQ(filesIn(dir), QStringList{"in.dat"});
}

TEST(FileBoundary, AFailedFlushIsAFailedSaveThatKeepsTheOldFile) {
    QTemporaryDir dir;
    TrainData data;
    const QString path = savedDocument(dir, "train.dat", data);
    const QByteArray before = readWholeFile(path);
    data.setDocumentPath(path);
    data.setText(txtPer(0), QStringLiteral("9"));
    // No blocks (or inodes) and no quota left read as a full disk.
    for (const auto& [error, kind] : {std::pair{EIO, Failure::DeviceIo}, std::pair{ENOSPC, Failure::DiskFull},
                                      std::pair{EDQUOT, Failure::DiskFull}}) {
        FailingFlush failing(error);
        ScriptedPrompter prompter;
        EXPECT_FALSE(save(data, prompter));
        EXPECT_EQ(questionTexts(prompter),
                  QStringList{errorPromptText(failureDescription(kind) + ' ' + path)});
        EXPECT_TRUE(data.isModified());
        EXPECT_EQ(readWholeFile(path), before);
        QString err;
        EXPECT_EQ(runCliForTest({"new", path}, &err), CliFailed);
        EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
    }
    EXPECT_EQ(filesIn(dir), QStringList{"train.dat"});
}

TEST(FileBoundary, TheLongestNameSavesAgainAndAgainKeepingPermissionsAndLinks) {
    for (const bool namedFromTheStart : {false, true}) {
        SCOPED_TRACE(namedFromTheStart ? "named temporary" : "unnamed temporary");
        std::optional<NamedTemporaries> named;
        if (namedFromTheStart)
            named.emplace();
        QTemporaryDir dir;
        const QString name = QString(82, QChar(0x8ECA)) + QStringLiteral("abcde.dat"); // 車
        ASSERT_EQ(QFile::encodeName(name).size(), 255);
        const QString path = dir.filePath(name), link = dir.filePath(QStringLiteral("link.dat"));
        TrainData data;
        ScriptedPrompter prompter;
        ASSERT_TRUE(saveTo(data, path, prompter) && QFile::link(path, link));
        const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                 QFileDevice::ReadGroup | QFileDevice::ReadUser |
                                 QFileDevice::WriteUser;
        ASSERT_TRUE(QFile::setPermissions(path, permissions));
        data.setText(txtPer(0), QStringLiteral("3.5"));
        EXPECT_TRUE(saveTo(data, path, prompter) && saveTo(data, link, prompter));
        EXPECT_EQ(prompter.count(), 0);
        EXPECT_EQ(QFile::permissions(path), permissions);
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(decodeTrainFileBytes(readWholeFile(path)), trainFileText(data));
        EXPECT_EQ(filesIn(dir).size(), 2);
    }
}

TEST(FileBoundary, AFileWithoutReadPermissionSaysSo) {
    EXPECT_EQ(PlatformFile::failureOfError(EACCES, false), Failure::ReadPermissionDenied);
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads it all the same";
    QTemporaryDir dir;
    const QString locked = savedDocument(dir, "locked.dat", TrainData());
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    EXPECT_EQ(failureOf([&] { readTrainFileBytes(locked); }), Failure::ReadPermissionDenied);
}

// A save by a user who may not write the file or its folder: the tests' own
// user, or, where the tests run as root, nobody in a child process. Another
// user's file can only be made as root.
class FileProtection : public ::testing::Test {
protected:
    static bool root() { return ::geteuid() == 0; }
    int asUser(auto&& step) { return inChild(step, root() ? Nobody : ::geteuid()); }
    QStringList filesIn(const QString& folder) {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden);
    }
};

TEST_F(FileProtection, AFileTheUserMayNotWriteIsRefusedAndKeptByteForByte) {
    QTemporaryDir dir;
    const QString folder = sharedFolder(dir, "shared", 0777);
    // Read-only, and another user's file that only its owner may write.
    QStringList paths{fileIn(folder, "ro.dat", "old bytes", 0444)};
    if (root())
        paths << fileIn(folder, "root.dat", "root's bytes", 0644);
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        const QByteArray before = readWholeFile(path);
        EXPECT_EQ(asUser([&] { writeFileAtomically(path, "new"); }), int(Failure::ReadOnlyFile));
        // The editor's Save: not saved, one question naming the cause.
        const auto editorSave = [&] {
            TrainData data;
            data.setDocumentPath(path);
            ScriptedPrompter prompter;
            if (save(data, prompter))
                return;
            throw StepFailure(questionTexts(prompter) ==
                                      QStringList{errorPromptText(
                                          failureDescription(Failure::ReadOnlyFile) + ' ' + path)}
                                  ? Failure::ReadOnlyFile
                                  : Failure::DeviceIo);
        };
        EXPECT_EQ(asUser(editorSave), int(Failure::ReadOnlyFile));
        EXPECT_EQ(readWholeFile(path), before);
        EXPECT_EQ(QFileInfo(path).ownerId(), ::geteuid());
    }
    EXPECT_EQ(filesIn(folder).size(), paths.size());
    EXPECT_TRUE(failureDescription(Failure::ReadOnlyFile)
                    .startsWith(QStringLiteral("書き込みできません。")));

    if (root()) {
        // Root writes what the system lets root write; the bits stay.
        writeFileAtomically(paths.first(), "root's save");
        EXPECT_EQ(readWholeFile(paths.first()), "root's save");
        EXPECT_EQ(modeOf(paths.first()), 0444u);
    }
}

TEST_F(FileProtection, AFolderTheUserMayNotWriteIsRefusedSayingWhy) {
    QTemporaryDir dir;
    // The user may write the file but not add to the folder, or (sticky)
    // not replace another user's file in it.
    const QString closed = sharedFolder(dir, "closed", 0777);
    const QString sticky = sharedFolder(dir, "sticky", 01777);
    QStringList paths{fileIn(closed, "open.dat", "old bytes", 0666),
                      closed + QStringLiteral("/new.dat")};
    ::chmod(QFile::encodeName(closed).constData(), 0555);
    if (root())
        paths << fileIn(sticky, "open.dat", "old bytes", 0666);
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(asUser([&] { writeFileAtomically(path, "new"); }),
                  int(Failure::FolderNotWritable));
    }
    EXPECT_EQ(readWholeFile(paths.first()), "old bytes");
    EXPECT_EQ(filesIn(closed), QStringList{"open.dat"});
    if (root()) {
        EXPECT_EQ(readWholeFile(paths.last()), "old bytes");
        EXPECT_EQ(filesIn(sticky), QStringList{"open.dat"});
    }
    ::chmod(QFile::encodeName(closed).constData(), 0755);
}

namespace {
void killSelf() {
    ::raise(SIGKILL);
}
} // namespace

TEST(FileBoundary, AKillWhileSavingLeavesNothingBehind) {
    QTemporaryDir dir;
    const QString path = writtenFile(dir, "train.dat", "old bytes");
#ifdef O_TMPFILE
    const int unnamed =
        ::open(QFile::encodeName(dir.path()).constData(), O_TMPFILE | O_WRONLY, 0600);
#else
    const int unnamed = -1;
#endif
    if (unnamed < 0)
        GTEST_SKIP() << "this system cannot create an unnamed file here";
    ::close(unnamed);
    // Killed after the writing and the flush, at the last moment before the
    // file gets a name.
    const QByteArray large(4 << 20, 'x');
    const auto killedSave = [&] {
        PlatformFile::runBeforeNamingForTesting(&killSelf);
        writeFileAtomically(path, large);
    };
    EXPECT_EQ(inChild(killedSave), -SIGKILL);
    EXPECT_EQ(filesIn(dir), QStringList{"train.dat"});
    EXPECT_EQ(readWholeFile(path), "old bytes");

    // Where a file is named from the start, the same kill leaves it.
    {
        NamedTemporaries named;
        EXPECT_EQ(inChild(killedSave), -SIGKILL);
    }
    EXPECT_EQ(filesIn(dir).size(), 2);
    EXPECT_EQ(readWholeFile(path), "old bytes");
}

TEST(FileBoundary, ADanglingLinkGetsItsFileCreatedWhereTheSystemWouldLookForIt) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    root.mkpath(QStringLiteral("a/deep"));
    QFile::link(QStringLiteral("a/deep"), dir.filePath(QStringLiteral("b")));
    // "b/.." is a, not the top folder: the link's text is not tidied up.
    const std::pair<const char*, const char*> links[] = {
        {"out.dat", "made.dat"}, {"up.dat", "b/../up-made.dat"}, {"far.dat", "/nowhere/x.dat"}};
    for (const auto& [name, text] : links)
        ::symlink(text, QFile::encodeName(dir.filePath(QString::fromUtf8(name))).constData());

    for (int save = 0; save < 2; ++save) {
        writeFileAtomically(dir.filePath(QStringLiteral("out.dat")), QByteArray::number(save));
        writeFileAtomically(dir.filePath(QStringLiteral("up.dat")), QByteArray::number(save));
        EXPECT_EQ(readWholeFile(dir.filePath(QStringLiteral("made.dat"))),
                  QByteArray::number(save));
        EXPECT_EQ(readWholeFile(dir.filePath(QStringLiteral("a/up-made.dat"))),
                  QByteArray::number(save));
    }
    EXPECT_EQ(failureOf([&] { writeFileAtomically(dir.filePath(QStringLiteral("far.dat")), "x"); }),
              Failure::PathNotFound);
    for (const auto& [name, text] : links)
        EXPECT_EQ(PlatformFile::linkText(dir.filePath(QString::fromUtf8(name))),
                  QString::fromUtf8(text));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("up-made.dat"))));
    EXPECT_EQ(filesIn(dir), (QStringList{"made.dat", "out.dat", "up.dat"}));
}

TEST(FileBoundary, NoFollowModeReplacesAPlantedLinkAndGivesExactlyTheMode) {
    QTemporaryDir dir;
    const QString victim = fileIn(dir.path(), "victim.dat", "victim's bytes", 0755);
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    const mode_t umaskBefore = ::umask(0077);
    for (const char* text : {"victim.dat", "folder", "missing.dat"}) {
        SCOPED_TRACE(text);
        const QString copy = dir.filePath(QStringLiteral("copy"));
        QFile::remove(copy);
        ::symlink(text, QFile::encodeName(copy).constData());
        writeFileAtomically(copy, "copy bytes", {.followLinks = false, .mode = 0640});
        EXPECT_FALSE(QFileInfo(copy).isSymLink());
        EXPECT_EQ(readWholeFile(copy), "copy bytes");
        EXPECT_EQ(modeOf(copy), 0640u);
    }
    EXPECT_EQ(readWholeFile(victim), "victim's bytes");
    EXPECT_EQ(modeOf(victim), 0755u);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("missing.dat"))));

    // Nothing is carried over from what a link names, and a file of our own
    // takes the mode asked for.
    const QString copy = dir.filePath(QStringLiteral("copy"));
    QFile::remove(copy);
    QFile::link(victim, copy);
    writeFileAtomically(copy, "copy bytes", {.followLinks = false});
    EXPECT_EQ(modeOf(copy), 0600u); // 0666 under the umask, not the victim's 0755
    writeFileAtomically(copy, "again", {.followLinks = false, .mode = 0600});
    EXPECT_EQ(modeOf(copy), 0600u);
    ::umask(umaskBefore);
    EXPECT_EQ(readWholeFile(victim), "victim's bytes");
    EXPECT_EQ(filesIn(dir), (QStringList{"copy", "victim.dat"}));
}
