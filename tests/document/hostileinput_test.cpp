#include "document/numbertext.h"
#include "document/openfile.h"
#include "document/shiftjisdecoder.h"
#include "support/documenttests.h"

#include <cfloat>

using namespace Orlenda;

namespace {

// Opens path, saves it under a new name and returns the saved path.
QString openAndSave(TrainData& data, const QString& path, const QTemporaryDir& dir,
                    ScriptedPrompter& prompter, const char* name = "saved.dat") {
    openFile(data, path, prompter);
    data.setDocumentPath(dir.filePath(QLatin1String(name)));
    save(data, prompter);
    return data.documentPath();
}

} // namespace

TEST_F(DocumentTest, SavedFilesHalfWidthKanaThatLooksLikeUtf8ReopensUnchanged) {
    const QString saved = openAndSave(data, dataFile("current-halfwidth-kana.dat"), dir, prompter);
    TrainData reread;
    const QString again = openAndSave(reread, saved, dir, prompter, "again.dat");
    EXPECT_EQ(reread.text(txtCar(0)), QStringLiteral("ﾃｱ"));
    EXPECT_EQ(readWholeFile(again), readWholeFile(saved));
    EXPECT_EQ(prompter.count(), 0);

    // Only a legacy file may be UTF-8 without a byte-order mark.
    EXPECT_EQ(decodeTrainFileBytes("[\xC3\xB1]"), QStringLiteral("[ñ]"));
    EXPECT_EQ(decodeTrainFileBytes(" qrl\xC3\xB1"), QStringLiteral(" qrlﾃｱ"));
}

TEST(SavedFiles, EveryTextReadsBackAsItselfOrAsItsValue) {
    const QStringList texts = {"4,5", " 4",    "\t2",  "#12", "\"3\"", "2\r\n#MOVE", "1\n2",
                               "",    "12abc", "a\"b", "x#y", "1 2",   "-0.5 ",      "&H10,1"};
    for (const QString& text : texts) {
        TrainData data;
        data.setText(txtMove(0), text);
        data.setText(txtMove(1), QStringLiteral("777"));
        data.setText(txtElcStop, text);
        data.setText(txtPrs(0), QStringLiteral("888"));
        ScriptedPrompter prompter;
        TrainData reread;
        EXPECT_EQ(readBody(reread, prompter, writtenLines(data).mid(1)), 0) << text.toStdString();
        for (TextId id : {txtMove(0), txtElcStop}) {
            const QString back = reread.text(id);
            EXPECT_TRUE(back == text || (back == writtenFieldText(text) &&
                                         leadingNumber(back) == leadingNumber(text)))
                << text.toStdString() << " -> " << back.toStdString();
        }
        // Nothing after them moved.
        EXPECT_EQ(reread.text(txtMove(1)), QStringLiteral("777")) << text.toStdString();
        EXPECT_EQ(reread.text(txtPrs(0)), QStringLiteral("888")) << text.toStdString();
    }
    EXPECT_EQ(writtenFieldText(QStringLiteral("12abc")), QStringLiteral("12abc"));
    EXPECT_EQ(writtenFieldText(QStringLiteral("\"3")), QStringLiteral("0"));
}

