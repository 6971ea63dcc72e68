#include "document/diskfingerprint.h"
#include "document/openfile.h"
#include "support/documenttests.h"
#include "support/documenttests.h"
#include "support/workingfolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

using namespace Orlenda;

namespace {

QByteArray fileWithDeceleration(const char* text) {
    TrainData source;
    source.setText(txtPer(0), QString::fromLatin1(text));
    return encodeShiftJis(trainFileText(source));
}

// The file's modification time moved by seconds, its bytes untouched.
void moveTime(const QString& path, int seconds) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(file.fileTime(QFileDevice::FileModificationTime).addSecs(seconds),
                                 QFileDevice::FileModificationTime));
}

// Another program replacing the file in place, a little later.
void otherProgramWrites(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.close();
    moveTime(path, 2);
}

QString decelerationOnDisk(const QString& path) {
    TrainData data;
    ScriptedPrompter quiet;
    openFile(data, path, quiet);
    return data.documentPath().isEmpty() ? QString() : data.text(txtPer(0));
}

// A document opened from train.dat ("4") and edited to "2.5".
class SaveCheck : public DocumentTest {
protected:
    void SetUp() override {
        path = writtenFile(dir, "train.dat", fileWithDeceleration("4"));
        openFile(data, path, prompter);
        ASSERT_EQ(data.documentPath(), path);
        data.setText(txtPer(0), QStringLiteral("2.5"));
        ASSERT_TRUE(data.isModified());
    }
    QString changedText() const { return changedOnDiskQuestionText(path); }

    QString path;
};

} // namespace

TEST_F(SaveCheck, AFileChangedSinceOpenMakesSaveAskAndNoKeepsTheOtherProgramsFile) {
    EXPECT_EQ(
        changedText(),
        QStringLiteral(
            "train.dat は開いた後に他のプログラムによって変更されています。上書きしますか？"));
    // The same size (only the hash tells) and another size.
    for (const auto& [theirText, mine] : {std::pair{"5", "2.5"}, std::pair{"12.75", "3.5"}}) {
        SCOPED_TRACE(theirText);
        data.setText(txtPer(0), QString::fromLatin1(mine));
        const QByteArray theirs = fileWithDeceleration(theirText);
        otherProgramWrites(path, theirs);
        ScriptedPrompter asked;
        asked.script({false});
        EXPECT_FALSE(save(data, asked));
        EXPECT_EQ(questionTexts(asked), QStringList{changedText()});
        EXPECT_EQ(readWholeFile(path), theirs);
        EXPECT_TRUE(data.isModified());

        asked.script({true});
        EXPECT_TRUE(save(data, asked));
        EXPECT_EQ(asked.count(), 2);
        EXPECT_EQ(decelerationOnDisk(path), QString::fromLatin1(mine));
        EXPECT_FALSE(data.isModified());
        // The file is the document's own again.
        data.setText(txtPer(0), QStringLiteral("8"));
        EXPECT_TRUE(save(data, asked));
        EXPECT_EQ(asked.count(), 2);
    }
}

TEST_F(SaveCheck, ATouchAloneDoesNotAskAndAFileThatHasGoneIsWrittenAgain) {
    moveTime(path, 5);
    EXPECT_TRUE(save(data, prompter));
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(decelerationOnDisk(path), QStringLiteral("2.5"));

    ASSERT_TRUE(QFile::remove(path));
    data.setText(txtPer(0), QStringLiteral("3"));
    data.setAsksBeforeReplacing(true);
    EXPECT_TRUE(save(data, prompter));
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(decelerationOnDisk(path), QStringLiteral("3"));
}

