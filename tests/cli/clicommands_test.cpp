#include "support/clitests.h"
#include "support/workingfolder.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

using namespace Orlenda;

namespace {

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The start of a command's usage line, before its options.
QString usageStart(const CliCommand& command) {
    return QStringLiteral("orlenda-cli ") + text(command.name) + QLatin1Char(' ') +
           text(command.arguments);
}

} // namespace

// The usage a bad request prints, as it has always read.
TEST_F(CliTest, TheUsageListsEveryCommandOfTheTable) {
    QString err;
    EXPECT_EQ(runCliForTest({"frobnicate", in}, &err), CliFailed);
#ifdef ORLENDA_SOUND
    const QString render = QStringLiteral(
        "       orlenda-cli motor render IN OUT.wav [--sounds DIR] [--assign N=FILE] "
        "[--run 1..8] [--to V] [--speedup 1|2|4] [--speed V] [--seconds S] [--brake]\n");
#else
    const QString render;
#endif
    EXPECT_EQ(err,
              QStringLiteral(
                  "usage: orlenda-cli new OUT\n"
                  "       orlenda-cli convert IN OUT\n"
                  "       orlenda-cli check IN\n"
                  "       orlenda-cli plot acceleration IN OUT.png [--notch 1..8] [--unit kmhs|kgft] "
                  "[--show-resistance] [--reference REF]\n"
                  "       orlenda-cli plot motor IN OUT.png [--track P1|P2|B1|B2] "
                  "[--previous P1|P2|B1|B2] [--hex]\n"
                  "       orlenda-cli motor export IN P1|P2|B1|B2 OUT.csv\n"
                  "       orlenda-cli motor import IN P1|P2|B1|B2 CSV OUT\n") +
                  render +
                  QStringLiteral(
                      "       orlenda-cli plot run IN OUT.png [--notch N,N,...] [--grade G] "
                      "[--brake-from V] [--reference REF]\n"
                      "       orlenda-cli performance IN [--grade G] [--brake-from V] [--reference REF] "
                      "[--format text|csv|json]\n"));
    QString wrongCount;
    EXPECT_EQ(runCliForTest({"plot", "run", in}, &wrongCount), CliFailed);
    EXPECT_EQ(wrongCount, err);
    QString help;
    EXPECT_EQ(runCliForTest({"--help"}, nullptr, &help), CliClean);
    EXPECT_TRUE(help.startsWith(err));
    for (const CliCommand& command : cliCommands()) {
        EXPECT_TRUE(err.contains(usageStart(command))) << command.name;
        for (const CliOption& option : command.options)
            EXPECT_TRUE(err.contains(QStringLiteral("[--") + text(option.name))) << option.name;
    }
}

TEST_F(CliTest, CommandHelpShowsItsUsageAndOptionsAndDoesNothingElse) {
    for (const CliCommand& command : cliCommands()) {
        SCOPED_TRACE(command.name);
        QStringList args = text(command.name).split(' ');
        args << in << out << "--help";
        QString err, help;
        EXPECT_EQ(runCliForTest(args, &err, &help), CliClean);
        EXPECT_EQ(err, QString());
        EXPECT_TRUE(help.startsWith(QStringLiteral("usage: ") + usageStart(command)));
        EXPECT_EQ(help.count(QStringLiteral("orlenda-cli ")), 1);
        EXPECT_TRUE(help.contains(text(command.description)));
        for (const CliOption& option : command.options)
            EXPECT_TRUE(help.contains(QRegularExpression(
                QStringLiteral("\n  --%1 .*%2\n")
                    .arg(text(option.name), QRegularExpression::escape(text(option.description))))))
                << help.toStdString();
        EXPECT_TRUE(help.contains("--version"));
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    // A first word shared by several commands shows them all.
    QString help;
    EXPECT_EQ(runCliForTest({"plot", "--help"}, nullptr, &help), CliClean);
    EXPECT_TRUE(help.startsWith("usage: orlenda-cli plot acceleration IN OUT.png"));
    EXPECT_EQ(help.count(QStringLiteral("orlenda-cli plot ")), 3);
    EXPECT_FALSE(help.contains("motor export"));
    EXPECT_TRUE(help.contains("\n  --show-resistance "));
    EXPECT_TRUE(help.contains("\n  --brake-from V "));
}

// Only a word starting with "--" is an option, and the word after one that
// takes a value is that value, whatever it starts with.
TEST_F(CliTest, OptionsAreWordsStartingWithTwoDashes) {
    savedDocument(dir, "-in.dat", TrainData());
    WorkingFolder folder(dir.path());
    const auto grade = [](const QStringList& options) {
        QString json;
        const int status = runCliForTest(
            QStringList{"performance", "-in.dat", "--format", "json"} + options, nullptr, &json);
        EXPECT_EQ(status, CliClean) << options.join(' ').toStdString();
        return QJsonDocument::fromJson(json.toUtf8()).object().value("grade").toDouble(99);
    };
    EXPECT_EQ(grade({"--grade", "-2.5"}), -2.5);
    EXPECT_EQ(grade({"--grade", "2.55"}), 2.6); // as the window's box reads it
    EXPECT_EQ(grade({"--grade=-40"}), -40);
    EXPECT_EQ(grade({"--grade", "3", "--grade", "-4"}), -4);
    EXPECT_EQ(runCliForTest({"motor", "export", "-in.dat", "b2", "-b2.csv"}), CliClean);
    EXPECT_TRUE(QFile::exists("-b2.csv"));

    QString err;
    for (const QStringList& args :
         QList<QStringList>{{"performance", "-in.dat", "--grade", "41", "--grade", "0"},
                            {"performance", "-in.dat", "--"},
                            {"performance", "-in.dat", "--reference"},
                            {"performance", "--", "-in.dat"},
                            {"plot", "motor", "-in.dat", "out.png", "--hex=yes"},
                            {"new", "--new.dat"}}) {
        EXPECT_EQ(runCliForTest(args, &err), CliFailed) << args.join(' ').toStdString();
        EXPECT_TRUE(err.startsWith("usage: ")) << err.toStdString();
    }
    EXPECT_EQ(QDir::current().entryList(QDir::Files), QStringList({"-b2.csv", "-in.dat"}));
}
