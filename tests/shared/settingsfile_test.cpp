#include "shared/settingsfile.h"
#include "shared/windowplacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Orlenda;

namespace {

// A settings folder of its own for each test.
class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        mSaved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", mConfig.path().toUtf8());
        ASSERT_TRUE(QDir(mConfig.path()).mkpath(settingsApplication()));
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", mSaved); }

    QString path() const { return settingsFilePath(); }
    void write(const QByteArray& bytes) const {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray bytes() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir mConfig;
    QByteArray mSaved;
};

} // namespace

TEST_F(SettingsFileTest, IsTheFileOfTheNativeStoreAndItsSettingsReadBack) {
    // Made here on a missing file, the native store reads nothing.
    EXPECT_EQ(path(), QSettings(QSettings::NativeFormat, QSettings::UserScope,
                                settingsApplication(), settingsApplication())
                          .fileName());
    EXPECT_EQ(QFileInfo(path()).absolutePath(), mConfig.filePath(settingsApplication()));
    EXPECT_EQ(settingsFileProblem(), QString());

    writeSettings({{QStringLiteral("MainLeft"), QStringLiteral("150")}});
    EXPECT_EQ(readSetting(QStringLiteral("MainLeft")), QStringLiteral("150"));
    QSettings native(QSettings::NativeFormat, QSettings::UserScope, settingsApplication(),
                     settingsApplication());
    EXPECT_EQ(native.value(settingsSection() + QStringLiteral("/MainLeft")).toString(),
              QStringLiteral("150"));
}

TEST_F(SettingsFileTest, APipeAFolderOrAnOversizedFileIsLeftAloneAndNeverWritten) {
    // Exactly at the limit is still read.
    QByteArray ini = "[Settings]\nMainLeft=150\n";
    write(ini + QByteArray(MaxSettingsFileSize - ini.size(), '\n'));
    EXPECT_EQ(settingsFileProblem(), QString());
    EXPECT_EQ(readSetting(QStringLiteral("MainLeft")), QStringLiteral("150"));

    const QByteArray oversized = ini + QByteArray(MaxSettingsFileSize - ini.size() + 1, '\n');
    write(oversized);
    EXPECT_EQ(settingsFileProblem(),
              path() + QStringLiteral("\nファイルが大きすぎます (1 メガバイトまでです)。"));
    EXPECT_EQ(settingsStore(), nullptr);
    EXPECT_EQ(readSetting(QStringLiteral("MainLeft")), QString());
    writeSettings({{QStringLiteral("MainLeft"), QStringLiteral("300")}});
    EXPECT_EQ(bytes(), oversized);

    // A FIFO would block the first read; nothing opens it.
    ASSERT_TRUE(QFile::remove(path()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    EXPECT_TRUE(settingsFileProblem().endsWith(
        QStringLiteral("通常のファイルではありません (デバイス、パイプ、ソケット)。")));
    EXPECT_EQ(readSetting(QStringLiteral("MainLeft")), QString());
    writeSettings({{QStringLiteral("MainLeft"), QStringLiteral("300")}});
    struct stat status;
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));

    ASSERT_TRUE(QFile::remove(path()));
    ASSERT_TRUE(QDir().mkdir(path()));
    EXPECT_EQ(settingsFileProblem(), path() + QStringLiteral("\nファイルではなくフォルダーです。"));
    ASSERT_TRUE(QDir().rmdir(path()));

    // A link is followed to what it names, as Qt would follow it.
    write(ini);
    const QString link = mConfig.filePath(QStringLiteral("link.conf"));
    ASSERT_TRUE(QFile::rename(path(), link));
    ASSERT_TRUE(QFile::link(link, path()));
    EXPECT_EQ(settingsFileProblem(), QString());
    EXPECT_EQ(readSetting(QStringLiteral("MainLeft")), QStringLiteral("150"));

    // Qt reads a lock it finds beside the file before writing.
    const QString lock = path() + QStringLiteral(".lock");
    ASSERT_EQ(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
    EXPECT_TRUE(settingsFileProblem().startsWith(lock + QLatin1Char('\n')));
    writeSettings({{QStringLiteral("MainLeft"), QStringLiteral("300")}});
    ASSERT_TRUE(QFile::remove(lock));
    EXPECT_EQ(readSetting(QStringLiteral("MainLeft")), QStringLiteral("150"));
}
