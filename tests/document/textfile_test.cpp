#include "support/documenttests.h"

using namespace Orlenda;

// Shift-JIS by default and UTF-8 without a mark are pinned by the legacy files
// the open tests read and by the half-width kana file.
TEST(TrainFileEncoding, ControlAndAsciiBytesMapToThemselvesAndAMarkIsDropped) {
    QByteArray ascii;
    for (int c = 1; c < 0x80; ++c)
        ascii += char(c);
    EXPECT_EQ(decodeTrainFileBytes(ascii), QString::fromLatin1(ascii));
    EXPECT_EQ(encodeShiftJis(QString::fromLatin1(ascii)), ascii);
    // The same bytes inside a Shift-JIS file that also holds Japanese text.
    const QByteArray sjis = QByteArray("\x90\xA7") + ascii; // 制
    EXPECT_EQ(decodeTrainFileBytes(sjis), QStringLiteral("制") + QString::fromLatin1(ascii));
    EXPECT_EQ(encodeShiftJis(QStringLiteral("制") + QString::fromLatin1(ascii)), sjis);
    // A byte-order mark is dropped from a current file too.
    EXPECT_EQ(decodeTrainFileBytes("\xEF\xBB\xBFQRL2000000"), QStringLiteral("QRL2000000"));
}
