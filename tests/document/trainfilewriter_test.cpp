#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"
#include "support/scriptedprompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(WriterNewDocument, WritesTheWholeFileByteForByte) {
    TrainData data;
    const QByteArray expected = readBytes(QStringLiteral(ORLENDA_TEST_DATA "/new-document.dat"));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(encodeShiftJis(trainFileText(data)), expected);
}

TEST(WriterNewDocument, PutsEachSectionOnItsLine) {
    TrainData data;
    const QStringList lines = trainFileLines(data);
    ASSERT_EQ(lines.size(), TrainFileLineCount);
    EXPECT_EQ(lines.at(0), QStringLiteral("QRL2000000"));
    EXPECT_EQ(lines.at(1), QStringLiteral("#ACCELERATION"));
    EXPECT_EQ(lines.at(2), QStringLiteral("0.6,0.6,25,25,2"));
    EXPECT_EQ(lines.at(9), QStringLiteral("0,0,0,0,1"));
    EXPECT_EQ(lines.at(10), QStringLiteral("#PERFORMANCE"));
    EXPECT_EQ(lines.at(61), QStringLiteral("#MOTOR_P1"));
    EXPECT_EQ(lines.at(61 + 1 + 450), QStringLiteral("0,100,127"));
    EXPECT_EQ(lines.at(862), QStringLiteral("#MOTOR_P2"));
    for (int r = 0; r < MotorSoundRows; ++r)
        ASSERT_EQ(lines.at(863 + r), QStringLiteral("-1,100,0"));
    EXPECT_EQ(lines.last(), QStringLiteral("#"));
    const qsizetype handle = lines.indexOf(QStringLiteral("#HANDLE"));
    EXPECT_EQ(lines.mid(handle + 1, 4), (QStringList{"0", "4", "0", "8"}));
    EXPECT_TRUE(trainFileText(data).endsWith(QStringLiteral("\r\n#\r\n")));
}

TEST(WriterValues, TextsGoOutAsTheyReadBackAndEmptyListsAsMinusOne) {
    TrainData data;
    data.setText(txtPer(0), QStringLiteral(" 12 "));
    data.setText(txtCar(4), QStringLiteral("1,5"));
    data.setListIndex(cbxBrkSend, 1);
    data.setListIndex(cbxHandle(2), -1);
    data.setListIndex(cbxDevice(2), -1);
    data.setCheck(3, true);
    data.accelerationTable()[1] = AccelerationRow{1.0f / 3.0f, -2.5f, -1, 32767, 0.95f};
    data.motorSoundTable()[Track::B2][799] = MotorSoundEntry{-32768, 32767, 7};
    const QStringList lines = trainFileLines(data);
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
}

TEST(WriterEncoding, JapaneseTextIsWrittenInShiftJis) {
    TrainData data;
    data.setText(txtPer(0), QStringLiteral("減速"));
    const QByteArray bytes = encodeShiftJis(trainFileText(data));
    EXPECT_TRUE(bytes.contains(QByteArray("\x8C\xB8\x91\xAC")));
}

class SaveTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TrainData data;
    ScriptedPrompter prompter;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
};

TEST_F(SaveTest, ReplacesALongerFileWithoutTrace) {
    const QString target = path("train.dat");
    writeBytes(target, QByteArray(200000, 'x'));
    data.setDocumentPath(target);
    EXPECT_TRUE(save(data, prompter));
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(readBytes(target), encodeShiftJis(trainFileText(data)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary left
}

TEST_F(SaveTest, MissingFolderGivesOnePromptAndNoFile) {
    const QString target = path("missing/train.dat");
    data.setDocumentPath(target);
    EXPECT_FALSE(save(data, prompter));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.questions().at(0).caption, QStringLiteral("Orlenda - Save"));
    EXPECT_TRUE(prompter.questions().at(0).text.endsWith(QStringLiteral("続行しますか？")));
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(SaveTest, UnencodableTextLeavesTheOldFileIntact) {
    const QString target = path("train.dat");
    writeBytes(target, QByteArray("old content"));
    data.setDocumentPath(target);
    data.setText(txtPer(0), QStringLiteral("4\u00E9\U0001F600"));
    EXPECT_FALSE(save(data, prompter));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_TRUE(prompter.questions().at(0).text.contains(QStringLiteral("\u00E9\U0001F600")));
    EXPECT_EQ(readBytes(target), QByteArray("old content"));
}

TEST_F(SaveTest, DecliningEndsTheProgramWithTheOldFileIntact) {
    const QString target = path("train.dat");
    writeBytes(target, QByteArray("old content"));
    data.setDocumentPath(target);
    data.setText(txtPer(0), QStringLiteral("\u00E9"));
    prompter.script({false});
    EXPECT_THROW(save(data, prompter), Orlenda::ProgramEndRequested);
    EXPECT_EQ(readBytes(target), QByteArray("old content"));
}

TEST_F(SaveTest, TargetThatIsAFolderOrBelowAFileFailsOnce) {
    writeBytes(path("plain"), QByteArray("x"));
    for (const QString& target : {dir.path(), path("plain/train.dat"), QString()}) {
        ScriptedPrompter p;
        data.setDocumentPath(target);
        EXPECT_FALSE(save(data, p)) << target.toStdString();
        EXPECT_EQ(p.count(), 1);
    }
    EXPECT_EQ(readBytes(path("plain")), QByteArray("x"));
}
