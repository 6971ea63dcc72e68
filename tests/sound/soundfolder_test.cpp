#include "sound/soundassignment.h"
#include "sound/soundfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

SoundFolder folderOf(const QStringList& names) {
    static QTemporaryDir dir;
    QDir(dir.path()).removeRecursively();
    QDir().mkpath(dir.path());
    for (const QString& name : names) {
        QFile f(QDir(dir.path()).filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    }
    return SoundFolder(dir.path());
}

} // namespace

TEST(SoundFolder, NumberIsTheWholeNumberTheNameEndsIn) {
    const SoundFolder f = folderOf({"3.wav", "Motor_07.OGG", "run12.flac", "x13.wav", "4.txt",
                                    "5", "motor.wav", "a5b.wav", "0000.wav"});
    EXPECT_EQ(f.defaultFile(3), u"3.wav");
    EXPECT_EQ(f.defaultFile(7), u"Motor_07.OGG"); // leading zero, any case
    EXPECT_EQ(f.defaultFile(12), u"run12.flac");
    EXPECT_EQ(f.defaultFile(13), u"x13.wav");
    EXPECT_EQ(f.defaultFile(0), u"0000.wav");
    EXPECT_FALSE(f.defaultFile(1)); // 13 does not end in 1 as a whole number
    EXPECT_FALSE(f.defaultFile(4)); // not audio
    EXPECT_FALSE(f.defaultFile(5)); // no extension, digit not at the end
    EXPECT_EQ(f.files().size(), 7);
}

TEST(SoundFolder, SeveralMatchesTakeTheShortestThenCodePointOrder) {
    const SoundFolder f = folderOf({"motor2.wav", "b2.wav", "a02.wav", "B2.wav", "long_0002.ogg"});
    EXPECT_EQ(f.defaultFile(2), u"B2.wav"); // 'B' < 'b'; shorter than a02.wav
    const SoundFolder g = folderOf({"motor9.wav", "9.flac", "09.wav", "9.ogg"});
    EXPECT_EQ(g.defaultFile(9), u"9.ogg");
}

TEST(SoundFolder, SubFoldersAndMissingFoldersListNothing) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("sub.wav"));
    QDir(dir.path()).mkpath(QStringLiteral("inner"));
    QFile f(dir.filePath(QStringLiteral("inner/1.wav")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    EXPECT_TRUE(SoundFolder(dir.path()).files().isEmpty());
    EXPECT_TRUE(SoundFolder(dir.filePath(QStringLiteral("none"))).files().isEmpty());
}

TEST(SoundAssignment, OverridesTheDefaultWithAFileOrNone) {
    const SoundFolder f = folderOf({"1.wav", "2.wav", "other.ogg"});
    SoundAssignment a;
    a.assign(1, QStringLiteral("other.ogg"));
    a.assign(2, QString());
    EXPECT_EQ(a.fileFor(1, f), u"other.ogg");
    EXPECT_FALSE(a.fileFor(2, f));
    a.clear(2);
    EXPECT_EQ(a.fileFor(2, f), u"2.wav");

    // Read back from the settings, which may hold anything.
    QVariantMap stored = a.toVariant();
    stored.insert(QStringLiteral("7"), QStringLiteral("../outside.wav"));
    stored.insert(QStringLiteral("x"), QStringLiteral("a.wav"));
    stored.insert(QStringLiteral("-1"), QStringLiteral("a.wav"));
    stored.insert(QStringLiteral("8"), 42);
    const SoundAssignment back = SoundAssignment::fromVariant(stored);
    EXPECT_EQ(back, a);
}
