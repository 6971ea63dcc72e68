#include "support/clitests.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Orlenda;

namespace {

class CliPerformance : public CliTest {
protected:
    void SetUp() override { savedDocument(dir, "in.dat", TrainData()); }

    // The notches of the JSON that performance prints for the arguments.
    QJsonObject json(QStringList args, int status = CliClean) {
        QString out;
        EXPECT_EQ(
            runCliForTest(QStringList{"performance", in, "--format", "json"} + args, &err, &out),
            status);
        return QJsonDocument::fromJson(out.toUtf8()).object();
    }
    QString err;
};

QJsonObject notch(const QJsonObject& figures, int n) {
    return figures.value("notches").toArray().at(n - 1).toObject();
}

} // namespace

TEST_F(CliPerformance, PrintsTheFiguresInEachFormat) {
    // The figures themselves are the model tests'; here their keys and nulls.
    const QJsonObject figures = json({"--grade", "10"});
    EXPECT_EQ(figures.value("grade").toDouble(), 10);
    EXPECT_EQ(figures.value("mass").toDouble(), 65000);
    EXPECT_NEAR(notch(figures, 1).value("balancingSpeed").toDouble(), 30.917, 5e-4);
    const QJsonArray runs = notch(figures, 1).value("runs").toArray();
    EXPECT_EQ(runs.size(), 16);
    EXPECT_TRUE(runs.at(5).toObject().value("time").isNull());
    EXPECT_FALSE(notch(figures, 2).value("canStart").toBool(true));
    EXPECT_EQ(figures.value("braking").toArray().at(9).toObject().value("speed").toInt(), 100);

    QString out;
    EXPECT_EQ(runCliForTest({"performance", in, "--format", "csv"}, &err, &out), CliClean);
    const QStringList lines = out.split('\n');
    ASSERT_EQ(lines.size(), 1 + 8 + 1 + 17 + 1);
    EXPECT_TRUE(lines[0].startsWith("notch,startAcceleration,canStart,balancingSpeed,maxPower,"
                                    "maxPowerSpeed,adhesionExceeded,time_10,distance_10,time_20"));
    EXPECT_TRUE(lines[0].endsWith(",time_160,distance_160"));
    EXPECT_TRUE(lines[2].startsWith("2,-0.0401034951210022,false,,0,0,false,,"));
    EXPECT_EQ(lines[9], "");
    EXPECT_EQ(lines[10], "speed,time,distance");
    EXPECT_TRUE(lines[20].startsWith("100,25.8,369.44"));

    EXPECT_EQ(runCliForTest({"performance", in}, &err, &out), CliClean);
    EXPECT_TRUE(out.contains(QStringLiteral("質量 65.0 t　粘着限界 6.049 km/h/s　勾配 0 ‰")));
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("均衡速度 \\[km/h\\] +55\\.7 "))));
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("\n +100 +25\\.8 +369\n"))));
}

TEST_F(CliPerformance, ReasonsAreQuestionLinesAndAReferenceIsPrintedBeside) {
    TrainData empty;
    empty.setText(txtCar(1), QStringLiteral("0"));
    empty.setText(txtCar(3), QStringLiteral("0"));
    const QString ref = savedDocument(dir, "ref.dat", empty);

    const QJsonObject figures = json({"--reference", ref}, CliQuestionsAsked);
    EXPECT_EQ(err,
              QStringLiteral(
                  "orlenda-cli: Orlenda - 性能表: 比較ファイル: 質量が 0 のため計算できません\n"));
    EXPECT_TRUE(notch(figures, 1).value("runs").isArray());
    const QJsonObject reference = figures.value("reference").toObject();
    EXPECT_TRUE(notch(reference, 1).value("runs").isNull());
    EXPECT_TRUE(notch(reference, 1).value("canStart").isNull());
    EXPECT_EQ(notch(reference, 1).value("maxPower").toDouble(-1), 0);

    QString out;
    EXPECT_EQ(runCliForTest({"performance", in, "--reference", ref, "--format", "csv"}, &err, &out),
              CliQuestionsAsked);
    EXPECT_EQ(out.count("\nspeed,time,distance\n"), 2);
}
