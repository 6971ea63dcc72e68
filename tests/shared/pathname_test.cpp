#include "shared/pathname.h"
#include "support/workingfolder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Orlenda;

TEST(UnreadableName, OnlyValidUtf8IsANameAndOtherBytesAreShownAsCodes) {
    // Shift-JIS for "アA.dat", as an old archive holds it.
    const QByteArray shiftJis("\x83\x41\x41.dat");
    EXPECT_FALSE(nameFromBytes(shiftJis));
    EXPECT_EQ(shownName(shiftJis), QStringLiteral("\\x83AA.dat"));
    // Overlong, a surrogate, a sequence cut short.
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "a\xE3\x82"}) {
        EXPECT_FALSE(nameFromBytes(QByteArray(bad))) << bad;
        EXPECT_TRUE(shownName(QByteArray(bad)).contains(QStringLiteral("\\x"))) << bad;
    }
    const QByteArray utf8 = QStringLiteral("列車 \uFFFD.dat").toUtf8();
    EXPECT_EQ(nameFromBytes(utf8), QStringLiteral("列車 \uFFFD.dat"));
    EXPECT_EQ(shownName(QByteArray("\xE5\x88\x97\x83")), QStringLiteral("列\\x83"));

    EXPECT_TRUE(holdsUnreadableBytes(QString::fromUtf8(shiftJis)));
    EXPECT_FALSE(holdsUnreadableBytes(QStringLiteral("列車.dat")));
}

TEST(AbsolutePath, ARemovedWorkingFolderNamesNoFileInTheRoot) {
    QTemporaryDir dir;
    const QString gone = dir.filePath(QStringLiteral("gone"));
    ASSERT_TRUE(QDir().mkpath(gone));
    WorkingFolder folder(gone);
    EXPECT_EQ(absolutePath(QStringLiteral("train.dat")), gone + QStringLiteral("/train.dat"));
    ASSERT_TRUE(QDir().rmdir(gone));
    EXPECT_EQ(absolutePath(QStringLiteral("train.dat")), QStringLiteral("train.dat"));
}
