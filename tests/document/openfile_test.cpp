#include "document/openfile.h"
#include "shared/apptitle.h"
#include "support/documenttests.h"

#include <QFile>

using namespace Orlenda;

namespace {

// Opens path over a document that came from another file and holds an edit.
void openOverEarlierDocument(TrainData& data, const QString& path, ScriptedPrompter& prompter) {
    data.setDocumentPath(QStringLiteral("/earlier/train.dat"));
    data.setText(txtPer(0), QStringLiteral("7"));
    openFile(data, path, prompter);
}

void expectRefused(const QString& path) {
    TrainData data;
    ScriptedPrompter prompter;
    openOverEarlierDocument(data, path, prompter);
    ASSERT_EQ(prompter.count(), 1) << path.toStdString();
    EXPECT_EQ(prompter.countFor(QStringLiteral("OpenFile")), 1);
    EXPECT_TRUE(prompter.questions().at(0).text.startsWith(
        failureDescription(Failure::NotATrainFile) + QLatin1Char(' ') + path))
        << prompter.questions().at(0).text.toStdString();
    // As after a file that cannot be opened: new, no path, so Save asks for a name.
    EXPECT_TRUE(data.documentPath().isEmpty());
    EXPECT_EQ(data.caption(), QStringLiteral("Orlenda"));
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
    EXPECT_FALSE(data.isModified());
}

void expectAdopted(const QString& path, TrainData& data) {
    ScriptedPrompter prompter;
    openOverEarlierDocument(data, path, prompter);
    EXPECT_EQ(prompter.count(), 0) << path.toStdString();
    EXPECT_EQ(data.documentPath(), path);
    EXPECT_FALSE(data.isModified());
}

} // namespace

TEST_F(DocumentTest, NotATrainFileBinaryAndSectionlessFilesAreRefusedWithOneQuestion) {
    // binary.bin and not-a-train-file.ini are refused by the main window's and the CLI's tests.
    // Current-format lines after an empty first line go to the legacy reader,
    // which finds no head in them.
    expectRefused(dataFile("current-first-line-empty.dat"));

    expectRefused(writtenFile(dir, "empty.trn", QByteArray()));
    expectRefused(
        writtenFile(dir, "nul.dat", QByteArray("QRL2000000\r\n#PERFORMANCE\r\n3\0\r\n#\r\n", 33)));
}

TEST_F(DocumentTest, NotATrainFileOversizedFileIsRefusedBeforeItIsRead) {
    // A proper train file followed by padding up to one byte past the limit.
    const QString padded = dir.filePath(QStringLiteral("huge.dat"));
    QByteArray bytes = readWholeFile(dataFile("new-document.dat"));
    bytes += QByteArray(MaxTrainFileSize + 1 - bytes.size(), ' ');
    writeWholeFile(padded, bytes);
    expectRefused(padded);
    // Exactly at the limit it is still read.
    bytes.chop(1);
    writeWholeFile(padded, bytes);
    expectAdopted(padded, data);

    const QString sparse = dir.filePath(QStringLiteral("sparse.dat"));
    QFile file(sparse);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(qint64(1) << 32));
    file.close();
    expectRefused(sparse);
}

TEST_F(DocumentTest, NotATrainFileRealFilesAreNotRefused) {
    expectAdopted(dataFile("legacy-utf8-bom.trn"), data);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("3.5"));
    EXPECT_EQ(data.text(txtCar(3)), QStringLiteral("4"));

    expectAdopted(dataFile("current-ctrl-z.dat"), data);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("3.5"));

    // Its only head stands on the first line, which the format detection
    // takes: nothing is read, and it is still a train file.
    expectAdopted(dataFile("only-head.trn"), data);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));

    // A broken train file keeps its questions and its path.
    const QString broken =
        writtenFile(dir, "broken.trn", encodeShiftJis("\r\n[減速度]\r\n2.5\r\n[FOO]\r\n"));
    openFile(data, broken, prompter);
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("2.5"));
    EXPECT_EQ(data.documentPath(), broken);
}

