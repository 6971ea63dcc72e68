#include "document/traindata.h"
#include "motorsound/motorsoundcsv.h"

#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

// Every field different from row to row, negative values and 16-bit limits included.
MotorSoundTrack variedTrack() {
    MotorSoundTrack track{};
    for (int r = 0; r < MotorSoundRows; ++r)
        track[std::size_t(r)] = {std::int16_t(r * 41 - 16000), std::int16_t(r % 300 - 20),
                                 std::int16_t(r % 9 - 1)};
    track[5] = {32767, -32768, 12};
    return track;
}

QByteArray lineOf(const QByteArray& csv, int line) {
    return csv.split('\n').at(line - 1);
}

} // namespace

TEST(MotorSoundCsv, WritesTheFormatAndReadsItBackExactly) {
    const MotorSoundTrack track = variedTrack();
    const QByteArray csv = motorSoundCsv(track);
    EXPECT_EQ(csv.count('\n'), 801);
    EXPECT_TRUE(csv.endsWith("\n159.8,6,16759,179\n"));
    EXPECT_EQ(lineOf(csv, 1), "speed_kmh,index,pitch,volume");
    EXPECT_EQ(lineOf(csv, 2), "0.0,-1,-16000,-20");
    EXPECT_EQ(lineOf(csv, 7), "1.0,12,32767,-32768");
    EXPECT_FALSE(csv.contains('\r'));

    const MotorSoundCsvResult read = readMotorSoundCsv(csv);
    ASSERT_TRUE(read.ok()) << read.errorText().toStdString();
    EXPECT_EQ(read.track, track);

    // CR LF, a BOM, speeds written otherwise, blanks, a plus sign and no final line end.
    QByteArray edited = "\xEF\xBB\xBF" + csv;
    edited.replace("\n", "\r\n");
    edited.replace("\r\n0.0,", "\r\n0,").replace("\r\n1.0,12,", "\r\n 1 , +12 ,");
    edited.replace("\r\n42.6,", "\r\n4.26e1,");
    edited.chop(2);
    const MotorSoundCsvResult tolerant = readMotorSoundCsv(edited);
    ASSERT_TRUE(tolerant.ok()) << tolerant.errorText().toStdString();
    EXPECT_EQ(tolerant.track, track);
    EXPECT_TRUE(readMotorSoundCsv(csv + "\n\r\n").ok());
}

TEST(MotorSoundCsv, NamesTheFirstBadLine) {
    const QByteArray csv = motorSoundCsv(defaultMotorSoundTable()[Track::P1]);
    struct Case {
        QByteArray from, to;
        int line;
        const char* problem;
    };
    const Case cases[] = {
        {"speed_kmh,index,pitch,volume", "speed,index,pitch,volume", 1, "見出し"},
        {"\n0.4,", "\n0.6,", 4, "速度は 0.4 でなければ"},
        {"\n0.4,", "\nx,", 4, "速度は 0.4 でなければ"},
        {"\n0.6,0,", "\n0.6,0.5,", 5, "index は -32768 から 32767"},
        {"\n0.8,0,10,", "\n0.8,0,40000,", 6, "pitch は"},
        {"\n1.0,0,10,127", "\n1.0,0,10,", 7, "volume は"},
        {"\n1.2,0,10,127", "\n1.2,0,10,127,1", 8, "項目が 4 つ"},
        {"\n1.4,", "\n\n1.4,", 9, "項目が 4 つ"},
        {"\n159.8,0,178,127\n", "\n159.8,0,178,127\n160.0,0,10,0\n", 802, "800 行を超えて"},
        {"\n159.8,0,178,127\n", "\n", 801, "行が足りません"},
    };
    for (const Case& c : cases) {
        QByteArray bad = csv;
        bad.replace(bad.indexOf(c.from), c.from.size(), c.to);
        const MotorSoundCsvResult read = readMotorSoundCsv(bad);
        EXPECT_EQ(read.badLine, c.line) << c.to.toStdString();
        EXPECT_TRUE(read.problem.contains(QString::fromUtf8(c.problem)))
            << read.problem.toStdString();
        EXPECT_TRUE(read.errorText().startsWith(QStringLiteral("%1 行目: ").arg(c.line)));
    }
    EXPECT_EQ(readMotorSoundCsv(QByteArray()).badLine, 1);
    EXPECT_EQ(readMotorSoundCsv("speed_kmh,index,pitch,volume\n").badLine, 2);
}
