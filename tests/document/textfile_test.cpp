#include "support/documenttests.h"

using namespace Orlenda;

TEST(TrainFileDecoding, ShiftJisByDefaultUtf8WhenMarkedOrValid) {
    const QByteArray sjis("[\x90\xA7\x8C\xE4\x95\xFB\x8E\xAE]"); // [制御方式]
    EXPECT_EQ(decodeTrainFileBytes(sjis), QStringLiteral("[制御方式]"));
    const QByteArray utf8 = QStringLiteral("[制御方式]").toUtf8();
    EXPECT_EQ(decodeTrainFileBytes(utf8), QStringLiteral("[制御方式]"));
    EXPECT_EQ(decodeTrainFileBytes("\xEF\xBB\xBFQRL2000000"), QStringLiteral("QRL2000000"));
}

TEST(TrainFileEncoding, ControlAndAsciiBytesMapToThemselves) {
    QByteArray ascii;
    for (int c = 1; c < 0x80; ++c)
        ascii += char(c);
    EXPECT_EQ(decodeTrainFileBytes(ascii), QString::fromLatin1(ascii));
    EXPECT_EQ(encodeShiftJis(QString::fromLatin1(ascii)), ascii);
    // The same bytes inside a Shift-JIS file that also holds Japanese text.
    const QByteArray sjis = QByteArray("\x90\xA7") + ascii; // 制
    EXPECT_EQ(decodeTrainFileBytes(sjis), QStringLiteral("制") + QString::fromLatin1(ascii));
    EXPECT_EQ(encodeShiftJis(QStringLiteral("制") + QString::fromLatin1(ascii)), sjis);
}
