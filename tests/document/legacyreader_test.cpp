#include "document/legacyreader.h"

#include "support/documenttests.h"

#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

const QString OpenTrnCaption = errorPromptCaption(QStringLiteral("OpenTrn"));

class LegacyReader : public DocumentTest {
protected:
    // A legacy file whose first line is consumed by the format detection; the
    // reader starts just after that line's first field. Returns the questions
    // asked so far.
    int read(const QString& body, const QString& firstLine = QStringLiteral("TRAIN")) {
        const qsizetype comma = firstLine.indexOf(u',');
        openTrn(data, firstLine + QStringLiteral("\r\n") + body,
                comma < 0 ? firstLine.size() : comma + 1, prompter);
        return prompter.count();
    }
};

} // namespace

TEST_F(LegacyReader, AutomaticAirAfterDelayedBlendingDropsBlending) {
    EXPECT_EQ(read("[制御方式]\r\n2\r\n[ブレーキ方式]\r\n2\r\n"), 0);
    EXPECT_EQ(data.listIndex(cbxBrkSend), 2);
    EXPECT_EQ(data.listIndex(cbxBrkElcAir), 0);
    EXPECT_FALSE(data.listEnabled(cbxBrkElcAir));
    expectTexts(data, txtMove(0), "120", txtMove(2), "50", txtMove(3), "500");
}

TEST_F(LegacyReader, PressuresConvertedToKilopascals) {
    EXPECT_EQ(read("[元空気溜め]\r\n7\r\n8\r\n[圧力]\r\n4.2, 3.5\r\n[圧力変化]\r\n2 2.5\r\n"
                   "[減速度]\r\n3.5\r\n[応答]\r\n0.5,1.25,0.3\r\n[電気停止]\r\n7.5\r\n"),
              0);
    // Integers round halves to the even neighbour.
    expectTexts(data, txtPrs(2), "686", txtPrs(3), "784", txtPrs(0), "412", txtPrs(1), "343",
                txtMove(4), "196", txtMove(5), "245", txtPer(0), "3.5", txtDelay(0), "0.5",
                txtDelay(1), "0.5", txtDelay(2), "1.25", txtDelay(3), "0.3", txtElcStop, "8");
}

TEST_F(LegacyReader, AccelerationFillsEveryNotchAndLimitsOrKeepsCurve) {
    EXPECT_EQ(read("[加速力]\r\n2.5\r\n2.5\r\n1.5\r\n30\r\n60\r\n99\r\n"), 0);
    for (const AccelerationRow& row : data.accelerationTable())
        EXPECT_EQ(row, (AccelerationRow{2.5f, 2.5f, 30, 48, 1.0f}));
    // A curve that falls below the range is raised to its lower limit.
    read("[加速力]\r\n2, 2, 0.01, 30, 60, 0\r\n");
    EXPECT_FLOAT_EQ(data.accelerationTable()[7].curve, 0.9f);

    // speed2 = 48 equals L5, so the exponent cannot be computed.
    data.newDocument();
    ASSERT_EQ(read("[加速力]\r\n2.5,2.5,1.5,30,48,0\r\n"), 1);
    EXPECT_EQ(prompter.questions().at(0).caption, OpenTrnCaption);
    EXPECT_EQ(prompter.questions().at(0).text, failureText(Failure::DivisionByZero));
    for (const AccelerationRow& row : data.accelerationTable())
        EXPECT_EQ(row, (AccelerationRow{2.5f, 2.5f, 30, 48, 2.0f}));
    // A negative base has no real power: reported, not stored as a limit.
    EXPECT_EQ(read("[加速力]\r\n2.5,2.5,-1.5,30,60,0\r\n"), 2);
    EXPECT_EQ(data.accelerationTable()[0].curve, 2.0f);
}

TEST_F(LegacyReader, HoldingBrakeAddsNotchAfterReadingExceptToSteplessBrake) {
    EXPECT_EQ(read("[ハンドル]\r\n1\r\n4\r\n7\r\n[抑速ブレーキ]\r\n1\r\n"), 0);
    EXPECT_EQ(data.listIndex(cbxHandle(0)), 1);
    EXPECT_EQ(data.listItemData(cbxHandle(1)), 4);
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 8);
    EXPECT_EQ(data.listEntries(cbxHandle(2)).at(data.listIndex(cbxHandle(2))), u"7ノッチ");

    // A stepless brake stays stepless.
    data.newDocument();
    EXPECT_EQ(read("[抑速ブレーキ]\r\n1\r\n[ハンドル]\r\n0,5,0\r\n"), 0);
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 0);
    EXPECT_EQ(data.listItemData(cbxHandle(1)), 5);
}

