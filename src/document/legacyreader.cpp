#include "document/legacyreader.h"

#include "document/legacyinput.h"
#include "document/motorsoundtext.h"
#include "document/numbertext.h"
#include "document/traindata.h"
#include "document/trainfileformat.h"
#include "shared/apptitle.h"
#include "shared/guardedsteps.h"
#include "shared/textutil.h"

#include <array>
#include <cmath>
#include <optional>

namespace Orlenda {

namespace {

// Legacy units: kgf/cm² to kPa, pitch ratio to percent; speeds in km/h.
constexpr double PressureFactor = 98;
constexpr double PitchFactor = 100;

QString integerText(std::int16_t value) { return QString::number(value); }

enum class PointListKind { Vvvf, MotorSound };

class LegacyReader {
public:
    LegacyReader(TrainData& data, const QString& text, qsizetype position, Prompter& prompter)
        : mData(data), mInput(text, position),
          mSteps(QStringLiteral("OpenTrn"), prompter, MaxQuestionsPerOpen) {}

    void run();

    // A cleaned line that opens a section, whatever the case of its Latin letters.
    static bool isHead(QStringView cleaned) { return sectionFor(cleaned) || isMotorHead(cleaned); }

private:
    using Handler = void (LegacyReader::*)();
    struct Section {
        const char16_t* head;
        Handler read;
    };
    static const Section* sectionFor(QStringView cleaned);
    // The four motor-sound heads differ only after their "-".
    static bool isMotorHead(QStringView cleaned) { return cleaned.startsWith(u"[モータ音"); }

    bool processLine(const QString& line);
    void finish();

    template <typename Step> bool guarded(Step&& step) { return mSteps(std::forward<Step>(step)); }

    // Value reading. A section with a fixed count reports the end of the file
    // once and then reads nothing more; a point list ends silently there.
    void beginSection() { mSectionEnded = false; }
    std::optional<QString> nextField(LegacyInput::FieldKind kind);
    std::optional<float> readNumber();
    std::optional<std::int16_t> readInteger();
    std::optional<QString> readText();

    void setTextIf(TextId id, const std::optional<float>& value);
    void setIntegerTextIf(TextId id, const std::optional<std::int16_t>& value);
    void setPressureIf(TextId id, const std::optional<float>& value);
    void readPressurePair(TextId first, TextId second);
    void setCheckFromText(CheckId id, const std::optional<QString>& text);

    void readControlMethod();
    void readAcceleration();
    void readDeceleration();
    void readBrakeMethod();
    void readElectricStop();
    void readResponse();
    void readPressure();
    void readPressureChange();
    void readMainReservoir();
    void readConsist();
    void readHandle();
    void readTrainProtection();
    void readEbDevice();
    void readConstantSpeedDevice();
    void readHoldingBrake();
    void readCab();
    void readVvvf();

    void readPointList(PointListKind kind, Track track);

    static const std::array<Section, 17> Sections;