TEST(NumbersOutOfRange, HugeRadixNumbersAreLimitedAndNeverWrittenAsInfinity) {
    const QString huge = QStringLiteral("&H") + QString(400, QLatin1Char('F'));
    EXPECT_EQ(leadingNumber(huge), DBL_MAX);
    EXPECT_EQ(leadingNumber(QStringLiteral("-") + huge), 0); // a sign does not start "&H"
    EXPECT_THROW(strictNumber(huge), StepFailure);
    EXPECT_THROW(toFloat(INFINITY), StepFailure);
    EXPECT_EQ(floatText(INFINITY), QStringLiteral("3.402823E+38"));
    EXPECT_EQ(floatText(-INFINITY), QStringLiteral("-3.402823E+38"));
    EXPECT_EQ(doubleText(INFINITY), doubleText(DBL_MAX));
    EXPECT_EQ(leadingNumber(doubleText(DBL_MAX)), DBL_MAX);

    for (const char* name : {"huge-hex.dat", "huge-hex.trn"}) {
        QTemporaryDir dir;
        TrainData data;
        ScriptedPrompter prompter;
        const QString saved = openAndSave(data, dataFile(name), dir, prompter);
        EXPECT_GE(prompter.count(), 1) << name;
        for (const ScriptedPrompter::Question& q : prompter.questions())
            EXPECT_TRUE(q.text.startsWith(failureDescription(Failure::Overflow))) << name;
        const QByteArray bytes = readWholeFile(saved).toLower();
        EXPECT_FALSE(bytes.contains("inf") || bytes.contains("nan")) << name;
        if (QLatin1String(name).endsWith(QLatin1String(".dat"))) {
            EXPECT_EQ(prompter.count(), 3); // two acceleration values, each once
            EXPECT_EQ(data.accelerationTable()[0].accel1, 0.6f);
            EXPECT_EQ(data.accelerationTable()[1].speed1, 0);
            EXPECT_EQ(data.text(txtAdaptLoad), doubleText(DBL_MAX));
        }
    }
}

TEST_F(DocumentTest, InvalidShiftJisReadsAsReplacementReportedOnce) {
    const DecodedText decoded = decodeShiftJis("3\r\n\x81 x\r\n\x85\x40\xA0\x80\xFD\x81");
    EXPECT_EQ(decoded.text, QStringLiteral("3\r\n\uFFFD x\r\n\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"));
    EXPECT_EQ(decoded.firstInvalidLine, 2);
    const DecodedText valid = decodeShiftJis("\x1A\x1C\x7F\xB1\x90\xA7\x87\x40\xFA\x40\n");
    EXPECT_EQ(valid.text, QStringLiteral("\x1A\x1C\x7Fｱ制①ⅰ\n"));
    EXPECT_EQ(valid.firstInvalidLine, 0);

    openFile(data, dataFile("invalid-shift-jis.dat"), prompter);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.questions().at(0).caption, QStringLiteral("Orlenda - OpenFile"));
    EXPECT_TRUE(prompter.questions().at(0).text.startsWith(invalidBytesDescription(4)));
    EXPECT_EQ(data.text(txtPer(1)), QStringLiteral("\uFFFD x"));
    EXPECT_EQ(data.text(txtDelay(0)), QStringLiteral("\uFFFD"));
    // Saving it is refused as any text Shift-JIS cannot hold (the writer's tests).
}

TEST(InvalidShiftJis, EveryCharacterDecodedEncodesBackToItself) {
    QByteArray pairs;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            pairs += char(lead);
            pairs += char(trail);
        }
    }
    QString characters = decodeShiftJis(pairs).text;
    characters.remove(QChar(0xFFFD));
    ASSERT_GT(characters.size(), 7000);
    EXPECT_EQ(decodeShiftJis(encodeShiftJis(characters)).text, characters);
}

TEST_F(DocumentTest, QuestionCapOneOpenAsksAtMostTheCapInAll) {
    openFile(data, dataFile("many-questions.dat"), prompter);
    EXPECT_EQ(prompter.count(), MaxQuestionsPerOpen);
    EXPECT_EQ(prompter.countFor(QStringLiteral("OpenFile")), 1); // the version number overflows
    EXPECT_EQ(data.documentPath(), dataFile("many-questions.dat"));
}

TEST_F(DocumentTest, KeywordsOnlyLatinLettersAreUpperCased) {
    openFile(data, dataFile("long-s-keyword.dat"), prompter);
    ASSERT_GE(prompter.count(), 1);
    EXPECT_TRUE(prompter.questions().at(0).text.startsWith(QStringLiteral("#preſſure?")));
    EXPECT_EQ(data.text(txtPrs(0)), TrainData().text(txtPrs(0)));
}