TEST_F(LegacyReader, InvalidStatesAreReportedAndKept) {
    read("[EB装置]\r\n2\r\n[定速運転装置]\r\n\"1\"\r\n[運転保安装置]\r\n1,3\r\n"
         "[ブレーキ方式]\r\n40000\r\n");
    EXPECT_EQ(questionTexts(prompter), (QStringList{failureText(Failure::InvalidPropertyValue),
                                                    failureText(Failure::InvalidPropertyValue),
                                                    failureText(Failure::Overflow)}));
    EXPECT_FALSE(data.check(chkDevice(1)));
    EXPECT_TRUE(data.check(chkDevice(2)));
    EXPECT_TRUE(data.check(chkDevice(0)));
    EXPECT_EQ(data.listIndex(cbxDevice(0)), 0);
    EXPECT_EQ(data.listIndex(cbxBrkSend), 0);
}

TEST_F(LegacyReader, VvvfInterpolatesAndCopiesToBrakeTrack) {
    // Heads are recognised in lower case too.
    EXPECT_EQ(read("[eb装置]\r\n1\r\n[vvvf]\r\n0,1,0\r\n50,2,1\r\n0,0,0\r\n"), 0);
    EXPECT_TRUE(data.check(chkDevice(1)));
    const MotorSoundTable& table = data.motorSoundTable();
    const MotorSoundTrack& p1 = table[Track::P1];
    EXPECT_EQ(p1[0], (MotorSoundEntry{100, 127, 0}));
    EXPECT_EQ(p1[1].index, 1);
    EXPECT_EQ(p1[125], (MotorSoundEntry{150, 127, 1}));
    EXPECT_EQ(p1[250], (MotorSoundEntry{200, 127, 1}));
    EXPECT_EQ(p1[251], defaultMotorSoundTable()[Track::P1][251]);
    EXPECT_EQ(table[Track::B1], p1);
}

TEST_F(LegacyReader, MotorSoundHeadChoosesTrack) {
    EXPECT_EQ(
        read("[モータ音-B2]\r\n0,1,100,3\r\n10,1.5,0,4\r\n0,0,0,0\r\n"
             "[モータ音]\r\n0,0.5,10,5\r\n0,0,0,0\r\n[モータ音-x]\r\n10,0.8,10,6\r\n0,0,0,0\r\n"
             "[モータ音 - p2] ; trailing comment\r\n20,0.9,20,7\r\n0,0,0,0\r\n"),
        0);
    const MotorSoundTable& table = data.motorSoundTable();
    EXPECT_EQ(table[Track::B2][0], (MotorSoundEntry{100, 100, 3}));
    EXPECT_EQ(table[Track::B2][25], (MotorSoundEntry{125, 50, 4}));
    EXPECT_EQ(table[Track::B2][50], (MotorSoundEntry{150, 0, 4}));
    EXPECT_EQ(table[Track::P1][0], (MotorSoundEntry{50, 10, 5}));
    EXPECT_EQ(table[Track::P1][50], (MotorSoundEntry{80, 10, 6}));
    EXPECT_EQ(table[Track::P2][100], (MotorSoundEntry{90, 20, 7}));
    EXPECT_EQ(table[Track::B1], defaultMotorSoundTable()[Track::B1]);
}

TEST_F(LegacyReader, RowsBeyondTrackSkippedOnlyFirstPointFails) {
    EXPECT_EQ(read("[VVVF]\r\n150,1,2\r\n200,2,3\r\n0,0,0\r\n"), 0);
    EXPECT_EQ(data.motorSoundTable()[Track::P1][799].index, 3);
    // The list still draws from an unusable first point, over the rows that exist.
    read("[VVVF]\r\n170,1,4\r\n-10,1,5\r\n10,1,6\r\n20,1,6\r\n0,0,0\r\n");
    EXPECT_EQ(questionTexts(prompter), QStringList{failureText(Failure::SubscriptOutOfRange)});
    EXPECT_EQ(data.motorSoundTable()[Track::P1][0], (MotorSoundEntry{100, 127, 6}));
    EXPECT_EQ(data.motorSoundTable()[Track::P1][100].index, 6);
}