TEST(NotATrainFile, BinaryBytesAreControlBytesOtherThanTextLayout) {
    for (int b = 0; b < 0x20; ++b) {
        const bool text =
            b == '\t' || b == '\n' || b == '\v' || b == '\f' || b == '\r' || b == 0x1A;
        EXPECT_EQ(holdsBinaryBytes(QByteArray("[VVVF]") + char(b)), !text) << b;
    }
    // Shift-JIS and UTF-8 never use bytes below 0x40 inside a character.
    EXPECT_FALSE(holdsBinaryBytes(encodeShiftJis(QStringLiteral("[制御方式]\x7F"))));
    EXPECT_FALSE(holdsBinaryBytes(QStringLiteral("[モータ音]").toUtf8()));
}

TEST_F(DocumentTest, OpenFileProductWordIsCaseBlindAndOtherFilesAreLegacy) {
    const QString lower =
        writtenFile(dir, "a.trn", "qrl1220000\r\n#CAR\r\n1\r\n2\r\n3\r\n4\r\n5\r\n#\r\n\r\n");
    openFile(data, lower, prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(data.formatVersion(), 1220000);
    EXPECT_EQ(data.text(txtCar(4)), QStringLiteral("5"));

    const QString legacy =
        writtenFile(dir, "x.dat", encodeShiftJis(QStringLiteral("[制御方式]\r\n")));
    openFile(data, legacy, prompter);
    EXPECT_EQ(prompter.countFor(QStringLiteral("OpenDat")), 0);
    EXPECT_EQ(data.formatVersion(), 1220000); // the legacy reader leaves it alone
    EXPECT_EQ(data.documentPath(), legacy);
}

TEST_F(DocumentTest, OpenFileUnsupportedVersionAsksFirst) {
    const QString old = writtenFile(dir, "old.dat", "QRL1100000\r\n#BRAKE\r\n2\r\n0\r\n5\r\n#\r\n");
    ScriptedPrompter yes;
    openFile(data, old, yes);
    ASSERT_EQ(yes.count(), 1);
    EXPECT_EQ(yes.questions().at(0).caption, applicationTitle());
    EXPECT_EQ(yes.questions().at(0).text,
              old + QStringLiteral(
                        "\nこの車両ファイルは現在サポートされていない形式です。続行しますか？"));
    EXPECT_EQ(yes.questions().at(0).icon, Prompter::Icon::Warning);
    EXPECT_EQ(data.text(txtElcStop), QStringLiteral("300")); // read as the oldest layout
    EXPECT_EQ(data.documentPath(), old);

    const QString bare = writtenFile(dir, "bare.dat", "QRL\r\n#PERFORMANCE\r\n9\r\n#");
    ScriptedPrompter no(false);
    data.setText(txtPer(0), QStringLiteral("7"));
    openFile(data, bare, no);
    EXPECT_FALSE(data.isModified());
    EXPECT_EQ(no.count(), 1);
    EXPECT_EQ(data.formatVersion(), 0);
    EXPECT_EQ(data.text(txtElcStop), QStringLiteral("10"));
    EXPECT_TRUE(data.documentPath().isEmpty());
}

TEST_F(DocumentTest, OpenFileUnreadableFileIsReportedOnceAndLeavesNoPath) {
    data.setDocumentPath(dir.filePath(QStringLiteral("earlier.dat")));
    data.setText(txtPer(0), QStringLiteral("7"));
    openFile(data, dir.filePath(QStringLiteral("missing.dat")), prompter);
    ASSERT_EQ(prompter.countFor(QStringLiteral("OpenFile")), 1);
    EXPECT_TRUE(
        prompter.questions().at(0).text.startsWith(failureDescription(Failure::FileNotFound)));
    EXPECT_TRUE(data.documentPath().isEmpty());
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
    EXPECT_FALSE(data.isModified());

    ScriptedPrompter no(false); // a folder, refused as in the file-boundary tests
    EXPECT_THROW(openFile(data, dir.path(), no), ProgramEndRequested);
}

TEST_F(DocumentTest, ModifiedStateConfirmingAnUnchangedTableOrRetypingATextChangesNothing) {
    data.setAccelerationTable(AccelerationTable(data.accelerationTable()));
    data.setMotorSoundTable(MotorSoundTable(data.motorSoundTable()));
    data.setText(txtPer(0), data.text(txtPer(0)));
    data.setListIndex(cbxHead, data.listIndex(cbxHead));
    data.setDocumentPath(QStringLiteral("/x/a.dat"));
    EXPECT_FALSE(data.isModified());
}