    TrainData& mData;
    LegacyInput mInput;
    GuardedSteps mSteps;
    // The legacy brake-notch count; applied once the whole file has been read,
    // when the holding-brake state is known.
    std::int16_t mHeldBrakeNotches = 0;
    bool mSectionEnded = false;
    bool mInPointList = false;
};

const std::array<LegacyReader::Section, 17> LegacyReader::Sections = {{
    {u"[制御方式]", &LegacyReader::readControlMethod},
    {u"[加速力]", &LegacyReader::readAcceleration},
    {u"[減速度]", &LegacyReader::readDeceleration},
    {u"[ブレーキ方式]", &LegacyReader::readBrakeMethod},
    {u"[電気停止]", &LegacyReader::readElectricStop},
    {u"[応答]", &LegacyReader::readResponse},
    {u"[圧力]", &LegacyReader::readPressure},
    {u"[圧力変化]", &LegacyReader::readPressureChange},
    {u"[元空気溜め]", &LegacyReader::readMainReservoir},
    {u"[編成]", &LegacyReader::readConsist},
    {u"[ハンドル]", &LegacyReader::readHandle},
    {u"[運転保安装置]", &LegacyReader::readTrainProtection},
    {u"[EB装置]", &LegacyReader::readEbDevice},
    {u"[定速運転装置]", &LegacyReader::readConstantSpeedDevice},
    {u"[抑速ブレーキ]", &LegacyReader::readHoldingBrake},
    {u"[運転台]", &LegacyReader::readCab},
    {u"[VVVF]", &LegacyReader::readVvvf},
}};

void LegacyReader::run() {
    // Whatever stands before the first head, the rest of the first line
    // included, is not part of any section.
    std::optional<QString> line;
    while (!line && !mInput.atEnd()) {
        QString candidate = mInput.readLine();
        if (candidate.startsWith(u'['))
            line = std::move(candidate);
    }
    while (line) {
        if (!processLine(*line))
            return;
        line.reset();
        if (!mInput.atEnd())
            line = mInput.readLine();
    }
    finish();
}

const LegacyReader::Section* LegacyReader::sectionFor(QStringView cleaned) {
    for (const Section& section : Sections) {
        if (equalsLatinUpper(cleaned, QStringView(section.head)))
            return &section;
    }
    return nullptr;
}

bool LegacyReader::processLine(const QString& line) {
    const QString cleaned =
        trimTrailingBlanks(textBefore(trimLeadingBlanks(line), QStringLiteral(";")));
    if (const Section* section = sectionFor(cleaned)) {
        beginSection();
        (this->*section->read)();
        return true;
    }
    if (isMotorHead(cleaned)) {
        const QString suffix =
            latinUpper(trimLeadingBlanks(textAfter(cleaned, QStringLiteral("-"))));
        Track track = Track::P1;
        if (suffix.endsWith(u']'))
            track = motorSoundTrackOfName(QStringView(suffix).chopped(1)).value_or(Track::P1);
        readPointList(PointListKind::MotorSound, track);
        return true;
    }
    if (cleaned.isEmpty())
        return true;
    return mSteps.ask(applicationTitle(), syntaxQuestionText(cleaned), Prompter::Icon::Warning);
}

void LegacyReader::finish() {
    guarded([&] {
        if (mData.check(HoldingControlCheck) && mHeldBrakeNotches > 0)
            mHeldBrakeNotches = toInt16(double(mHeldBrakeNotches) + 1);
    });
    guarded([&] { mData.selectByItemData(cbxHandle(2), mHeldBrakeNotches); });
}

std::optional<QString> LegacyReader::nextField(LegacyInput::FieldKind kind) {
    if (mSectionEnded)
        return std::nullopt;
    std::optional<QString> field = mInput.readField(kind);
    if (!field) {
        mSectionEnded = true;
        if (!mInPointList)
            mSteps.report(Failure::PastEndOfFile);
    }
    return field;
}

std::optional<float> LegacyReader::readNumber() {
    const std::optional<QString> field = nextField(LegacyInput::FieldKind::Number);
    if (!field)
        return std::nullopt;
    std::optional<float> value;
    guarded([&] { value = toFloat(leadingNumber(*field)); });
    return value;
}

std::optional<std::int16_t> LegacyReader::readInteger() {
    const std::optional<QString> field = nextField(LegacyInput::FieldKind::Number);
    if (!field)
        return std::nullopt;
    std::optional<std::int16_t> value;
    guarded([&] { value = toInt16(leadingNumber(*field)); });
    return value;
}

std::optional<QString> LegacyReader::readText() { return nextField(LegacyInput::FieldKind::Text); }

void LegacyReader::setTextIf(TextId id, const std::optional<float>& value) {
    if (value)
        mData.setText(id, floatText(*value));
}

void LegacyReader::setIntegerTextIf(TextId id, const std::optional<std::int16_t>& value) {
    if (value)
        mData.setText(id, integerText(*value));
}

void LegacyReader::setPressureIf(TextId id, const std::optional<float>& value) {
    if (value)
        guarded([&] { mData.setText(id, integerText(toInt16(double(*value) * PressureFactor))); });
}

void LegacyReader::setCheckFromText(CheckId id, const std::optional<QString>& text) {
    if (!text)
        return;
    guarded([&] {
        const std::int16_t state = toInt16(leadingNumber(*text));
        if (state != 0 && state != 1)
            throw StepFailure(Failure::InvalidPropertyValue);
        mData.setCheck(id, state == 1);
    });
}

void LegacyReader::readControlMethod() {
    const std::optional<std::int16_t> method = readInteger();
    if (!method)
        return;
    // Delayed-application blending goes with quick power response; the
    // cut-off valve with the slower defaults.
    const bool delayed = *method == 2;
    guarded([&] { mData.setListIndex(cbxBrkElcAir, delayed ? DelayedFilling : CutOffValve); });
    const std::array<const char16_t*, 4> rates = delayed
        ? std::array<const char16_t*, 4>{u"120", u"120", u"50", u"500"}
        : std::array<const char16_t*, 4>{u"500", u"3000", u"3000", u"3000"};
    for (int i = 0; i < 4; ++i)
        mData.setText(txtMove(i), QString::fromUtf16(rates[std::size_t(i)]));
}

void LegacyReader::readAcceleration() {
    std::array<std::optional<float>, 6> level;
    for (auto& value : level)
        value = readNumber();

    AccelerationRow row = mData.accelerationTable()[0];
    bool changed = false;
    if (level[0]) {
        row.accel1 = *level[0];
        changed = true;
    }
    if (level[1]) {
        row.accel2 = *level[1];
        changed = true;
    }
    // speed2 and curve build on the stored speed1 and speed2, so each goes on
    // only when the step before it took effect.
    bool speedsSet = false;
    if (level[3]) {
        changed = true;
        speedsSet = guarded([&] { row.speed1 = toInt16(*level[3]); })
            && guarded([&] { row.speed2 = toInt16(double(row.speed1) * 1.6); });
    }
    if (speedsSet && level[1] && level[2] && level[4]) {
        guarded([&] {
            const double l2 = *level[1];
            const double l3 = *level[2];
            const double l4 = *level[3];
            const double l5 = *level[4];
            // Doubles do not trap on a zero divisor, and a NaN or infinite
            // power would slip through the limits below as 1.0.
            const double xDivisor = l2 * l4;
            const double yDivisor = l5 - row.speed2;
            if (xDivisor == 0 || yDivisor == 0)
                throw StepFailure(Failure::DivisionByZero);
            const double power = std::pow((l3 * l5) / xDivisor, 1 / yDivisor);
            if (std::isnan(power))
                throw StepFailure(Failure::InvalidArgument);
            if (std::isinf(power))
                throw StepFailure(Failure::Overflow);
            row.curve = float(maxOf(minOf(power, 1.0), 0.9));
        });
    }
    if (!changed)
        return;
    AccelerationTable table;
    table.fill(row);
    mData.setAccelerationTable(table);
}

void LegacyReader::readDeceleration() { setTextIf(txtPer(0), readNumber()); }

void LegacyReader::readBrakeMethod() {
    const std::optional<std::int16_t> method = readInteger();
    if (method)
        guarded([&] { mData.setListIndex(cbxBrkSend, *method); });
}

void LegacyReader::readElectricStop() { setIntegerTextIf(txtElcStop, readInteger()); }

void LegacyReader::readResponse() {
    const std::optional<float> power = readNumber();
    const std::optional<float> service = readNumber();
    const std::optional<float> emergency = readNumber();
    setTextIf(txtDelay(0), power);
    setTextIf(txtDelay(1), power);
    setTextIf(txtDelay(2), service);
    setTextIf(txtDelay(3), emergency);
}

// Legacy pressures are in kgf/cm²; both values of the pair are read first,
// as the file holds them, then each is stored in kPa.
void LegacyReader::readPressurePair(TextId first, TextId second) {
    const std::optional<float> a = readNumber();
    const std::optional<float> b = readNumber();
    setPressureIf(first, a);
    setPressureIf(second, b);
}

void LegacyReader::readPressure() { readPressurePair(txtPrs(0), txtPrs(1)); }

void LegacyReader::readPressureChange() { readPressurePair(txtMove(4), txtMove(5)); }

void LegacyReader::readMainReservoir() { readPressurePair(txtPrs(2), txtPrs(3)); }

void LegacyReader::readConsist() {
    std::array<std::optional<std::int16_t>, 4> values;
    for (auto& value : values)
        value = readInteger();
    for (int i = 0; i < 4; ++i)
        setIntegerTextIf(txtCar(i), values[std::size_t(i)]);
}

void LegacyReader::readHandle() {
    const std::optional<std::int16_t> type = readInteger();
    const std::optional<std::int16_t> power = readInteger();
    const std::optional<std::int16_t> brake = readInteger();
    if (type)
        guarded([&] { mData.setListIndex(cbxHandle(0), *type); });
    if (power)
        mData.selectByItemData(cbxHandle(1), *power);
    if (brake)
        mHeldBrakeNotches = *brake;
}

void LegacyReader::readTrainProtection() {
    const std::optional<QString> atsP = readText();
    const std::optional<std::int16_t> atc = readInteger();
    setCheckFromText(chkDevice(0), atsP);
    if (atc)
        guarded([&] { mData.setListIndex(cbxDevice(0), *atc); });
}

void LegacyReader::readEbDevice() { setCheckFromText(chkDevice(1), readText()); }

void LegacyReader::readConstantSpeedDevice() { setCheckFromText(chkDevice(2), readText()); }

void LegacyReader::readHoldingBrake() { setCheckFromText(HoldingControlCheck, readText()); }

void LegacyReader::readCab() {
    std::array<std::optional<std::int16_t>, 3> values;
    for (auto& value : values)
        value = readInteger();
    for (int i = 0; i < 3; ++i)
        setIntegerTextIf(txtPoint(i), values[std::size_t(i)]);
}

void LegacyReader::readVvvf() { readPointList(PointListKind::Vvvf, Track::P1); }

void LegacyReader::readPointList(PointListKind kind, Track trackId) {
    beginSection();
    mInPointList = true;
    // A point list can hold hundreds of points; one report per list is enough
    // to tell the user that its values were not all taken.
    mSteps.beginQuietGroup();
    MotorSoundTable table = mData.motorSoundTable();
    MotorSoundTrack& track = table[trackId];

    // The start of the current segment. Its values are the stored row's when
    // the row lies in the track, else the point's own.
    struct Anchor {
        int row;
        double pitch;
        double volume;
    };
    std::optional<Anchor> anchor;
    bool firstPoint = true;

    // Every point consumes at least one field, so the list ends at the latest
    // with the text.
    for (;;) {
        const std::optional<float> speed = readNumber();
        const std::optional<float> pitch = readNumber();
        std::optional<std::int16_t> volume;
        if (kind == PointListKind::MotorSound)
            volume = readInteger();
        const std::optional<std::int16_t> index = readInteger();
        if (mSectionEnded)
            break;
        if (!firstPoint && pitch && *pitch == 0)
            break;
        firstPoint = false;
        if (!speed || !pitch || !index || (kind == PointListKind::MotorSound && !volume))
            continue;

        guarded([&] {
            const int row = toInt16(double(*speed) * MotorSoundRowsPerKmh);
            const double targetPitch = double(*pitch) * PitchFactor;
            const std::int16_t pointPitch = toInt16(targetPitch);
            const double targetVolume = volume ? double(*volume) : MaximumSoundVolume;
            const bool inTrack = row >= 0 && row < MotorSoundRows;

            if (!anchor) {
                anchor = Anchor{row, double(pointPitch), targetVolume};
                if (!inTrack)
                    throw StepFailure(Failure::SubscriptOutOfRange);
                MotorSoundEntry& entry = track[std::size_t(row)];
                entry.pitch = pointPitch;
                entry.index = *index;
                if (kind == PointListKind::MotorSound)
                    entry.volume = *volume;
                return;
            }

            const Anchor start = anchor->row >= 0 && anchor->row < MotorSoundRows
                ? Anchor{anchor->row, double(track[std::size_t(anchor->row)].pitch),
                         double(track[std::size_t(anchor->row)].volume)}
                : *anchor;
            anchor = Anchor{row, double(pointPitch), targetVolume};
            // Rows outside the track are skipped, and the loop never runs
            // over more than the track's rows.
            const int first = std::max(start.row + 1, 0);
            const int last = std::min(row, MotorSoundRows - 1);
            const double span = double(row) - start.row;
            for (int r = first; r <= last; ++r) {
                const double t = (double(r) - start.row) / span;
                MotorSoundEntry& entry = track[std::size_t(r)];
                entry.pitch = toInt16((targetPitch - start.pitch) * t + start.pitch);
                entry.index = *index;
                entry.volume = kind == PointListKind::Vvvf
                    ? std::int16_t(MaximumSoundVolume)
                    : toInt16(t * (targetVolume - start.volume) + start.volume);
            }
        });
    }

    // A list cut short by the end of the file is still copied: B1 then keeps
    // matching the part of P1 that was read.
    if (kind == PointListKind::Vvvf)
        table[Track::B1] = table[Track::P1];
    mInPointList = false;
    mSteps.endQuietGroup();
    mData.setMotorSoundTable(table);
}

} // namespace

void openTrn(TrainData& data, const QString& text, qsizetype position, Prompter& prompter) {
    LegacyReader(data, text, position, prompter).run();
}

bool hasLegacySectionHead(const QString& text) {
    auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    const qsizetype size = text.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        while (end < size && text.at(end) != u'\r' && text.at(end) != u'\n')
            ++end;
        // The line cleaned as the reader cleans it: blanks at both ends and
        // a comment after ";" removed.
        QStringView line = QStringView(text).mid(start, end - start);
        while (!line.isEmpty() && isBlank(line.front()))
            line = line.sliced(1);
        if (!line.isEmpty() && line.front() == u'[') {
            const qsizetype comment = line.indexOf(u';');
            if (comment >= 0)
                line.truncate(comment);
            while (!line.isEmpty() && isBlank(line.back()))
                line.chop(1);
            if (LegacyReader::isHead(line))
                return true;
        }
        start = end + 1;
    }
    return false;
}

} // namespace Orlenda
