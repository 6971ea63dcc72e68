#include "document/legacyreader.h"

#include "document/traindata.h"
#include "shared/apptitle.h"
#include "shared/failure.h"
#include "support/scriptedprompter.h"

#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

const QString OpenTrnCaption = errorPromptCaption(QStringLiteral("OpenTrn"));

// A legacy file whose first line is consumed by the format detection; the
// reader starts just after that line's first field.
void readLegacy(TrainData& data, const QString& body, ScriptedPrompter& prompter,
                const QString& firstLine = QStringLiteral("TRAIN")) {
    const QString text = firstLine + QStringLiteral("\r\n") + body;
    const qsizetype afterFirstField = firstLine.indexOf(u',') < 0 ? firstLine.size()
                                                                  : firstLine.indexOf(u',') + 1;
    openTrn(data, text, afterFirstField, prompter);
}

QString failureText(Failure kind) { return errorPromptText(failureDescription(kind)); }

} // namespace

TEST(LegacyReaderSections, AutomaticAirAfterDelayedBlendingDropsBlending) {
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data, QStringLiteral("[制御方式]\r\n2\r\n[ブレーキ方式]\r\n2\r\n"), prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(data.listIndex(cbxBrkSend), 2);
    EXPECT_EQ(data.listIndex(cbxBrkElcAir), 0);
    EXPECT_FALSE(data.listEnabled(cbxBrkElcAir));
    EXPECT_EQ(data.text(txtMove(0)), QStringLiteral("120"));
    EXPECT_EQ(data.text(txtMove(2)), QStringLiteral("50"));
    EXPECT_EQ(data.text(txtMove(3)), QStringLiteral("500"));
}

TEST(LegacyReaderSections, PressuresConvertedToKilopascals) {
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data,
               QStringLiteral("[元空気溜め]\r\n7\r\n8\r\n[圧力]\r\n4.2, 3.5\r\n[圧力変化]\r\n2 2.5\r\n"
                              "[減速度]\r\n3.5\r\n[応答]\r\n0.5,1.25,0.3\r\n[電気停止]\r\n7.5\r\n"),
               prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(data.text(txtPrs(2)), QStringLiteral("686"));
    EXPECT_EQ(data.text(txtPrs(3)), QStringLiteral("784"));
    EXPECT_EQ(data.text(txtPrs(0)), QStringLiteral("412"));
    EXPECT_EQ(data.text(txtPrs(1)), QStringLiteral("343"));
    EXPECT_EQ(data.text(txtMove(4)), QStringLiteral("196"));
    EXPECT_EQ(data.text(txtMove(5)), QStringLiteral("245"));
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("3.5"));
    EXPECT_EQ(data.text(txtDelay(0)), QStringLiteral("0.5"));
    EXPECT_EQ(data.text(txtDelay(1)), QStringLiteral("0.5"));
    EXPECT_EQ(data.text(txtDelay(2)), QStringLiteral("1.25"));
    EXPECT_EQ(data.text(txtDelay(3)), QStringLiteral("0.3"));
    // Integers round halves to the even neighbour.
    EXPECT_EQ(data.text(txtElcStop), QStringLiteral("8"));
}

TEST(LegacyReaderSections, AccelerationFillsEveryNotchAndLimitsCurve) {
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data, QStringLiteral("[加速力]\r\n2.5\r\n2.5\r\n1.5\r\n30\r\n60\r\n99\r\n"), prompter);
    EXPECT_EQ(prompter.count(), 0);
    for (const AccelerationRow& row : data.accelerationTable())
        EXPECT_EQ(row, (AccelerationRow{2.5f, 2.5f, 30, 48, 1.0f}));

    // A curve that falls below the range is raised to its lower limit.
    readLegacy(data, QStringLiteral("[加速力]\r\n2, 2, 0.01, 30, 60, 0\r\n"), prompter);
    EXPECT_FLOAT_EQ(data.accelerationTable()[7].curve, 0.9f);
}

