#include "support/clitests.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>

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

    EXPECT_NEAR(notch(figures, 1).value("startTractiveEffort").toDouble(), 11.917, 5e-4);
    EXPECT_NEAR(notch(figures, 1).value("maxPowerPerTonne").toDouble(), 1.2731, 5e-5);
    EXPECT_TRUE(notch(figures, 1).value("balancingAbove").isNull());
    EXPECT_NEAR(figures.value("motorShare").toDouble(), 53.846, 5e-4);
    // The braking on +10 per mille: 4 + 0.32094 km/h/s from 100 km/h.
    EXPECT_NEAR(figures.value("braking").toArray().at(9).toObject().value("time").toDouble(),
                23.943, 5e-4);
    EXPECT_EQ(json({"--grade", "-40"})
                  .value("notches")
                  .toArray()
                  .at(0)
                  .toObject()
                  .value("balancingAbove"),
              160);

    QString out;
    EXPECT_EQ(
        runCliForTest({"performance", in, "--format", "csv", "--brake-from", "60"}, &err, &out),
        CliClean);
    const QStringList lines = out.split('\n');
    ASSERT_EQ(lines.size(), 1 + 1 + 8 + 1 + 17 + 1);
    EXPECT_EQ(lines[0], "#file,\"in.dat\",grade,0,mass,65000,motorShare,53.84615384615385,"
                        "brake_from,60");
    EXPECT_TRUE(lines[1].startsWith("notch,startAcceleration,canStart,balancingSpeed,"
                                    "balancing_above,maxPower,maxPowerSpeed,startTractiveEffort,"
                                    "maxPowerPerTonne,adhesionExceeded,time_10,distance_10"));
    EXPECT_TRUE(lines[1].endsWith(",time_160,distance_160"));
    EXPECT_TRUE(lines[3].startsWith("2,-0.0401034951210022,false,,,0,0,"));
    EXPECT_EQ(lines[10], "");
    EXPECT_EQ(lines[11], "speed,time,distance");
    EXPECT_TRUE(lines[21].startsWith("100,25.8,369.44"));

    EXPECT_EQ(runCliForTest({"performance", in}, &err, &out), CliClean);
    EXPECT_TRUE(out.startsWith(
        QStringLiteral("ファイル: in.dat　勾配 0 ‰　質量 65.0 t　ブレーキ初速 100 km/h\n")));
    EXPECT_TRUE(out.contains(QStringLiteral("質量 65.0 t　M車比率 53.8 %　粘着限界 6.049 km/h/s")));
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("均衡速度 \\[km/h\\] +55\\.7 "))));
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("起動引張力 \\[kN\\] +11\\.917 "))));
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("\n +100 +25\\.8 +369\n"))));
}

TEST_F(CliPerformance, AbsurdInputsAreNoneInEveryFormatWithOneQuestionLine) {
    struct Case {
        TextId field;
        const char* text;
        QString reason;
        std::function<QJsonValue(const QJsonObject&)> figure; // in the JSON
        int csvLine, csvField;                                // in the CSV
    };
    const auto braking = [](const QJsonObject& f) {
        return f.value("braking").toArray().at(9).toObject().value("time");
    };
    const QList<Case> cases{
        {txtCar(0), "-35", QStringLiteral("編成の値が負のため計算できません"),
         [](const QJsonObject& f) { return f.value("mass"); }, 0, 5},
        {txtPer(1), "-0.35",
         QStringLiteral("粘着係数が 0.1 未満か数でないため粘着限界を計算できません"),
         [](const QJsonObject& f) { return notch(f, 1).value("adhesionExceeded"); }, 2, 9},
        {txtDelay(2), "-5",
         QStringLiteral("常用ブレーキ: 常用の遅れ時間が負か数でないため計算できません"), braking,
         21, 1},
        {txtPer(1), "1e400", QStringLiteral("結果が有限の値にならないため表示しません"),
         [](const QJsonObject& f) { return f.value("adhesionLimit"); }, 2, 9},
        {txtPer(0), "1e-30",
         QStringLiteral("常用ブレーキ: 減速度が 0.1 km/h/s 未満か数でないため計算できません"),
         braking, 21, 1},
    };
    for (const Case& c : cases) {
        TrainData data;
        data.setText(c.field, QString::fromLatin1(c.text));
        savedDocument(dir, "in.dat", data);
        SCOPED_TRACE(c.text);
        EXPECT_TRUE(c.figure(json({}, CliQuestionsAsked)).isNull());
        EXPECT_EQ(err, QStringLiteral("orlenda-cli: Orlenda - 性能表: ") + c.reason + '\n');
        QString out;
        EXPECT_EQ(runCliForTest({"performance", in, "--format", "csv"}, &err, &out),
                  CliQuestionsAsked);
        EXPECT_EQ(out.split('\n').at(c.csvLine).split(',').at(c.csvField), "");
        EXPECT_EQ(runCliForTest({"performance", in}, &err, &out), CliQuestionsAsked);
        EXPECT_TRUE(out.contains(QStringLiteral("※ ") + c.reason));
    }
}

TEST_F(CliPerformance, TheCsvQuotesTheFileNameAsSpreadsheetsDo) {
    const QString odd = savedDocument(dir, "a \"b\", c.dat", TrainData());
    QString out;
    EXPECT_EQ(runCliForTest({"performance", odd, "--format", "csv", "--grade", "2.5"}, &err, &out),
              CliClean);
    EXPECT_TRUE(out.startsWith("#file,\"a \"\"b\"\", c.dat\",grade,2.5,mass,65000,"));
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
