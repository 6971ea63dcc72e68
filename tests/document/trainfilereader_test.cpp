#include "document/fieldreader.h"
#include "document/numbertext.h"
#include "document/traindata.h"
#include "document/trainfilereader.h"
#include "document/trainfilewriter.h"
#include "shared/apptitle.h"
#include "shared/failure.h"
#include "support/scriptedprompter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace Orlenda;

namespace {

QString fileBody(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void readBody(TrainData& data, const QString& body, std::int32_t version,
              ScriptedPrompter& prompter) {
    data.setFormatVersion(version);
    FieldReader reader(body);
    OpenDat(data, reader, prompter);
}

// What the writer puts in the file, plus what only the rules decide.
void expectSameDocument(const TrainData& a, const TrainData& b) {
    EXPECT_EQ(trainFileText(a), trainFileText(b));
    for (const ListInfo& info : lists()) {
        EXPECT_EQ(a.listIndex(info.id), b.listIndex(info.id)) << info.name;
        EXPECT_EQ(a.listEnabled(info.id), b.listEnabled(info.id)) << info.name;
        EXPECT_EQ(a.listEntries(info.id), b.listEntries(info.id)) << info.name;
    }
}

class RandomDocument {
public:
    explicit RandomDocument(unsigned seed) : mRandom(seed) {}

    void fill(TrainData& data) {
        AccelerationTable& acc = data.accelerationTable();
        for (AccelerationRow& row : acc) {
            row = {sixDigitFloat(), sixDigitFloat(), int16(), int16(), sixDigitFloat()};
        }
        MotorSoundTable& motor = data.motorSoundTable();
        for (MotorSoundTrack& track : motor.tracks) {
            for (MotorSoundEntry& e : track)
                e = {int16(), int16(), std::int16_t(pick(-1, 7))};
        }
        for (const TextFieldInfo& info : textFields())
            data.setText(info.id, numberish());
        data.setText(txtAdaptLoad, doubleText(pick(-99999, 99999) / 100.0));
        // The order the reader sets them in, so the dependent rules see the same sequence.
        data.setListIndex(cbxBrkSend, pick(-1, 2));
        data.setListIndex(cbxBrkElcAir, pick(-1, 2));
        data.setListIndex(cbxHandle(0), pick(-1, 1));
        data.setListIndex(cbxHandle(1), pick(0, 4));
        data.setListIndex(cbxHandle(2), pick(0, 4));
        data.setListIndex(cbxHead, pick(-1, 1));
        data.setCheck(0, pick(0, 1));
        data.setListIndex(cbxDevice(0), pick(-1, 2));
        for (int i = 1; i <= 3; ++i)
            data.setCheck(i, pick(0, 1));
        data.setListIndex(cbxDevice(1), pick(-1, 3));
        data.setListIndex(cbxDevice(2), pick(-1, 2));
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(mRandom); }
    std::int16_t int16() { return std::int16_t(pick(-32768, 32767)); }
    float sixDigitFloat() { return float(pick(-999999, 999999) / std::pow(10.0, pick(0, 8))); }
    QString numberish() {
        static const QStringList tails = {"", " ", "  ", "abc", "e3", ".", "km"};
        switch (pick(0, 4)) {
        case 0:
            return QString::number(pick(-5000, 5000));
        case 1:
            return QString::number(pick(-99999, 99999) / 1000.0);
        case 2:
            return QString::number(pick(0, 999)) + tails.at(pick(0, int(tails.size()) - 1));
        case 3:
            return QString();
        default:
            return QStringLiteral("x") + QString::number(pick(0, 99));
        }
    }

    std::mt19937 mRandom;
};

} // namespace

TEST(ReaderRoundTrip, RandomDocumentsReadBackUnchanged) {
    for (unsigned seed = 0; seed < 25; ++seed) {
        SCOPED_TRACE(seed);
        TrainData original;
        if (seed > 0)
            RandomDocument(seed).fill(original);
        const QString text = trainFileText(original);
        TrainData read;
        read.setFormatVersion(CurrentFormatVersion);
        FieldReader reader(text);
        ASSERT_EQ(reader.readField(), QStringLiteral("QRL2000000"));
        ScriptedPrompter prompter;
        OpenDat(read, reader, prompter);
        EXPECT_EQ(prompter.count(), 0);
        expectSameDocument(read, original);
    }
}

TEST(ReaderKeywords, AliasesAndLowerCaseAreRecognised) {
    TrainData data;
    ScriptedPrompter prompter;
    readBody(data,
             fileBody({"#deceleration", "5", "0.2", "#Cab", "1", "2", "3", "#motor", "7,8,9",
                       "#motor_b2", "4,5,6", "#motor_x", "3,2,1", "#"}),
             CurrentFormatVersion, prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(data.text(txtPer(0)), QStringLiteral("5"));
    EXPECT_EQ(data.text(txtPer(1)), QStringLiteral("0.2"));
    EXPECT_EQ(data.text(txtPoint(2)), QStringLiteral("3"));
    const MotorSoundTable& motor = data.motorSoundTable();
    EXPECT_EQ(motor[Track::P1][0],
              (MotorSoundEntry{2, 1, 3})); // the unknown suffix also went to P1
    EXPECT_EQ(motor[Track::B2][0], (MotorSoundEntry{5, 6, 4}));
    EXPECT_EQ(motor[Track::P1][1], defaultMotorSoundTable()[Track::P1][1]);
}

TEST(ReaderQuestions, UnrecognisedFieldsAskOncePerRun) {
    TrainData data;
    ScriptedPrompter prompter;
    readBody(data,
             fileBody({"#PERFORMANCE", "1", "2", "junk", "more,stuff", "#MOVE", "5", "#PRESSURE",
                       "1", "2", "3", "4", "oops", "#"}),
             CurrentFormatVersion, prompter);
    ASSERT_EQ(prompter.count(), 2);
    EXPECT_EQ(prompter.questions().at(0).caption, applicationTitle());
    EXPECT_EQ(prompter.questions().at(0).text,
              QStringLiteral("junk?\n構文が不正です。続行しますか？"));
    EXPECT_EQ(prompter.questions().at(0).icon, Prompter::Icon::Warning);
    EXPECT_EQ(prompter.questions().at(1).text, syntaxQuestionText(QStringLiteral("oops")));
    EXPECT_EQ(data.text(txtMove(0)), QStringLiteral("5"));
    EXPECT_EQ(data.text(txtPrs(3)), QStringLiteral("4"));
}

TEST(ReaderQuestions, NoStopsAtOnceWithoutEndAdjustments) {
    TrainData data;
    ScriptedPrompter prompter;
    prompter.script({false});
    readBody(data, fileBody({"#BRAKE", "2", "0", "55", "junk", "#MOVE", "5", "#"}), 1200000,
             prompter);
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_EQ(data.listIndex(cbxBrkSend), 2);
    EXPECT_EQ(data.text(txtElcStop), QStringLiteral("55"));
    EXPECT_EQ(data.text(txtMove(0)), QStringLiteral("3000"));
}

TEST(ReaderFailures, BadValuesKeepTheirDefaultsAndReportOncePerSection) {
    TrainData data;
    ScriptedPrompter prompter;
    readBody(data,
             fileBody({"#BRAKE",
                       "1",
                       "7",
                       "12",
                       "#DEVICE",
                       "2",
                       "5",
                       "0",
                       "1",
                       "0",
                       "9",
                       "abc",
                       "-1",
                       "#ACCELERATION",
                       "1,1,40000,5,2",
                       "#MOTOR_B1",
                       "1,2,3",
                       "x,5,6",
                       "7,40000,8",
                       "-32768,+7,00012",
                       "#"}),
             CurrentFormatVersion, prompter);
    EXPECT_EQ(prompter.countFor(QStringLiteral("OpenDat")), 4);
    EXPECT_EQ(prompter.questions().at(0).text,
              errorPromptText(failureDescription(Failure::InvalidPropertyValue)));
    EXPECT_EQ(prompter.questions().at(2).text,
              errorPromptText(failureDescription(Failure::Overflow)));
    EXPECT_EQ(prompter.questions().at(3).text,
              errorPromptText(failureDescription(Failure::TypeMismatch)));

    EXPECT_EQ(data.listIndex(cbxBrkSend), 1);
    EXPECT_EQ(data.listIndex(cbxBrkElcAir), 1);
    EXPECT_EQ(data.text(txtElcStop), QStringLiteral("12"));
    EXPECT_FALSE(data.check(0));
    EXPECT_EQ(data.listIndex(cbxDevice(0)), 0);
    EXPECT_TRUE(data.check(2));
    EXPECT_EQ(data.listIndex(cbxDevice(1)), 0);
    EXPECT_EQ(data.text(txtAdaptLoad), QStringLiteral("0"));
    EXPECT_EQ(data.listIndex(cbxDevice(2)), -1);

    EXPECT_EQ(data.accelerationTable()[0], (AccelerationRow{1, 1, 25, 5, 2}));
    const MotorSoundTrack& b1 = data.motorSoundTable()[Track::B1];
    const MotorSoundTrack& fresh = defaultMotorSoundTable()[Track::B1];
    EXPECT_EQ(b1[0], (MotorSoundEntry{2, 3, 1}));
    EXPECT_EQ(b1[1], (MotorSoundEntry{5, 6, fresh[1].index}));
    EXPECT_EQ(b1[2], (MotorSoundEntry{fresh[2].pitch, 8, 7}));
    EXPECT_EQ(b1[3], (MotorSoundEntry{7, 12, -32768}));
    EXPECT_EQ(b1[4], fresh[4]);
}

TEST(ReaderFailures, BrokenFileAsksBoundedNumberOfQuestions) {
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << "#BRAKE"
              << "9"
              << "9"
              << "1"
              << "junk";
    lines << "#MOTOR_P2";
    for (int r = 0; r < 800; ++r)
        lines << "x,y,z";
    lines << "#";
    TrainData data;
    ScriptedPrompter prompter;
    readBody(data, fileBody(lines), CurrentFormatVersion, prompter);
    EXPECT_EQ(prompter.count(), 10);
}

TEST(ReaderHandle, EntryNumbersSelectAndUnknownNumbersKeepTheSelection) {
    TrainData data;
    ScriptedPrompter prompter;
    readBody(data, fileBody({"#BRAKE", "1", "1", "10", "#handle", "1", "7", "6", "5", "#"}),
             CurrentFormatVersion, prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(data.listIndex(cbxHandle(0)), 1);
    EXPECT_EQ(data.listIndex(cbxHandle(1)), 1);
    EXPECT_EQ(data.listItemData(cbxHandle(2)), 6);
    EXPECT_EQ(data.text(txtNotchDown), QStringLiteral("5"));
}

TEST(ReaderOldVersions, DelayDerivedFromServiceBrake) {
    TrainData data;
    ScriptedPrompter prompter;
    readBody(data, fileBody({"#DELAY", "0.4", "0.4", "0.8", "0.4", "#"}), 1200000, prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(data.text(txtDelay(4)), QStringLiteral("1.6"));
    EXPECT_EQ(data.text(txtDelay(5)), QStringLiteral("0.4"));

    TrainData six;
    readBody(six, fileBody({"#DELAY", "1", "2", "3", "4", "5", "6", "#"}), SixDelaysVersion,
             prompter);
    EXPECT_EQ(six.text(txtDelay(4)), QStringLiteral("5"));
    EXPECT_EQ(six.text(txtDelay(5)), QStringLiteral("6"));
}

TEST(ReaderOldVersions, CurveComesFromTheDecayFactor) {
    TrainData data;
    ScriptedPrompter prompter;
    readBody(data,
             fileBody({"#ACCELERATION", "2,2,30,40,0.99", "1,1,10,20,0.5", "1,1,10,20,-1", "#"}),
             1200000, prompter);
    const AccelerationTable& acc = data.accelerationTable();
    EXPECT_FLOAT_EQ(acc[0].curve, float(1 - std::log(double(0.99f)) * 40 * 1.233152));
    EXPECT_FLOAT_EQ(acc[1].curve, 4.0f); // limited
    EXPECT_FLOAT_EQ(acc[2].curve, 1.0f); // ln of a negative value fails
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.questions().at(0).text,
              errorPromptText(failureDescription(Failure::InvalidArgument)));
}

TEST(ReaderOldVersions, EndAdjustmentsAndShorterSections) {
    TrainData air;
    ScriptedPrompter prompter;
    readBody(air,
             fileBody({"#BRAKE", "2", "0", "10", "#CAR", "40", "2", "25", "3", "#DEVICE", "1", "2",
                       "1", "1", "1", "#"}),
             1210000, prompter);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(air.text(txtElcStop), QStringLiteral("300"));
    EXPECT_EQ(air.text(txtCar(3)), QStringLiteral("3"));
    EXPECT_EQ(air.text(txtCar(4)), QStringLiteral("20"));
    EXPECT_TRUE(air.check(3));
    EXPECT_EQ(air.listIndex(cbxDevice(0)), 2);

    const QString noBlending = fileBody({"#BRAKE", "0", "0", "10", "#"});
    TrainData old;
    readBody(old, noBlending, 1200000, prompter);
    EXPECT_EQ(old.listIndex(cbxBrkElcAir), 1);
    TrainData current;
    readBody(current, noBlending, CurrentFormatVersion, prompter);
    EXPECT_EQ(current.listIndex(cbxBrkElcAir), 0);
    EXPECT_EQ(prompter.count(), 0);
}

TEST(ReaderTruncated, EndInsideASectionIsReportedOnce) {
    TrainData full;
    RandomDocument(7).fill(full);
    const QStringList lines = trainFileLines(full);
    // Cut inside the last track, without the closing "#".
    const QStringList kept = lines.mid(1, lines.size() - 1 - 700);
    TrainData data;
    ScriptedPrompter prompter;
    readBody(data, fileBody(kept), CurrentFormatVersion, prompter);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.questions().at(0).caption, errorPromptCaption(QStringLiteral("OpenDat")));
    EXPECT_EQ(prompter.questions().at(0).text,
              errorPromptText(failureDescription(Failure::PastEndOfFile)));
    EXPECT_EQ(data.motorSoundTable()[Track::B2][100], full.motorSoundTable()[Track::B2][100]);
    EXPECT_EQ(data.motorSoundTable()[Track::B2][101], defaultMotorSoundTable()[Track::B2][101]);

    // The adjustments of an old file still apply after the early end.
    TrainData old;
    ScriptedPrompter oldPrompter;
    readBody(old, QStringLiteral("#BRAKE\r\n2\r\n0"), 1200000, oldPrompter);
    EXPECT_EQ(oldPrompter.count(), 1);
    EXPECT_EQ(old.text(txtElcStop), QStringLiteral("300"));
}
