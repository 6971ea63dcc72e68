#include "document/openfile.h"
#include "shared/apptitle.h"
#include "support/documenttests.h"

using namespace Orlenda;

TEST(OpenFile, ProductWordIsCaseBlindAndOtherFilesAreLegacy) {
    QTemporaryDir dir;
    const QString lower =
        writtenFile(dir, "a.trn", "qrl1220000\r\n#CAR\r\n1\r\n2\r\n3\r\n4\r\n5\r\n#\r\n\r\n");
    TrainData data;
    ScriptedPrompter prompter;
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

TEST(OpenFile, UnsupportedVersionAsksFirst) {
    QTemporaryDir dir;
    const QString old = writtenFile(dir, "old.dat", "QRL1100000\r\n#BRAKE\r\n2\r\n0\r\n5\r\n#\r\n");
    TrainData data;
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
    openFile(data, bare, no);
    EXPECT_EQ(no.count(), 1);
    EXPECT_EQ(data.formatVersion(), 0);
    EXPECT_EQ(data.text(txtElcStop), QStringLiteral("10"));
    EXPECT_TRUE(data.documentPath().isEmpty());
}

TEST(OpenFile, UnreadableFileIsReportedOnceAndLeavesNoPath) {
    QTemporaryDir dir;
    TrainData data;
    data.setDocumentPath(dir.filePath(QStringLiteral("earlier.dat")));
    data.setText(txtPer(0), QStringLiteral("7"));
    ScriptedPrompter prompter;
    openFile(data, dir.filePath(QStringLiteral("missing.dat")), prompter);
    ASSERT_EQ(prompter.countFor(QStringLiteral("OpenFile")), 1);
    EXPECT_TRUE(
        prompter.questions().at(0).text.startsWith(failureDescription(Failure::FileNotFound)));
    EXPECT_TRUE(data.documentPath().isEmpty());
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
    openFile(data, dir.path(), prompter); // a folder
    EXPECT_EQ(prompter.count(), 2);

    ScriptedPrompter no(false);
    EXPECT_THROW(openFile(data, dir.path(), no), ProgramEndRequested);
}
