#include "document/trainfilereader.h"

#include "document/fieldreader.h"
#include "document/motorsoundtext.h"
#include "document/numbertext.h"
#include "document/traindata.h"
#include "shared/apptitle.h"
#include "shared/guardedsteps.h"
#include "shared/textutil.h"

#include <cmath>
#include <limits>

namespace Orlenda {

namespace {

// A motor track (2,400 values) reports its first failure only; beyond the
// cap on questions per open, later problems keep their defaults silently.

// A field longer than this is cut in the syntax question, so that a file with
// one endless line cannot produce an endless message box.
constexpr qsizetype MaxShownFieldLength = 100;

// Nearly every value of a file is a plain integer: read those without the
// general number parser, which stays the judge of everything else. No
// exception: a broken track has thousands of bad values.
std::optional<Failure> motorValue(QStringView field, std::int16_t& out) {
    qsizetype i = 0;
    bool negative = false;
    if (!field.isEmpty() &&
        (field.front() == QLatin1Char('-') || field.front() == QLatin1Char('+'))) {
        negative = field.front() == QLatin1Char('-');
        i = 1;
    }
    const qsizetype digits = field.size() - i;
    if (digits >= 1 && digits <= 5) {
        int value = 0;
        for (; i < field.size(); ++i) {
            const char16_t c = field.at(i).unicode();
            if (c < u'0' || c > u'9')
                return tryStrictInt16(field, out);
            value = value * 10 + (c - u'0');
        }
        value = negative ? -value : value;
        if (value >= -32768 && value <= 32767) {
            out = std::int16_t(value);
            return std::nullopt;
        }
    }
    return tryStrictInt16(field, out);
}

// Thrown once the end of the file has been reported inside a section.
struct EndOfInput {};

class DatReader {
public:
    DatReader(TrainData& data, FieldReader& reader, Prompter& prompter)
        : mData(data), mReader(reader),
          mSteps(QStringLiteral("OpenDat"), prompter, MaxQuestionsPerOpen),
          mVersion(data.formatVersion()), mAcceleration(data.accelerationTable()),
          mMotorSound(data.motorSoundTable()) {}

    void run();

private:
    // False when the user declined to go on.
    bool dispatch();
    bool skipUnrecognised();
    void endAdjustments();

    void readAcceleration();
    void readDelays();
    void readBrake();
    void readHandle();
    void readCar();
    void readDevice();
    void readMotorTrack(Track track);
    // Texts of first + from .. first + to - 1, stopping at a keyword; returns the counter reached.
    int readTexts(TextId first, int from, int to);

    void next();
    bool atKeyword() const { return mField.startsWith(QLatin1Char('#')); }

    double number() const { return leadingNumber(mField); }
    std::int16_t intValue() const { return toInt16(number()); }
    float floatValue() const { return toFloat(number()); }
    void setCheckFromField(int index);
    void selectByNumber(ListId id);
    float curveValue(float t, std::int16_t speed2) const;

    template <typename Step> bool guarded(Step&& step) { return mSteps(std::forward<Step>(step)); }