TEST(LegacyReaderSections, AccelerationDivisionByZeroKeepsCurve) {
    TrainData data;
    ScriptedPrompter prompter;
    // speed2 = 48 equals L5, so the exponent cannot be computed.
    readLegacy(data, QStringLiteral("[加速力]\r\n2.5,2.5,1.5,30,48,0\r\n"), prompter);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.questions().at(0).caption, OpenTrnCaption);
    EXPECT_EQ(prompter.questions().at(0).text, failureText(Failure::DivisionByZero));
    for (const AccelerationRow& row : data.accelerationTable())
        EXPECT_EQ(row, (AccelerationRow{2.5f, 2.5f, 30, 48, 2.0f}));

    // A negative base has no real power: reported, not stored as a limit.
    ScriptedPrompter second;
    readLegacy(data, QStringLiteral("[加速力]\r\n2.5,2.5,-1.5,30,60,0\r\n"), second);
    ASSERT_EQ(second.count(), 1);
    EXPECT_EQ(data.accelerationTable()[0].curve, 2.0f);
}

TEST(LegacyReaderHandle, HoldingBrakeAddsNotchAfterReading) {
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data, QStringLiteral("[ハンドル]\r\n1\r\n4\r\n7\r\n[抑速ブレーキ]\r\n1\r\n"), prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(data.listIndex(cbxHandle(0)), 1);
    EXPECT_EQ(data.listItemData(cbxHandle(1)), 4);
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 8);
    EXPECT_EQ(data.listEntries(cbxHandle(2)).at(data.listIndex(cbxHandle(2))), QStringLiteral("7ノッチ"));
}

TEST(LegacyReaderHandle, SteplessBrakeStaysSteplessWithHoldingBrake) {
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data, QStringLiteral("[抑速ブレーキ]\r\n1\r\n[ハンドル]\r\n0,5,0\r\n"), prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 0);
    EXPECT_EQ(data.listItemData(cbxHandle(1)), 5);
}

TEST(LegacyReaderHandle, InvalidStatesAreReportedAndKept) {
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data,
               QStringLiteral("[EB装置]\r\n2\r\n[定速運転装置]\r\n\"1\"\r\n"
                              "[運転保安装置]\r\n1,3\r\n[ブレーキ方式]\r\n40000\r\n"),
               prompter);
    ASSERT_EQ(prompter.count(), 3);
    EXPECT_EQ(prompter.questions().at(0).text, failureText(Failure::InvalidPropertyValue));
    EXPECT_EQ(prompter.questions().at(1).text, failureText(Failure::InvalidPropertyValue));
    EXPECT_EQ(prompter.questions().at(2).text, failureText(Failure::Overflow));
    EXPECT_FALSE(data.check(1));
    EXPECT_TRUE(data.check(2));
    EXPECT_TRUE(data.check(0));
    EXPECT_EQ(data.listIndex(cbxDevice(0)), 0);
    EXPECT_EQ(data.listIndex(cbxBrkSend), 0);
}

TEST(LegacyReaderPointLists, VvvfInterpolatesAndCopiesToBrakeTrack) {
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data, QStringLiteral("[VVVF]\r\n0,1,0\r\n50,2,1\r\n0,0,0\r\n"), prompter);
    EXPECT_EQ(prompter.count(), 0);
    const MotorSoundTable& table = data.motorSoundTable();
    const MotorSoundTrack& p1 = table[Track::P1];
    EXPECT_EQ(p1[0], (MotorSoundEntry{100, 127, 0}));
    EXPECT_EQ(p1[1].index, 1);
    EXPECT_EQ(p1[125], (MotorSoundEntry{150, 127, 1}));
    EXPECT_EQ(p1[250], (MotorSoundEntry{200, 127, 1}));
    EXPECT_EQ(p1[251], defaultMotorSoundTable()[Track::P1][251]);
    EXPECT_EQ(table[Track::B1], p1);
}

