#include "document/numbertext.h"
#include "shared/apptitle.h"
#include "support/documenttests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace Orlenda;

namespace {

// Lines separated by "|", for short hand-written files.
int readBody(TrainData& data, ScriptedPrompter& prompter, const char* lines,
             std::int32_t version = CurrentFormatVersion) {
    return readBody(data, prompter, QString::fromUtf8(lines).split(QLatin1Char('|')), version);
}

// Number-ish texts without commas, quotes, leading blanks or a leading "#".
void fillRandomly(TrainData& data, unsigned seed) {
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    auto float6 = [&] { return float(pick(-999999, 999999) / std::pow(10.0, pick(0, 8))); };
    const QStringList tails = {"", " ", "abc", "e3", "."};
    AccelerationTable acceleration{};
    for (AccelerationRow& row : acceleration)
        row = {float6(), float6(), std::int16_t(pick(-32768, 32767)),
               std::int16_t(pick(-32768, 32767)), float6()};
    data.setAccelerationTable(acceleration);
    MotorSoundTable motor{};
    for (MotorSoundTrack& track : motor.tracks)
        for (MotorSoundEntry& e : track)
            e = {std::int16_t(pick(-32768, 32767)), std::int16_t(pick(-32768, 32767)),
                 std::int16_t(pick(-1, 7))};
    data.setMotorSoundTable(motor);
    for (const TextFieldInfo& info : textFields())
        data.setText(info.id, pick(0, 4) == 0 ? QString()
                                              : QString::number(pick(-99999, 99999) / 1000.0) +
                                                    tails.at(pick(0, 4)));
    data.setText(txtAdaptLoad, doubleText(pick(-99999, 99999) / 100.0));
    // In the reader's order, so that the dependent rules see the same sequence.
    for (ListId id :
         {cbxBrkSend, cbxBrkElcAir, cbxHandle(0), cbxHandle(1), cbxHandle(2), cbxHead}) {
        const bool noneLegal = id != cbxHandle(1) && id != cbxHandle(2);
        data.setListIndex(id, pick(noneLegal ? -1 : 0, int(listInfo(id).entries.size()) - 1));
    }
    data.setCheck(chkDevice(0), pick(0, 1));
    data.setListIndex(cbxDevice(0), pick(-1, 2));
    for (int i = 1; i <= 3; ++i)
        data.setCheck(chkDevice(i), pick(0, 1));
    data.setListIndex(cbxDevice(1), pick(-1, 3));
    data.setListIndex(cbxDevice(2), pick(-1, 2));
}

} // namespace

TEST(ReaderRoundTrip, RandomDocumentsReadBackUnchanged) {
    for (unsigned seed = 0; seed < 25; ++seed) {
        SCOPED_TRACE(seed);
        TrainData original;
        if (seed > 0)
            fillRandomly(original, seed);
        TrainData read;
        ScriptedPrompter prompter;
        EXPECT_EQ(readBody(read, prompter, writtenLines(original).mid(1)), 0);
        // The written text covers every value; the rules decide the rest.
        EXPECT_EQ(trainFileText(read), trainFileText(original));
        for (const ListInfo& info : lists()) {
            EXPECT_EQ(read.listIndex(info.id), original.listIndex(info.id)) << info.name;
            EXPECT_EQ(read.listEnabled(info.id), original.listEnabled(info.id)) << info.name;
            EXPECT_EQ(read.listEntries(info.id), original.listEntries(info.id)) << info.name;
        }
    }
}

TEST_F(DocumentTest, ReaderKeywordsAliasesLowerCaseAndHandleEntryNumbers) {
    EXPECT_EQ(readBody(data, prompter,
                       "#deceleration|5|0.2|#Cab|1|2|3|#motor|7,8,9|#motor_b2|4,5,6|"
                       "#BRAKE|1|1|10|#handle|1|7|6|5|#"),
              0);
    expectTexts(data, txtPer(1), "0.2", txtPoint(2), "3", txtNotchDown, "5");
    EXPECT_EQ(data.motorSoundTable()[Track::P1][0], (MotorSoundEntry{8, 9, 7}));
    EXPECT_EQ(data.motorSoundTable()[Track::B2][0], (MotorSoundEntry{5, 6, 4}));
    EXPECT_EQ(data.listIndex(cbxHandle(0)), 1);
    EXPECT_EQ(data.listIndex(cbxHandle(1)), 1); // 7 matches no entry
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 6);
}

