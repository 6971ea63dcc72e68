#include "document/traindata.h"
#include "motorsound/motorsoundcsv.h"
#include "shared/failure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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
        {"\n0.6,0,", "\n0.6,0.5,", 5, "インデックスは -32768 から 32767 の整数"},
        {"\n0.8,0,10,", "\n0.8,0,40000,", 6, "ピッチは"},
        {"\n1.0,0,10,127", "\n1.0,0,10,", 7, "ボリュームは"},
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

namespace {

// Every problem a user may meet is told in Japanese; the only Latin letters a
// message may show are in a path, which is shown apart from it.
bool holdsLatinLetters(const QString& text) {
    for (QChar c : text) {
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))
            return true;
    }
    return false;
}

} // namespace

TEST(MotorSoundCsv, ReadsWhatSpreadsheetsWriteAndRefusesDoubleSigns) {
    const MotorSoundTrack track = variedTrack();
    const QByteArray csv = motorSoundCsv(track);

    // Quoted numbers, quoted names and names in any case with blanks around them.
    QByteArray spreadsheet = csv;
    spreadsheet.replace("speed_kmh,index,pitch,volume", " Speed_KMH ,INDEX,\"Pitch\" , volume\t");
    spreadsheet.replace("\n0.2,", "\n\"0.2\",");
    spreadsheet.replace("\n1.0,12,32767,", "\n1.0,\"12\", \" 32767\" ,");
    spreadsheet.replace("\n1.2,", "\n\"+1.2\",");
    const MotorSoundCsvResult read = readMotorSoundCsv(spreadsheet);
    ASSERT_TRUE(read.ok()) << read.errorText().toStdString();
    EXPECT_EQ(read.track, track);

    struct Case {
        QByteArray from, to;
        const char* problem;
    };
    const Case cases[] = {
        {"\n1.0,12,", "\n1.0,+-12,", "インデックスは -32768 から 32767 の整数"},
        {"\n1.0,12,", "\n1.0,-+12,", "インデックスは"},
        {"\n1.0,12,", "\n1.0,++12,", "インデックスは"},
        {"\n1.0,12,", "\n1.0,\"+-12\",", "インデックスは"},
        {"\n1.0,", "\n+-1.0,", "速度は 1.0 で"},
        {"\n1.0,12,", "\n1.0,\"12,", "引用符 (\") が閉じていません"},
        {"\n1.0,12,", "\n1.0,\"12\"3,", "引用符 (\") の後ろ"},
        {"\n1.0,12,", "\n1.0,\"1,2\",", "インデックスは"},
        {"\n1.0,12,32767,-32768", "\n1.0,12,32767,-32768,\"\"", "項目が 4 つではありません"},
    };
    for (const Case& c : cases) {
        QByteArray bad = csv;
        bad.replace(bad.indexOf(c.from), c.from.size(), c.to);
        const MotorSoundCsvResult refused = readMotorSoundCsv(bad);
        EXPECT_EQ(refused.badLine, 7) << c.to.toStdString();
        EXPECT_TRUE(refused.problem.contains(QString::fromUtf8(c.problem)))
            << c.to.toStdString() << ": " << refused.problem.toStdString();
    }
    QByteArray renamed = csv;
    EXPECT_EQ(readMotorSoundCsv(renamed.replace("volume", "volumes")).badLine, 1);
}

TEST(MotorSoundCsv, EveryProblemIsToldInJapanese) {
    const QByteArray csv = motorSoundCsv(defaultMotorSoundTable()[Track::P1]);
    QStringList problems;
    for (const auto& [from, to] : std::initializer_list<std::pair<QByteArray, QByteArray>>{
             {"speed_kmh", "speed"},
             {"\n0.4,", "\nx,"},
             {"\n0.6,0,", "\n0.6,x,"},
             {"\n0.8,0,10,", "\n0.8,0,x,"},
             {"\n1.0,0,10,127", "\n1.0,0,10,x"},
             {"\n1.2,0,10,127", "\n1.2,0,10,127,1"},
             {"\n1.2,", "\n\"1.2,"},
             {"\n1.2,", "\n\"1.2\"x,"},
             {"\n159.8,0,178,127\n", "\n159.8,0,178,127\n160.0,0,10,0\n"},
             {"\n159.8,0,178,127\n", "\n"}}) {
        QByteArray bad = csv;
        bad.replace(bad.indexOf(from), from.size(), to);
        problems << readMotorSoundCsv(bad).errorText();
    }
    for (const QString& problem : problems) {
        EXPECT_FALSE(problem.isEmpty());
        EXPECT_FALSE(holdsLatinLetters(problem)) << problem.toStdString();
    }
    EXPECT_EQ(problems.first().count(QStringLiteral("、")), 3) << problems.first().toStdString();
}

TEST(MotorSoundCsvFile, RefusesWhatOpenRefusesWithItsWordsAndAnythingOverOneMegabyte) {
    QTemporaryDir dir;
    const QByteArray csv = motorSoundCsv(variedTrack());
    auto fileAt = [&](const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    };
    const MotorSoundCsvResult read = readMotorSoundCsvFile(fileAt("track.csv", csv));
    ASSERT_TRUE(read.ok()) << read.errorText().toStdString();
    EXPECT_EQ(read.track, variedTrack());

    // Empty lines after the last row may fill the file up to the limit, not beyond.
    const QByteArray padding(MaxMotorSoundCsvSize - csv.size(), '\n');
    EXPECT_TRUE(readMotorSoundCsvFile(fileAt("full.csv", csv + padding)).ok());
    const MotorSoundCsvResult large =
        readMotorSoundCsvFile(fileAt("large.csv", csv + padding + "\n"));
    EXPECT_EQ(large.problem, QStringLiteral("ファイルが大きすぎます (1 メガバイトまでです)。"));
    EXPECT_EQ(large.badLine, 0);
    EXPECT_EQ(large.errorText(), large.problem);

    const QString fifo = dir.filePath(QStringLiteral("fifo.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.csv")));
    const std::pair<QString, Failure> refusals[] = {
        {fifo, Failure::NotRegularFile},
        {dir.filePath(QStringLiteral("folder.csv")), Failure::IsFolder},
        {dir.filePath(QStringLiteral("missing.csv")), Failure::FileNotFound},
        {dir.filePath(QStringLiteral("no/such.csv")), Failure::PathNotFound},
    };
    QStringList problems{large.problem};
    for (const auto& [path, kind] : refusals) {
        const MotorSoundCsvResult refused = readMotorSoundCsvFile(path);
        EXPECT_EQ(refused.problem, failureDescription(kind)) << path.toStdString();
        EXPECT_EQ(refused.badLine, 0);
        problems << refused.problem;
    }
    if (::geteuid() != 0) {
        const QString locked = fileAt("locked.csv", csv);
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        problems << readMotorSoundCsvFile(locked).problem;
        EXPECT_EQ(problems.last(), failureDescription(Failure::ReadPermissionDenied));
    }
    for (const QString& problem : problems)
        EXPECT_FALSE(holdsLatinLetters(problem)) << problem.toStdString();
}