TEST(LegacyReaderPointLists, MotorSoundHeadChoosesTrack) {
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data,
               QStringLiteral("[モータ音-B2]\r\n0,1,100,3\r\n10,1.5,0,4\r\n0,0,0,0\r\n"
                              "[モータ音]\r\n0,0.5,10,5\r\n0,0,0,0\r\n"
                              "[モータ音-x]\r\n10,0.8,10,6\r\n0,0,0,0\r\n"
                              "[モータ音 - p2] ; trailing comment\r\n20,0.9,20,7\r\n0,0,0,0\r\n"),
               prompter);
    EXPECT_EQ(prompter.count(), 0);
    const MotorSoundTable& table = data.motorSoundTable();
    EXPECT_EQ(table[Track::B2][0], (MotorSoundEntry{100, 100, 3}));
    EXPECT_EQ(table[Track::B2][25], (MotorSoundEntry{125, 50, 4}));
    EXPECT_EQ(table[Track::B2][50], (MotorSoundEntry{150, 0, 4}));
    EXPECT_EQ(table[Track::P1][0], (MotorSoundEntry{50, 10, 5}));
    EXPECT_EQ(table[Track::P1][50], (MotorSoundEntry{80, 10, 6}));
    EXPECT_EQ(table[Track::P2][100], (MotorSoundEntry{90, 20, 7}));
    EXPECT_EQ(table[Track::B1], defaultMotorSoundTable()[Track::B1]);
}

TEST(LegacyReaderPointLists, RowsBeyondTrackSkippedOnlyFirstPointFails) {
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data, QStringLiteral("[VVVF]\r\n150,1,2\r\n200,2,3\r\n0,0,0\r\n"), prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(data.motorSoundTable()[Track::P1][799].index, 3);

    // The list still draws from an unusable first point, over the rows that exist.
    ScriptedPrompter second;
    readLegacy(data, QStringLiteral("[VVVF]\r\n170,1,4\r\n-10,1,5\r\n10,1,6\r\n20,1,6\r\n0,0,0\r\n"), second);
    ASSERT_EQ(second.count(), 1);
    EXPECT_EQ(second.questions().at(0).text, failureText(Failure::SubscriptOutOfRange));
    EXPECT_EQ(data.motorSoundTable()[Track::P1][0], (MotorSoundEntry{100, 127, 6}));
    EXPECT_EQ(data.motorSoundTable()[Track::P1][100].index, 6);
}

TEST(LegacyReaderPointLists, ListCutShortByEndOfFileStillCopied) {
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data, QStringLiteral("[ハンドル]\r\n1,4,6\r\n[VVVF]\r\n0,1,0\r\n50,2,1\r\n20,"), prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(data.motorSoundTable()[Track::B1][250].pitch, 200);
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 6);
}

TEST(LegacyReaderPointLists, ManyBadPointsReportedOnce) {
    QString body = QStringLiteral("[VVVF]\r\n0,1,0\r\n");
    for (int i = 0; i < 100; ++i)
        body += QStringLiteral("10,1,99999\r\n");
    body += QStringLiteral("0,0,0\r\n[減速度]\r\n3\r\n");
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data, body, prompter);
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("3"));
}

TEST(LegacyReaderSyntax, LowerCaseHeadsRecognised) {
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data, QStringLiteral("[eb装置]\r\n1\r\n[vvvf]\r\n0,1,0\r\n0,0,0\r\n"), prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_TRUE(data.check(1));
    EXPECT_EQ(data.motorSoundTable()[Track::P1][0].pitch, 100);
}

TEST(LegacyReaderSyntax, UnknownHeadAsksAndNoStopsWithoutFinalStep) {
    const QString body = QStringLiteral("[ハンドル]\r\n0,4,7\r\n  [FOO] ; what\r\n[減速度]\r\n3\r\n");
    TrainData stopped;
    ScriptedPrompter no(false);
    readLegacy(stopped, body, no);
    ASSERT_EQ(no.count(), 1);
    EXPECT_EQ(no.questions().at(0).caption, applicationTitle());
    EXPECT_EQ(no.questions().at(0).text, QStringLiteral("[FOO]?\n構文が不正です。続行しますか？"));
    EXPECT_EQ(no.questions().at(0).icon, Prompter::Icon::Warning);
    EXPECT_EQ(stopped.text(txtPer(0)), QStringLiteral("4"));
    EXPECT_EQ(stopped.listItemData(cbxHandle(2)), 0);

    TrainData continued;
    ScriptedPrompter yes;
    readLegacy(continued, body, yes);
    EXPECT_EQ(yes.count(), 1);
    EXPECT_EQ(continued.text(txtPer(0)), QStringLiteral("3"));
    EXPECT_EQ(continued.listItemData(cbxHandle(2)), 7);
}