TEST_F(DocumentTest, ReaderQuestionsEachUnrecognisedFieldAsksAndNoStopsAtOnce) {
    const QString longField(300, QLatin1Char('x'));
    const QString body = "#PERFORMANCE|1|2|junk|more,stuff|#MOVE|5|#PRESSURE|1|2|3|4|" + longField;
    ASSERT_EQ(readBody(data, prompter, (body + "|#").split('|')), 4);
    // junk, more, stuff, the long field
    EXPECT_EQ(prompter.questions().at(0).caption, applicationTitle());
    EXPECT_EQ(prompter.questions().at(0).text, u"junk?\n構文が不正です。続行しますか？");
    EXPECT_EQ(prompter.questions().at(0).icon, Prompter::Icon::Warning);
    EXPECT_EQ(prompter.questions().at(2).text, syntaxQuestionText("stuff"));
    EXPECT_LT(prompter.questions().at(3).text.size(), 150); // a long field is cut
    EXPECT_EQ(data.text(txtMove(0)), u"5");

    TrainData stopped;
    ScriptedPrompter no(false);
    EXPECT_EQ(readBody(stopped, no, "#BRAKE|2|0|55|junk|#MOVE|5|#", 1200000), 1);
    // No end adjustments.
    expectTexts(stopped, txtElcStop, "55", txtMove(0), "3000");
}

TEST_F(DocumentTest, ReaderFailuresBadValuesKeepTheirDefaultsAndMotorTracksReportOnce) {
    readBody(data, prompter,
             "#BRAKE|1|7|12|#DEVICE|2|5|0|1|0|9|abc|-1|#ACCELERATION|1,1,40000,5,2|"
             "#MOTOR_B1|1,2,3|x,5,6|7,40000,8|-32768,+7,00012|#");
    // One per bad scalar value (#BRAKE 1, #DEVICE 3, #ACCELERATION 1), one for the track.
    EXPECT_EQ(prompter.countFor(QStringLiteral("OpenDat")), 6);
    const QString invalid = failureText(Failure::InvalidPropertyValue);
    EXPECT_EQ(questionTexts(prompter),
              (QStringList{invalid, invalid, invalid, invalid, failureText(Failure::Overflow),
                           failureText(Failure::TypeMismatch)}));
    EXPECT_EQ(data.listIndex(cbxBrkElcAir), 1);
    EXPECT_FALSE(data.check(chkDevice(0)));
    EXPECT_TRUE(data.check(chkDevice(2)));
    EXPECT_EQ(data.listIndex(cbxDevice(2)), -1);
    EXPECT_EQ(data.accelerationTable()[0], (AccelerationRow{1, 1, 25, 5, 2}));
    const MotorSoundTrack& b1 = data.motorSoundTable()[Track::B1];
    const MotorSoundTrack fresh = defaultMotorSoundTable()[Track::B1];
    EXPECT_EQ(b1[1], (MotorSoundEntry{5, 6, fresh[1].index}));
    EXPECT_EQ(b1[2], (MotorSoundEntry{fresh[2].pitch, 8, 7}));
    EXPECT_EQ(b1[3], (MotorSoundEntry{7, 12, -32768}));
    EXPECT_EQ(b1[4], fresh[4]);
}

TEST_F(DocumentTest, ReaderOldVersionsDerivedDelaysCurveAndEndAdjustments) {
    readBody(data, prompter,
             "#DELAY|0.3|0.5|0.8|0.4|#ACCELERATION|2,2,30,40,0.99|1,1,10,20,0.5|1,1,10,20,-1|"
             "#BRAKE|2|0|10|#CAR|40|2|25|3|#DEVICE|1|2|1|1|1|#",
             1200000);
    // txtCar(4) is not in the old layout.
    expectTexts(data, txtDelay(4), "1.6", txtDelay(5), "0.5", txtElcStop, "300", txtCar(4), "20");
    const AccelerationTable& acc = data.accelerationTable();
    EXPECT_FLOAT_EQ(acc[0].curve, float(1 - std::log(double(0.99f)) * 40 * 1.233152));
    EXPECT_FLOAT_EQ(acc[1].curve, 4.0f);
    EXPECT_FLOAT_EQ(acc[2].curve, 1.0f);
    EXPECT_EQ(questionTexts(prompter), QStringList{failureText(Failure::InvalidArgument)});

    const char* noBlending = "#BRAKE|0|0|10|#DELAY|1|2|3|4|5|6|#";
    TrainData old, current;
    readBody(old, prompter, noBlending, SixDelaysVersion);
    EXPECT_EQ(readBody(current, prompter, noBlending), 1);
    EXPECT_EQ(old.listIndex(cbxBrkElcAir), 1);
    EXPECT_EQ(current.listIndex(cbxBrkElcAir), 0);
}

TEST_F(DocumentTest, ReaderTruncatedEndInsideASectionIsReportedOnce) {
    TrainData full;
    fillRandomly(full, 7);
    const QStringList lines = writtenLines(full);
    // Cut after row 100 of the last track, without the closing "#".
    ASSERT_EQ(readBody(data, prompter, lines.mid(1, lines.size() - 701)), 1);
    EXPECT_EQ(prompter.questions().at(0).text, failureText(Failure::PastEndOfFile));
    EXPECT_EQ(data.motorSoundTable()[Track::B2][100], full.motorSoundTable()[Track::B2][100]);
    EXPECT_EQ(data.motorSoundTable()[Track::B2][101], defaultMotorSoundTable()[Track::B2][101]);

    TrainData old; // an old file still gets its adjustments after the early end
    EXPECT_EQ(readBody(old, prompter, "#BRAKE|2|0", 1200000), 2);
    EXPECT_EQ(old.text(txtElcStop), u"300");
}
