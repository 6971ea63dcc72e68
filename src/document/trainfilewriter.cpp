#include "document/trainfilewriter.h"

#include "document/numbertext.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "shared/guardedsteps.h"

namespace Orlenda {

namespace {

class LineWriter {
public:
    explicit LineWriter(const TrainData& data) : mData(data) { mLines.reserve(TrainFileLineCount); }

    void line(const QString& text) { mLines << text; }
    void keyword(const char* word) { mLines << QString::fromLatin1(word); }
    void number(int value) { mLines << QString::number(value); }
    void text(TextId id) { mLines << mData.text(id); }
    void position(ListId id) { number(mData.listIndex(id)); }
    // A list without a selection has no entry number; its position (-1)
    // keeps the line so that the sections after it stay in place.
    void entryNumber(ListId id) { number(mData.listItemData(id).value_or(mData.listIndex(id))); }
    void check(int index) { number(mData.check(index) ? 1 : 0); }

    QStringList take() { return std::move(mLines); }

private:
    const TrainData& mData;
    QStringList mLines;
};

void writeMotorTrack(LineWriter& out, const MotorSoundTrack& track) {
    for (const MotorSoundEntry& e : track) {
        out.line(QString::number(e.index) + QLatin1Char(',') + QString::number(e.pitch) +
                 QLatin1Char(',') + QString::number(e.volume));
    }
}

} // namespace

QStringList trainFileLines(const TrainData& data) {
    LineWriter out(data);
    out.keyword("QRL2000000");

    out.keyword("#ACCELERATION");
    for (const AccelerationRow& row : data.accelerationTable()) {
        out.line(floatText(row.accel1) + QLatin1Char(',') + floatText(row.accel2) +
                 QLatin1Char(',') + QString::number(row.speed1) + QLatin1Char(',') +
                 QString::number(row.speed2) + QLatin1Char(',') + floatText(row.curve));
    }

    out.keyword("#PERFORMANCE");
    for (int i = 0; i < 2; ++i)
        out.text(txtPer(i));

    out.keyword("#DELAY");
    for (int i = 0; i < 6; ++i)
        out.text(txtDelay(i));

    out.keyword("#MOVE");
    for (int i = 0; i < 6; ++i)
        out.text(txtMove(i));

    out.keyword("#BRAKE");
    out.position(cbxBrkSend);
    out.position(cbxBrkElcAir);
    out.text(txtElcStop);

    out.keyword("#PRESSURE");
    for (int i = 0; i < 4; ++i)
        out.text(txtPrs(i));

    out.keyword("#HANDLE");
    for (int i = 0; i < 3; ++i)
        out.entryNumber(cbxHandle(i));
    out.text(txtNotchDown);

    out.keyword("#COCKPIT");
    for (int i = 0; i < 3; ++i)
        out.text(txtPoint(i));

    out.keyword("#CAR");
    for (int i = 0; i < 5; ++i)
        out.text(txtCar(i));
    out.position(cbxHead);

    out.keyword("#DEVICE");
    out.check(0);
    out.position(cbxDevice(0));
    out.check(1);
    out.check(2);
    out.check(3);
    out.position(cbxDevice(1));
    out.text(txtAdaptLoad);
    out.position(cbxDevice(2));

    const MotorSoundTable& motor = data.motorSoundTable();
    out.keyword("#MOTOR_P1");
    writeMotorTrack(out, motor[Track::P1]);
    out.keyword("#MOTOR_P2");
    writeMotorTrack(out, motor[Track::P2]);
    out.keyword("#MOTOR_B1");
    writeMotorTrack(out, motor[Track::B1]);
    out.keyword("#MOTOR_B2");
    writeMotorTrack(out, motor[Track::B2]);
    out.keyword("#");
    return out.take();
}

QString trainFileText(const TrainData& data) {
    const QString crlf = QStringLiteral("\r\n");
    return trainFileLines(data).join(crlf) + crlf;
}

bool Save(const TrainData& data, Prompter& prompter) {
    GuardedSteps guarded(QStringLiteral("Save"), prompter);
    // One step: the text is built and encoded in memory before the file is
    // touched, so any failure reports once and leaves the old file intact.
    return guarded([&] { writeWholeFile(data.DocumentPath(), encodeShiftJis(trainFileText(data))); });
}

} // namespace Orlenda