TEST(LegacyReaderSyntax, BrokenFileAsksBoundedNumberOfQuestions) {
    QString body;
    for (int i = 0; i < 30; ++i)
        body += QStringLiteral("[FOO%1]\r\n[ブレーキ方式]\r\n9\r\n").arg(i);
    body += QStringLiteral("[減速度]\r\n3\r\n");
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data, body, prompter);
    EXPECT_EQ(prompter.count(), 20);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("3")); // reading went on to the end
}

TEST(LegacyReaderSyntax, LeftOverValueReachesQuestion) {
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data, QStringLiteral("[減速度]\r\n3.5,4\r\n"), prompter);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.questions().at(0).text, syntaxQuestionText(QStringLiteral("4")));
}

TEST(LegacyReaderSyntax, FirstLineHeadIsSkippedWithItsValues) {
    for (const QString& rest : {QString(), QStringLiteral(",x")}) {
        TrainData data;
        ScriptedPrompter prompter;
        readLegacy(data, QStringLiteral("3.5\r\n[ブレーキ方式]\r\n1\r\n"), prompter,
                   QStringLiteral("[減速度]") + rest);
        EXPECT_EQ(prompter.count(), 0);
        EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
        EXPECT_EQ(data.listIndex(cbxBrkSend), 1);
    }
    // The detection may also have consumed the line end after the field.
    TrainData data;
    ScriptedPrompter prompter;
    const QString text = QStringLiteral("[減速度]\r\n3.5\r\n[ブレーキ方式]\r\n1\r\n");
    openTrn(data, text, text.indexOf(u'\n') + 1, prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
    EXPECT_EQ(data.listIndex(cbxBrkSend), 1);
}

TEST(LegacyReaderSyntax, CommentsOnHeadLinesButNotAmongValues) {
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data,
               QStringLiteral("; header comment\r\n[運転台] ; eye point\r\n-700, 2600 ;\r\n"
                              "-950\r\n\t; a comment line\r\n\r\n[編成]\r\n40,2,32,3\r\n"),
               prompter);
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_EQ(data.text(txtPoint(0)), QStringLiteral("-700"));
    EXPECT_EQ(data.text(txtPoint(1)), QStringLiteral("2600"));
    // ";" among values is a value that holds no number.
    EXPECT_EQ(data.text(txtPoint(2)), QStringLiteral("0"));
    EXPECT_EQ(prompter.questions().at(0).text, syntaxQuestionText(QStringLiteral("-950")));
    EXPECT_EQ(data.text(txtCar(3)), QStringLiteral("3"));
}

TEST(LegacyReaderEndOfFile, TruncatedSectionReportedOnceAndFinalStepRuns) {
    TrainData data;
    ScriptedPrompter prompter;
    // Padding after the last value does not stand in for the missing ones.
    readLegacy(data, QStringLiteral("[ハンドル]\r\n1,4,6\r\n[加速力]\r\n2.5\r\n \r\n\x1a"), prompter);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.questions().at(0).caption, OpenTrnCaption);
    EXPECT_EQ(prompter.questions().at(0).text, failureText(Failure::PastEndOfFile));
    EXPECT_EQ(data.accelerationTable()[3].accel1, 2.5f);
    EXPECT_EQ(data.accelerationTable()[0].speed1, 25);
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 6);
}

TEST(LegacyReaderEndOfFile, FileWithoutHeadKeepsDefaults) {
    TrainData data;
    ScriptedPrompter prompter;
    readLegacy(data, QStringLiteral("just text\r\n  [not a head at column one]\r\n"), prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("4"));
    openTrn(data, QStringLiteral("x"), 99, prompter);
    EXPECT_EQ(prompter.count(), 0);
}
