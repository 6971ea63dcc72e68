#include "document/diskfingerprint.h"
#include "support/documenttests.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Orlenda;

// The new document's bytes are pinned by the command line's "new".
TEST_F(DocumentTest, WriterValuesTextsGoOutAsTheyReadBackAndEmptyListsAsMinusOne) {
    data.setText(txtPer(0), QStringLiteral(" 12 "));
    data.setText(txtPer(1), QStringLiteral("減速"));
    data.setText(txtCar(4), QStringLiteral("1,5"));
    data.setListIndex(cbxBrkSend, 1);
    data.setListIndex(cbxHandle(2), -1);
    data.setListIndex(cbxDevice(2), -1);
    data.setCheck(chkDevice(3), true);
    AccelerationTable acceleration = data.accelerationTable();
    acceleration[1] = AccelerationRow{1.0f / 3.0f, -2.5f, -1, 32767, 0.95f};
    data.setAccelerationTable(acceleration);
    MotorSoundTable motor = data.motorSoundTable();
    motor[Track::B2][799] = MotorSoundEntry{-32768, 32767, 7};
    data.setMotorSoundTable(motor);
    const QStringList lines = writtenLines(data);
    ASSERT_EQ(lines.size(), TrainFileLineCount);
    // A leading blank would be lost and a comma would split the field: their value is written.
    EXPECT_EQ(lines.at(11), QStringLiteral("12"));
    EXPECT_EQ(lines.at(3), QStringLiteral("0.3333333,-2.5,-1,32767,0.95"));
    const qsizetype handle = lines.indexOf(QStringLiteral("#HANDLE"));
    EXPECT_EQ(lines.at(handle + 3), QStringLiteral("-1"));
    const qsizetype car = lines.indexOf(QStringLiteral("#CAR"));
    EXPECT_EQ(lines.at(car + 5), QStringLiteral("1"));
    const qsizetype device = lines.indexOf(QStringLiteral("#DEVICE"));
    EXPECT_EQ(lines.mid(device + 1, 8), (QStringList{"0", "0", "0", "0", "1", "0", "0", "-1"}));
    EXPECT_EQ(lines.at(lines.size() - 2), QStringLiteral("7,-32768,32767"));
    // Japanese text goes out in Shift-JIS.
    EXPECT_TRUE(encodeShiftJis(trainFileText(data)).contains(QByteArray("\x8C\xB8\x91\xAC")));
}

class SaveTest : public DocumentTest {
protected:
    // The document as if it had been read from the file at path.
    void adopt(const QString& path) {
        data.setDiskFingerprint(fingerprintOfBytes(path, readWholeFile(path)));
        data.setDocumentPath(path);
    }
    // Saves over a file that holds "old content".
    bool saveOverOldFile(const QString& text) {
        adopt(writtenFile(dir, "train.dat", "old content"));
        data.setText(txtPer(0), text);
        return save(data, prompter);
    }
};

TEST_F(SaveTest, ReplacesALongerFileWithoutTrace) {
    adopt(writtenFile(dir, "train.dat", QByteArray(200000, 'x')));
    EXPECT_TRUE(save(data, prompter));
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(readWholeFile(data.documentPath()), encodeShiftJis(trainFileText(data)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary left
}

TEST_F(SaveTest, UnencodableTextLeavesTheOldFileIntact) {
    EXPECT_FALSE(saveOverOldFile(QStringLiteral("4\u00E9\U0001F600")));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_TRUE(prompter.questions().at(0).text.contains(QStringLiteral("\u00E9\U0001F600")));
    EXPECT_EQ(readWholeFile(data.documentPath()), QByteArray("old content"));

    // Declining ends the program, with the old file still intact.
    prompter.script({false});
    EXPECT_THROW(saveOverOldFile(QStringLiteral("\u00E9")), Orlenda::ProgramEndRequested);
    EXPECT_EQ(readWholeFile(data.documentPath()), QByteArray("old content"));
}

TEST_F(SaveTest, MissingFolderOrAFolderOrBelowAFileFailsOnceWritingNothing) {
    const QString plain = writtenFile(dir, "plain", "x");
    const QString missing = dir.filePath(QStringLiteral("missing/train.dat"));
    for (const QString& target :
         {missing, dir.path(), plain + QStringLiteral("/train.dat"), QString()}) {
        ScriptedPrompter p;
        data.setDocumentPath(target);
        EXPECT_FALSE(save(data, p)) << target.toStdString();
        ASSERT_EQ(p.count(), 1);
        EXPECT_EQ(p.questions().at(0).caption, QStringLiteral("Orlenda - Save"));
        EXPECT_TRUE(p.questions().at(0).text.endsWith(QStringLiteral("続行しますか？")));
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(readWholeFile(plain), QByteArray("x"));
}
