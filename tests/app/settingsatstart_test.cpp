#include "shared/recentfiles.h"
#include "shared/settingsfile.h"
#include "support/apptest.h"

#include <QDir>
#include <QFile>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Orlenda;

namespace {

// A FIFO in the settings file's place for as long as it lives. Whoever opens
// it for reading is seen, and let go at once (a writer that closes gives
// the reader an end of file), so that a fault fails the test without hanging it.
class SettingsFifo {
public:
    SettingsFifo() : mPath(QFile::encodeName(settingsFilePath())) {
        QDir().mkpath(QFileInfo(settingsFilePath()).absolutePath());
        QFile::remove(settingsFilePath());
        mMade = ::mkfifo(mPath.constData(), 0600) == 0;
        mWatch = std::thread([this] {
            while (!mStop) {
                const int fd = ::open(mPath.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) {
                    mOpened = true;
                    ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    ~SettingsFifo() {
        mStop = true;
        mWatch.join();
        ::unlink(mPath.constData());
    }
    bool made() const { return mMade; }
    bool opened() const { return mOpened; }
    bool stillAFifo() const {
        struct stat status;
        return ::lstat(mPath.constData(), &status) == 0 && S_ISFIFO(status.st_mode);
    }

private:
    QByteArray mPath;
    bool mMade = false;
    std::atomic<bool> mStop{false};
    std::atomic<bool> mOpened{false};
    std::thread mWatch;
};

class SettingsAtStart : public MainWindowFixture<> {
protected:
    void TearDown() override { QFile::remove(settingsFilePath()); }

    // A placement of 600 x 500 and one recent file.
    QByteArray settingsText() const {
        return "[Settings]\nMainLeft=300\nMainTop=450\nMainWidth=9000\nMainHeight=7500\n"
               "[RecentFiles]\nFile1=" +
               file("a.dat").toUtf8() + "\n";
    }
    void writeSettingsFile(const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(settingsFilePath()).absolutePath());
        QFile out(settingsFilePath());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    }
};

} // namespace

TEST_F(SettingsAtStart, APipeForSettingsStartsWithDefaultsAndOneNoticeAndIsNeverOpened) {
    SettingsFifo fifo;
    ASSERT_TRUE(fifo.made());
    {
        TrainData startedData;
        ScriptedPrompter told;
        MainWindow started(startedData, told, chooser);
        ASSERT_EQ(told.told.size(), 1);
        EXPECT_EQ(told.told.first(), unusableSettingsText(settingsFileProblem()));
        EXPECT_TRUE(told.told.first().contains(settingsFilePath()));
        EXPECT_EQ(started.size(), QSize(576, 448));

        // Opening a file would list it, and closing writes the placement.
        started.loadCommandLine({writeTrainFile(file("a.dat"), QStringLiteral("1"))});
        started.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&started));
        started.close();
        EXPECT_EQ(told.told.size(), 1);
        EXPECT_EQ(told.count(), 0);
    }
    EXPECT_FALSE(fifo.opened());
    EXPECT_TRUE(fifo.stillAFifo());
}

TEST_F(SettingsAtStart, AnOversizedSettingsFileIsNeitherReadNorWritten) {
    writeTrainFile(file("a.dat"), QStringLiteral("1"));
    auto start = [&](ScriptedPrompter& told, auto&& inside) {
        TrainData startedData;
        MainWindow started(startedData, told, chooser);
        inside(started);
    };
    // Within the limit, the file gives the placement and the recent file.
    writeSettingsFile(settingsText());
    ScriptedPrompter quiet;
    start(quiet, [](MainWindow& w) {
        EXPECT_EQ(w.size(), QSize(600, 500));
        EXPECT_TRUE(w.action(QStringLiteral("mnuFileMRU(1)"))->isVisible());
    });
    EXPECT_TRUE(quiet.told.isEmpty());

    const QByteArray oversized = settingsText() + QByteArray(MaxSettingsFileSize, '\n');
    writeSettingsFile(oversized);
    ScriptedPrompter told;
    start(told, [&](MainWindow& w) {
        EXPECT_EQ(w.size(), QSize(576, 448));
        EXPECT_FALSE(w.action(QStringLiteral("mnuFileMRU(1)"))->isVisible());
        w.loadCommandLine({file("a.dat")});
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        w.move(40, 60);
        w.close();
    });
    ASSERT_EQ(told.told.size(), 1);
    EXPECT_TRUE(told.told.first().endsWith(
        QStringLiteral("ファイルが大きすぎます (1 メガバイトまでです)。")));
    QFile in(settingsFilePath());
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_TRUE(in.readAll() == oversized);
}

TEST_F(SettingsAtStart, AListedPipeOrFolderIsDroppedWhenChosenWithTheReason) {
    const QString pipe = file("pipe.dat");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString folder = file("folder.dat");
    ASSERT_TRUE(QDir().mkdir(folder));
    {
        QSettings store = placementStore();
        store.setValue(QStringLiteral("RecentFiles/File1"), pipe);
        store.setValue(QStringLiteral("RecentFiles/File2"), folder);
    }
    TrainData startedData;
    MainWindow started(startedData, prompter, chooser);
    QAction* first = started.action(QStringLiteral("mnuFileMRU(1)"));
    ASSERT_EQ(first->text(), QStringLiteral("&1 ") + pipe);
    first->trigger();
    ASSERT_EQ(first->text(), QStringLiteral("&1 ") + folder);
    first->trigger();
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(prompter.told,
              (QStringList{
                  pipe + QStringLiteral(
                             "\nこれは通常のファイルではありません (デバイス、パイプ、ソケット)。"
                             "最近使ったファイルの一覧から削除しました。"),
                  folder + QStringLiteral("\nこれはファイルではなくフォルダーです。"
                                          "最近使ったファイルの一覧から削除しました。")}));
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_TRUE(startedData.documentPath().isEmpty());
    QSettings store = placementStore();
    EXPECT_FALSE(store.contains(QStringLiteral("RecentFiles/File1")));
}