TEST_F(SaveCheck, AMarkFromARestoredCopyAsksOnceThoughTheFileIsUnchanged) {
    const QByteArray before = readWholeFile(path);
    data.setAsksBeforeReplacing(true);
    prompter.script({false});
    EXPECT_FALSE(save(data, prompter));
    EXPECT_EQ(readWholeFile(path), before);
    EXPECT_TRUE(data.asksBeforeReplacing());

    EXPECT_TRUE(save(data, prompter));
    EXPECT_EQ(questionTexts(prompter), QStringList(2, changedText()));
    EXPECT_FALSE(data.asksBeforeReplacing());
    data.setText(txtPer(0), QStringLiteral("3"));
    EXPECT_TRUE(save(data, prompter));
    EXPECT_EQ(prompter.count(), 2);
}

TEST_F(SaveCheck, SaveAsOntoAnotherFileDoesNotAskButOntoTheOwnPathItDoes) {
    otherProgramWrites(path, fileWithDeceleration("5"));
    const QString other = writtenFile(dir, "other.dat", fileWithDeceleration("6"));
    EXPECT_TRUE(saveTo(data, other, prompter));
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(data.documentPath(), other);

    // The same file named relative to the working folder is the own file.
    otherProgramWrites(other, fileWithDeceleration("7"));
    WorkingFolder folder(dir.path());
    prompter.script({false});
    EXPECT_FALSE(saveTo(data, QStringLiteral("other.dat"), prompter));
    EXPECT_EQ(questionTexts(prompter), QStringList{changedOnDiskQuestionText(other)});
    EXPECT_EQ(decelerationOnDisk(other), QStringLiteral("7"));
}

TEST_F(DocumentTest, ARelativePathOpenedInOneFolderIsSavedThereAfterTheFolderChanges) {
    QDir(dir.path()).mkdir(QStringLiteral("a"));
    QDir(dir.path()).mkdir(QStringLiteral("b"));
    const QString a = dir.filePath(QStringLiteral("a/train.dat"));
    const QString b = dir.filePath(QStringLiteral("b/train.dat"));
    writeWholeFile(a, fileWithDeceleration("1"));
    writeWholeFile(b, fileWithDeceleration("2"));

    WorkingFolder folder(dir.filePath(QStringLiteral("a")));
    openFile(data, QStringLiteral("train.dat"), prompter);
    EXPECT_EQ(data.documentPath(), QDir::currentPath() + QStringLiteral("/train.dat"));
    EXPECT_TRUE(QDir::isAbsolutePath(data.documentPath()));
    folder.change(dir.filePath(QStringLiteral("b")));
    data.setText(txtPer(0), QStringLiteral("9"));
    EXPECT_TRUE(save(data, prompter));
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(decelerationOnDisk(a), QStringLiteral("9"));
    EXPECT_EQ(decelerationOnDisk(b), QStringLiteral("2"));
}

// Through a link, "link/../train.dat" is the link target's neighbour, not
// the file beside the link: a lexical clean-up would name the wrong one.
TEST_F(DocumentTest, DotDotIsKeptAsTypedAndFollowsTheLink) {
    QDir root(dir.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("here")) && root.mkpath(QStringLiteral("far/inner")));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("far/inner")),
                            dir.filePath(QStringLiteral("here/link"))));
    const QString beside = dir.filePath(QStringLiteral("here/train.dat"));
    const QString far = dir.filePath(QStringLiteral("far/train.dat"));
    writeWholeFile(beside, fileWithDeceleration("1"));
    writeWholeFile(far, fileWithDeceleration("2"));

    WorkingFolder folder(dir.filePath(QStringLiteral("here")));
    openFile(data, QStringLiteral("link/../train.dat"), prompter);
    EXPECT_EQ(data.documentPath(), QDir::currentPath() + QStringLiteral("/link/../train.dat"));
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("2"));
    data.setText(txtPer(0), QStringLiteral("3"));
    EXPECT_TRUE(save(data, prompter));
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(decelerationOnDisk(far), QStringLiteral("3"));
    EXPECT_EQ(decelerationOnDisk(beside), QStringLiteral("1"));
}