    TrainData& mData;
    FieldReader& mReader;
    GuardedSteps mSteps;
    const std::int32_t mVersion;
    QStringView mField; // points into the reader's text
    // Filled in place and handed to the document once at the end.
    AccelerationTable mAcceleration;
    MotorSoundTable mMotorSound;
};

void DatReader::run() {
    bool finished = true;
    try {
        next();
        while (!mReader.atEnd()) {
            if (!dispatch()) {
                finished = false;
                break;
            }
        }
    } catch (const EndOfInput&) {
        // Reported already; what was read stays and the adjustments still apply.
        mSteps.endQuietGroup();
    }
    mData.setAccelerationTable(mAcceleration);
    mData.setMotorSoundTable(mMotorSound);
    if (finished)
        endAdjustments();
}

bool DatReader::dispatch() {
    const QString key = latinUpper(mField);
    auto is = [&](const char* keyword) { return key == QLatin1String(keyword); };
    if (is("#ACCELERATION")) {
        readAcceleration();
    } else if (is("#DECELERATION") || is("#PERFORMANCE")) {
        next();
        readTexts(txtPer(0), 0, 2);
    } else if (is("#DELAY")) {
        readDelays();
    } else if (is("#MOVE")) {
        next();
        readTexts(txtMove(0), 0, 6);
    } else if (is("#BRAKE")) {
        readBrake();
    } else if (is("#PRESSURE")) {
        next();
        readTexts(txtPrs(0), 0, 4);
    } else if (is("#HANDLE")) {
        readHandle();
    } else if (is("#COCKPIT") || is("#CAB")) {
        next();
        readTexts(txtPoint(0), 0, 3);
    } else if (is("#CAR")) {
        readCar();
    } else if (is("#DEVICE")) {
        readDevice();
    } else if (key.startsWith(QLatin1String("#MOTOR"))) {
        const QStringView suffix = QStringView(key).mid(6);
        Track track = Track::P1;
        if (suffix.startsWith(u'_'))
            track = motorSoundTrackOfName(suffix.mid(1)).value_or(Track::P1);
        readMotorTrack(track);
    } else {
        return skipUnrecognised();
    }
    return true;
}

bool DatReader::skipUnrecognised() {
    QString shown = mField.left(MaxShownFieldLength).toString();
    if (mField.size() > MaxShownFieldLength)
        shown += QStringLiteral("…");
    if (!mSteps.ask(applicationTitle(), syntaxQuestionText(shown), Prompter::Icon::Warning))
        return false;
    next();
    return true;
}

void DatReader::endAdjustments() {
    if (mVersion >= CurrentFormatVersion)
        return;
    // Older files had no cut-off speed for automatic air and could leave blending unset.
    if (mData.listIndex(cbxBrkSend) == AutomaticAir)
        mData.setText(txtElcStop, QStringLiteral("300"));
    else if (mData.listIndex(cbxBrkElcAir) == NoBlending)
        guarded([&] { mData.setListIndex(cbxBrkElcAir, CutOffValve); });
}

void DatReader::readAcceleration() {
    AccelerationTable& table = mAcceleration;
    next();
    for (int i = 0; i < NotchCount && !atKeyword(); ++i) {
        AccelerationRow& row = table[std::size_t(i)];
        guarded([&] { row.accel1 = floatValue(); });
        next();
        guarded([&] { row.accel2 = floatValue(); });
        next();
        guarded([&] { row.speed1 = intValue(); });
        next();
        guarded([&] { row.speed2 = intValue(); });
        next();
        float t = 0;
        // Without its source value the curve keeps its default.
        if (guarded([&] { t = floatValue(); }))
            guarded([&] { row.curve = curveValue(t, row.speed2); });
        next();
    }
}

float DatReader::curveValue(float t, std::int16_t speed2) const {
    if (mVersion >= CurrentFormatVersion)
        return t;
    // Older files stored a decay factor; this turns it into the curve exponent.
    if (!(t > 0))
        throw StepFailure(Failure::InvalidArgument);
    return toFloat(minOf(1 - std::log(double(t)) * speed2 * 1.233152, 4));
}

void DatReader::readDelays() {
    next();
    const int reached = readTexts(txtDelay(0), 0, 4);
    if (mVersion >= SixDelaysVersion) {
        readTexts(txtDelay(0), reached, 6);
        return;
    }
    // Older files had no electric-brake delays: derive them from the others.
    guarded([&] {
        const double derived =
            maxOf(strictNumber(mData.text(txtDelay(0))), 2 * strictNumber(mData.text(txtDelay(2))));
        if (!std::isfinite(derived))
            throw StepFailure(Failure::Overflow);
        mData.setText(txtDelay(4), doubleText(derived));
    });
    mData.setText(txtDelay(5), mData.text(txtDelay(1)));
}

int DatReader::readTexts(TextId first, int from, int to) {
    int i = from;
    for (; i < to && !atKeyword(); ++i) {
        mData.setText(TextId(int(first) + i), mField.toString());
        next();
    }
    return i;
}

void DatReader::readBrake() {
    next();
    guarded([&] { mData.setListIndex(cbxBrkSend, intValue()); });
    next();
    guarded([&] { mData.setListIndex(cbxBrkElcAir, intValue()); });
    next();
    mData.setText(txtElcStop, mField.toString());
    next();
}

void DatReader::readHandle() {
    next();
    guarded([&] { mData.setListIndex(cbxHandle(0), intValue()); });
    next();
    selectByNumber(cbxHandle(1));
    next();
    selectByNumber(cbxHandle(2));
    next();
    mData.setText(txtNotchDown, mField.toString());
    next();
}

void DatReader::selectByNumber(ListId id) {
    // A number that matches no entry number leaves the selection alone.
    const double n = number();
    if (n != std::trunc(n) || std::fabs(n) > double(std::numeric_limits<int>::max()))
        return;
    guarded([&] { mData.selectByItemData(id, int(n)); });
}

void DatReader::readCar() {
    next();
    for (int i = 0; i < 4; ++i) {
        mData.setText(txtCar(i), mField.toString());
        next();
    }
    if (mVersion >= CarLengthVersion) {
        mData.setText(txtCar(4), mField.toString());
        next();
    }
    if (mVersion >= CurrentFormatVersion) {
        guarded([&] { mData.setListIndex(cbxHead, intValue()); });
        next();
    }
}

void DatReader::setCheckFromField(int index) {
    const std::int16_t value = intValue();
    if (value != 0 && value != 1)
        throw StepFailure(Failure::InvalidPropertyValue);
    mData.setCheck(chkDevice(index), value == 1);
}

void DatReader::readDevice() {
    next();
    guarded([&] { setCheckFromField(0); });
    next();
    guarded([&] { mData.setListIndex(cbxDevice(0), intValue()); });
    for (int i = 1; i <= 3; ++i) {
        next();
        guarded([&] { setCheckFromField(i); });
    }
    if (mVersion >= CurrentFormatVersion) {
        next();
        guarded([&] { mData.setListIndex(cbxDevice(1), intValue()); });
        next();
        guarded([&] { mData.setText(txtAdaptLoad, doubleText(number())); });
        next();
        guarded([&] { mData.setListIndex(cbxDevice(2), intValue()); });
    }
    next();
}

void DatReader::readMotorTrack(Track track) {
    MotorSoundTrack& rows = mMotorSound[track];
    // 2,400 values: the first bad one tells the user enough.
    mSteps.beginQuietGroup();
    next();
    for (int r = 0; r < MotorSoundRows && !atKeyword(); ++r) {
        MotorSoundEntry& entry = rows[std::size_t(r)];
        for (std::int16_t* value : {&entry.index, &entry.pitch, &entry.volume}) {
            if (const std::optional<Failure> failure = motorValue(mField, *value))
                mSteps.report(*failure);
            next();
        }
    }
    mSteps.endQuietGroup();
}

void DatReader::next() {
    if (mReader.atEnd()) {
        // Every further read would fail the same way: say it once and stop.
        mSteps.endQuietGroup();
        mSteps.report(Failure::PastEndOfFile);
        throw EndOfInput{};
    }
    mField = mReader.readFieldView();
}


} // namespace

void openDat(TrainData& data, FieldReader& reader, Prompter& prompter) {
    DatReader(data, reader, prompter).run();
}

} // namespace Orlenda
