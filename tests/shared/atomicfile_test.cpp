#include "shared/atomicfile.h"
#include "shared/platform.h"
#include "support/clitests.h"

#include <QDir>
#include <QFile>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
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
    QTemporaryDir dir;
    const QString name = QString(82, QChar(0x8ECA)) + QStringLiteral("abcde.dat"); // 車
    ASSERT_EQ(QFile::encodeName(name).size(), 255);
    const QString path = dir.filePath(name), link = dir.filePath(QStringLiteral("link.dat"));
    TrainData data;
    ScriptedPrompter prompter;
    ASSERT_TRUE(saveTo(data, path, prompter) && QFile::link(path, link));
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ReadGroup | QFileDevice::ReadUser | QFileDevice::WriteUser;
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
    data.setText(txtPer(0), QStringLiteral("3.5"));
    EXPECT_TRUE(saveTo(data, path, prompter) && saveTo(data, link, prompter));
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(QFile::permissions(path), permissions);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(decodeTrainFileBytes(readWholeFile(path)), trainFileText(data));
    EXPECT_EQ(filesIn(dir).size(), 2);
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
