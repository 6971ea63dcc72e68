#include "sound/soundchoices.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

QString train(int i) {
    return QStringLiteral("/trains/%1.dat").arg(i);
}

} // namespace

TEST(SoundChoices, KeptPerTrainFileForTheLastFiftyAndANewDocumentForTheSessionOnly) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    SoundChoices choices;
    for (int i = 0; i <= SoundChoices::Capacity; ++i)
        choices.remember(train(i), SoundChoice{QStringLiteral("/sounds/%1").arg(i), {{3, "m3.wav"}}});
    choices.remember(train(1), SoundChoice{QStringLiteral("/sounds/again"), {{0, QString()}}});
    choices.remember(QString(), SoundChoice{QStringLiteral("/session"), {}});
    EXPECT_EQ(choices.size(), SoundChoices::Capacity);
    EXPECT_FALSE(choices.find(train(0))); // the oldest fell off
    EXPECT_EQ(choices.find(QString())->folder, QStringLiteral("/session"));
    {
        QSettings settings(file, QSettings::IniFormat);
        choices.store(settings);
    }
    SoundChoices read;
    QSettings settings(file, QSettings::IniFormat);
    read.load(settings);
    EXPECT_EQ(read.size(), SoundChoices::Capacity);
    EXPECT_EQ(read.find(train(1)), (SoundChoice{QStringLiteral("/sounds/again"), {{0, QString()}}}));
    EXPECT_EQ(read.find(train(50)),
              (SoundChoice{QStringLiteral("/sounds/50"), {{3, QStringLiteral("m3.wav")}}}));
    EXPECT_FALSE(read.find(QString())); // never written
}

TEST(SoundChoices, SettingsAreReadWithinBounds) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("SoundChoices"));
    settings.setValue(QStringLiteral("File0/Path"), QStringLiteral("relative.dat"));
    settings.setValue(QStringLiteral("File1/Path"), train(1));
    settings.setValue(QStringLiteral("File1/Folder"), QStringLiteral("not/absolute"));
    QStringList assigned = {QStringLiteral("1|ok.wav"),  QStringLiteral("-1|neg.wav"),
                            QStringLiteral("x|bad.wav"), QStringLiteral("40000|big.wav"),
                            QStringLiteral("2|../up.wav"), QStringLiteral("3|a\tb.wav"),
                            QStringLiteral("4|"),        QStringLiteral("no bar")};
    for (int i = 0; i < 2 * SoundChoices::MaxAssigned; ++i)
        assigned.append(QStringLiteral("%1|n.wav").arg(100 + i));
    settings.setValue(QStringLiteral("File1/Assigned"), assigned);
    settings.setValue(QStringLiteral("File2/Path"), train(1)); // a second entry for a path
    settings.setValue(QStringLiteral("File3/Path"), 42);
    settings.setValue(QStringLiteral("File%1/Path").arg(SoundChoices::Capacity), train(9));
    settings.setValue(QStringLiteral("File4/Path"), QStringLiteral("/") + QString(5000, 'a'));
    settings.endGroup();

    SoundChoices choices;
    choices.load(settings);
    EXPECT_EQ(choices.size(), 1);
    const std::optional<SoundChoice> choice = choices.find(train(1));
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->folder, QString());
    EXPECT_EQ(choice->assigned.at(1), QStringLiteral("ok.wav"));
    EXPECT_EQ(choice->assigned.at(4), QString());
    EXPECT_EQ(choice->assigned.count(2) + choice->assigned.count(3), 0u);
    // Only the first entries of an overlong list are looked at.
    EXPECT_LE(int(choice->assigned.size()), SoundChoices::MaxAssigned);
}
