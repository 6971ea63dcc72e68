#include "support/apptest.h"

#include <QFile>

using namespace Orlenda;

using MainWindowRefusal = MainWindowFixture<>;

TEST_F(MainWindowRefusal, AFileThatIsNotATrainFileIsNeverAdoptedNorOverwritten) {
    int refusals = 0;
    for (const QString& path : {QStringLiteral(ORLENDA_TEST_DATA "/binary.bin"),
                                QStringLiteral(ORLENDA_TEST_DATA "/not-a-train-file.ini")}) {
        const QByteArray before = readWholeFile(path);
        data.setDocumentPath(file("earlier.dat"));
        chooser.openNames << path;
        trigger("mnuFileOpen");

        ASSERT_EQ(prompter.count(), ++refusals) << path.toStdString();
        EXPECT_EQ(prompter.countFor(QStringLiteral("OpenFile")), refusals); // words: the CLI's test
        EXPECT_EQ(shownCaption(window), QStringLiteral("Orlenda"));
        EXPECT_TRUE(data.documentPath().isEmpty());

        window.saveDocument();
        EXPECT_EQ(chooser.saveAsked, refusals);
        EXPECT_EQ(readWholeFile(path), before);
        EXPECT_FALSE(QFile::exists(file("earlier.dat")));
    }
}