TEST_F(LegacyReader, UnknownHeadAsksAndNoStopsWithoutFinalStep) {
    const QString body = "[ハンドル]\r\n0,4,7\r\n  [FOO] ; what\r\n[減速度]\r\n3\r\n";
    prompter = ScriptedPrompter(false);
    ASSERT_EQ(read(body), 1);
    EXPECT_EQ(prompter.questions().at(0).text, syntaxQuestionText("[FOO]"));
    EXPECT_EQ(data.text(txtPer(0)), u"4");
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 0);

    data.newDocument();
    prompter.script({true});
    EXPECT_EQ(read(body), 2);
    EXPECT_EQ(data.text(txtPer(0)), u"3");
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 7);
}

TEST_F(LegacyReader, BrokenFileAsksBoundedNumberOfQuestions) {
    // Many bad points of one list are reported once.
    EXPECT_EQ(read("[VVVF]\r\n0,1,0\r\n" + QString("10,1,99999\r\n").repeated(100) +
                   "0,0,0\r\n[減速度]\r\n3\r\n"),
              1);
    EXPECT_EQ(data.text(txtPer(0)), u"3");
    QString body;
    for (int i = 0; i < 30; ++i)
        body += QStringLiteral("[FOO%1]\r\n[ブレーキ方式]\r\n9\r\n").arg(i);
    EXPECT_EQ(read(body + "[減速度]\r\n2\r\n"), 1 + 20);
    EXPECT_EQ(data.text(txtPer(0)), u"2"); // reading went on to the end
}

TEST_F(LegacyReader, FirstLineHeadIsSkippedWithItsValues) {
    // The detection may also have consumed the line end after the field.
    const QString text = "[減速度]\r\n3.5\r\n[ブレーキ方式]\r\n1\r\n";
    for (int way = 0; way < 3; ++way) {
        data.newDocument();
        if (way < 2)
            read("3.5\r\n[ブレーキ方式]\r\n1\r\n", way ? "[減速度],x" : "[減速度]");
        else
            openTrn(data, text, text.indexOf(u'\n') + 1, prompter);
        EXPECT_EQ(prompter.count(), 0) << way;
        EXPECT_EQ(data.text(txtPer(0)), u"4") << way;
        EXPECT_EQ(data.listIndex(cbxBrkSend), 1) << way;
    }
}

TEST_F(LegacyReader, CommentsOnHeadLinesButNotAmongValuesAndLeftOversAsked) {
    read("; header comment\r\n[運転台] ; eye point\r\n-700, 2600 ;\r\n-950\r\n"
         "\t; a comment line\r\n\r\n[編成]\r\n40,2,32,3\r\n[減速度]\r\n3.5,4\r\n");
    EXPECT_EQ(questionTexts(prompter),
              (QStringList{syntaxQuestionText("-950"), syntaxQuestionText("4")}));
    // ";" among values is a value that holds no number.
    expectTexts(data, txtPoint(0), "-700", txtPoint(1), "2600", txtPoint(2), "0", txtCar(3), "3");
}

TEST_F(LegacyReader, EndOfFileInsideAListOrASectionStillRunsTheFinalStep) {
    // A list cut short is still copied, without a question.
    EXPECT_EQ(read("[ハンドル]\r\n1,4,7\r\n[VVVF]\r\n0,1,0\r\n50,2,1\r\n20,"), 0);
    EXPECT_EQ(data.motorSoundTable()[Track::B1][250].pitch, 200);
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 7);
    // Padding after the last value does not stand in for the missing ones.
    ASSERT_EQ(read("[ハンドル]\r\n1,4,6\r\n[加速力]\r\n2.5\r\n \r\n\x1a"), 1);
    EXPECT_EQ(prompter.questions().at(0).text, failureText(Failure::PastEndOfFile));
    EXPECT_EQ(data.accelerationTable()[3].accel1, 2.5f);
    EXPECT_EQ(data.accelerationTable()[0].speed1, 25);
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 6);
}

TEST_F(LegacyReader, FileWithoutHeadKeepsDefaults) {
    EXPECT_EQ(read("just text\r\n  [not a head at column one]\r\n"), 0);
    EXPECT_EQ(data.text(txtPer(0)), u"4");
    openTrn(data, QStringLiteral("x"), 99, prompter);
    EXPECT_EQ(prompter.count(), 0);
}
