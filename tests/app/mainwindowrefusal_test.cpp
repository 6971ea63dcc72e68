#include "app/filechooser.h"
#include "app/mainwindow.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "shared/failure.h"
#include "support/scriptedprompter.h"
#include "support/showncaption.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

class CountingChooser : public FileChooser {
public:
    QString nextOpen;
    int saveAsked = 0;
    QString openFileName(QWidget*) override { return std::exchange(nextOpen, QString()); }
    QString saveFileName(QWidget*) override {
        ++saveAsked;
        return {};
    }
};

} // namespace

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
        CountingChooser chooser;
        MainWindow window(data, prompter, chooser);
        data.setDocumentPath(dir.filePath(QStringLiteral("earlier.dat")));
        chooser.nextOpen = path;
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
