#include "process/processrun.h"
#include "support/documenttests.h"

#include <QDir>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

using namespace Orlenda;

namespace {

// orlenda-cli run by a user who may not write every file it is given: the
// tests' own user, or nobody (through setpriv) where the tests run as root.
class CliAsUser : public ::testing::Test {
protected:
    void SetUp() override {
        if (root()) {
            mSetpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
            if (mSetpriv.isEmpty())
                GTEST_SKIP() << "run as root, and no setpriv to run the tool as another user";
        }
        ::chmod(QFile::encodeName(dir.path()).constData(), 0777);
        in = savedDocument(dir, "base.dat", TrainData());
    }

    static bool root() { return ::geteuid() == 0; }

    ProgramRun cli(const QStringList& arguments) const {
        if (!root())
            return runProgram(QStringLiteral(ORLENDA_CLI_BINARY), arguments);
        return runProgram(mSetpriv, QStringList{"--reuid=65534", "--regid=65534", "--clear-groups",
                                                QStringLiteral(ORLENDA_CLI_BINARY)} +
                                        arguments);
    }

    static QString refusal(Failure kind, const QString& path) {
        return "orlenda-cli: Orlenda - Save: " + failureDescription(kind) + ' ' + path +
               " / 続行しますか？\n";
    }

    QString file(const QString& folder, const char* name, const QByteArray& bytes,
                 mode_t mode) const {
        const QString path = folder + QLatin1Char('/') + QString::fromUtf8(name);
        writeWholeFile(path, bytes);
        ::chmod(QFile::encodeName(path).constData(), mode);
        return path;
    }

    QTemporaryDir dir;
    QString in;

private:
    QString mSetpriv;
};

} // namespace

TEST_F(CliAsUser, ConvertRefusesAReadOnlyFileAndAnotherUsersFileWritingNothing) {
    // The tool works for this user at all: a new file in the same folder.
    const QString made = dir.filePath(QStringLiteral("made.dat"));
    ASSERT_EQ(cli({"convert", in, made}).status, 0);

    QStringList targets{file(dir.path(), "ro.dat", "read-only bytes\r\n", 0444)};
    if (root()) // root's file that only root may write, in a folder anyone may write
        targets << file(dir.path(), "roots.dat", "root's bytes\r\n", 0644);
    for (const QString& target : targets) {
        SCOPED_TRACE(target.toStdString());
        const QByteArray before = readWholeFile(target);
        const ProgramRun run = cli({"convert", in, target});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, refusal(Failure::ReadOnlyFile, target));
        EXPECT_TRUE(
            run.err.contains(QStringLiteral("書き込みできません。読み取り専用のファイルです。")));
        EXPECT_EQ(readWholeFile(target), before);
        EXPECT_EQ(cli({"new", target}).status, 2);
        EXPECT_EQ(readWholeFile(target), before);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2 + targets.size());
}

TEST_F(CliAsUser, AFileInAFolderTheUserMayNotWriteIsRefusedWithTheReason) {
    const QString folder = dir.filePath(QStringLiteral("closed"));
    QDir().mkdir(folder);
    const QString target = file(folder, "open.dat", "writable bytes\r\n", 0666);
    ::chmod(QFile::encodeName(folder).constData(), 0555);

    const ProgramRun run = cli({"convert", in, target});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, refusal(Failure::FolderNotWritable, target));
    EXPECT_TRUE(run.err.contains(QStringLiteral(
        "フォルダーに書き込めないため保存できません。別の場所に保存してください。")));
    EXPECT_EQ(readWholeFile(target), "writable bytes\r\n");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"open.dat"});
    ::chmod(QFile::encodeName(folder).constData(), 0755);
}
