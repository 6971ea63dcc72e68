#include "shared/failure.h"
#include "support/apptest.h"

#include <QFile>

using namespace Orlenda;

TEST(MainWindowRefusal, AFileThatIsNotATrainFileIsNeverAdoptedNorOverwritten) {
    QTemporaryDir dir;
    const QString huge = dir.filePath(QStringLiteral("huge.dat"));
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(MaxTrainFileSize + 1));
    file.close();
    const QString refused[] = {QStringLiteral(ORLENDA_TEST_DATA "/binary.bin"),
                               QStringLiteral(ORLENDA_TEST_DATA "/not-a-train-file.ini"), huge};
    for (const QString& path : refused) {
        const QByteArray before = readWholeFile(path);
        TrainData data;
        ScriptedPrompter prompter;
        ScriptedChooser chooser;
        MainWindow window(data, prompter, chooser);
        data.setDocumentPath(dir.filePath(QStringLiteral("earlier.dat")));
        chooser.openNames << path;
        window.action(QStringLiteral("mnuFileOpen"))->trigger();

        ASSERT_EQ(prompter.count(), 1) << path.toStdString();
        EXPECT_EQ(prompter.questions().at(0).caption, QStringLiteral("Orlenda - OpenFile"));
        EXPECT_TRUE(prompter.questions().at(0).text.contains(
            failureDescription(Failure::NotATrainFile) + QLatin1Char(' ') + path));
        EXPECT_EQ(shownCaption(window), QStringLiteral("Orlenda"));
        EXPECT_TRUE(data.documentPath().isEmpty());

        window.saveDocument();
        EXPECT_EQ(chooser.saveAsked, 1);
        EXPECT_EQ(readWholeFile(path), before);
        EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("earlier.dat"))));
    }
}
