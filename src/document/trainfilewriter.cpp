#include "document/trainfilewriter.h"

#include "document/diskfingerprint.h"
#include "document/numbertext.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfileformat.h"
#include "shared/apptitle.h"
#include "shared/guardedsteps.h"
#include "shared/pathname.h"
#include "shared/platform.h"

#include <QFileInfo>

#include <charconv>

namespace Orlenda {

namespace {

// Appends every line, ended by CR LF, to one text: a file is 3,266 short
// lines, and building each as a string of its own would dominate saving.
class LineWriter {
public:
    explicit LineWriter(const TrainData& data) : mData(data) { mText.reserve(48 * 1024); }

    void line(const QString& text) { mText.append(text).append(u"\r\n"); }
    void keyword(const char* word) { mText.append(QLatin1StringView(word)).append(u"\r\n"); }
    void number(int value) {
        appendInt(value);
        mText.append(u"\r\n");
    }
    void text(TextId id) { line(writtenFieldText(mData.text(id))); }
    void position(ListId id) { number(mData.listIndex(id)); }
    // A list without a selection has no entry number; its position (-1)
    // keeps the line so that the sections after it stay in place.
    void entryNumber(ListId id) { number(mData.listItemData(id).value_or(mData.listIndex(id))); }
    void check(CheckId id) { number(mData.check(id) ? 1 : 0); }

    void motorRow(const MotorSoundEntry& e) {
        appendInt(e.index);
        mText.append(u',');
        appendInt(e.pitch);
        mText.append(u',');
        appendInt(e.volume);
        mText.append(u"\r\n");
    }

    void accelerationRow(const AccelerationRow& row) {
        mText.append(floatText(row.accel1)).append(u',').append(floatText(row.accel2)).append(u',');
        appendInt(row.speed1);
        mText.append(u',');
        appendInt(row.speed2);
        mText.append(u',').append(floatText(row.curve)).append(u"\r\n");
    }

    QString take() { return std::move(mText); }

private:
    void appendInt(int value) {
        char buffer[16];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        mText.append(QLatin1StringView(buffer, result.ptr));
    }

    const TrainData& mData;
    QString mText;
};

void writeMotorTrack(LineWriter& out, const MotorSoundTrack& track) {
    for (const MotorSoundEntry& e : track)
        out.motorRow(e);
}

bool readsBackAsItself(const QString& text) {
    if (text.isEmpty())
        return true;
    const QChar first = text.front();
    if (first == u' ' || first == u'\t' || first == u'"' || first == u'#')
        return false;
    for (QChar c : text) {
        if (c == u',' || c == u'\r' || c == u'\n')
            return false;
    }
    return true;
}

} // namespace

QString writtenFieldText(const QString& text) {
    return readsBackAsItself(text) ? text : doubleText(leadingNumber(text));
}

QString trainFileText(const TrainData& data) {
    LineWriter out(data);
    out.line(currentFormatHead());

    out.keyword("#ACCELERATION");
    for (const AccelerationRow& row : data.accelerationTable())
        out.accelerationRow(row);

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
    out.check(chkDevice(0));
    out.position(cbxDevice(0));
    out.check(chkDevice(1));
    out.check(chkDevice(2));
    out.check(chkDevice(3));
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

QString changedOnDiskQuestionText(const QString& path) {
    return QFileInfo(path).fileName() +
           QStringLiteral(" は開いた後に他のプログラムによって変更されています。上書きしますか？");
}

namespace {

// Whether the document's own file may be replaced: asked when someone else
// has changed it since the document last read or wrote it, or when a restored
// copy left the question for this save. A file that has gone is written
// again; anything but a regular file is left to the writer, which refuses it.
// A document that never read or wrote the file knows nothing to compare.
bool mayReplaceOwnFile(const TrainData& data, Prompter& prompter) {
    const QString& path = data.documentPath();
    if (PlatformFile::kindOf(path) != FileKind::Regular)
        return true;
    const bool changed = data.asksBeforeReplacing() ||
                         (data.diskFingerprint().isKnown() &&
                          diskStateOf(path, data.diskFingerprint()) != DiskState::Unchanged);
    return !changed || prompter.askNoByDefault(applicationTitle(), changedOnDiskQuestionText(path),
                                               Prompter::Icon::Warning);
}

} // namespace

bool saveTo(TrainData& data, const QString& requestedPath, Prompter& prompter) {
    const QString path = absolutePath(requestedPath);
    if (!data.documentPath().isEmpty() && path == data.documentPath() &&
        !mayReplaceOwnFile(data, prompter))
        return false;
    GuardedSteps guarded(QStringLiteral("Save"), prompter);
    // One step: the text is built and encoded in memory before the file is
    // touched, so any failure reports once and leaves the old file intact.
    QByteArray bytes;
    const bool written = guarded([&] {
        bytes = encodeShiftJis(trainFileText(data));
        writeWholeFile(path, bytes);
    });
    if (written) {
        data.setDiskFingerprint(fingerprintOfBytes(path, bytes));
        data.setAsksBeforeReplacing(false);
        data.setDocumentPath(path);
        data.markSaved();
    }
    return written;
}

bool save(TrainData& data, Prompter& prompter) {
    return saveTo(data, data.documentPath(), prompter);
}

} // namespace Orlenda
