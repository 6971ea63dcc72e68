#include "document/recoverycopy.h"

#include "document/fieldreader.h"
#include "document/openfile.h"
#include "document/traindata.h"
#include "document/trainfilereader.h"
#include "document/trainfilewriter.h"
#include "shared/cappedprompter.h"
#include "shared/pathname.h"

#include <QCryptographicHash>
#include <QDir>
#include <QUrl>

#include <algorithm>

namespace Orlenda {

namespace {

constexpr QByteArrayView Magic = "Orlenda recovery copy ";
constexpr QByteArrayView PathKey = "path: ";
constexpr QByteArrayView TimeKey = "time: ";
constexpr QByteArrayView FileKey = "file: ";
constexpr QByteArrayView LengthKey = "length: ";
constexpr QByteArrayView HashKey = "sha256: ";
constexpr int CurrentVersion = 2;

// Reads "key: value\n" lines of a header, never past its bound.
class HeaderLines {
public:
    explicit HeaderLines(QByteArrayView bytes)
        : mBytes(bytes.first(std::min(bytes.size(), MaxRecoveryHeaderSize))) {}

    std::optional<QByteArrayView> line() {
        const qsizetype end = mBytes.indexOf('\n', mPosition);
        if (end < 0)
            return std::nullopt;
        const QByteArrayView text = mBytes.sliced(mPosition, end - mPosition);
        mPosition = end + 1;
        return text;
    }
    std::optional<QByteArrayView> value(QByteArrayView key) {
        const auto text = line();
        if (!text || !text->startsWith(key))
            return std::nullopt;
        return text->sliced(key.size());
    }
    qsizetype position() const { return mPosition; }

private:
    QByteArrayView mBytes;
    qsizetype mPosition = 0;
};

std::optional<qint64> wholeNumber(QByteArrayView text) {
    if (text.isEmpty() || text.size() > 18 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return text.toLongLong();
}

std::optional<QByteArray> sha256(QByteArrayView hex) {
    if (hex.size() != 64 || !std::all_of(hex.begin(), hex.end(), [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
        }))
        return std::nullopt;
    return QByteArray::fromHex(hex.toByteArray());
}

// "size time hash" of the file, or "-" when none is known.
QByteArray fingerprintText(const DiskFingerprint& print) {
    if (!print.isKnown() || print.sha256.size() != 32)
        return "-";
    return QByteArray::number(print.size) + ' ' + QByteArray::number(print.modifiedMs) + ' ' +
           print.sha256.toHex();
}

std::optional<DiskFingerprint> parseFingerprint(QByteArrayView text) {
    if (text == "-")
        return DiskFingerprint{};
    const QList<QByteArray> parts = text.toByteArray().split(' ');
    if (parts.size() != 3)
        return std::nullopt;
    const auto size = wholeNumber(parts[0]);
    // A file may carry a time before 1970.
    const bool before1970 = parts[1].startsWith('-');
    auto time = wholeNumber(before1970 ? parts[1].mid(1) : parts[1]);
    if (time && before1970)
        time = -*time;
    const auto hash = sha256(parts[2]);
    if (!size || !time || !hash)
        return std::nullopt;
    return DiskFingerprint{*size, *time, *hash};
}

// A declined question ends the restoring, never the program.
struct RestoreDeclined {};

class StopOnNo : public Prompter {
public:
    explicit StopOnNo(Prompter& inner) : mInner(inner) {}
    bool ask(const QString& caption, const QString& text, Icon icon) override {
        if (!mInner.ask(caption, text, icon))
            throw RestoreDeclined{};
        return true;
    }
    Answer askWhileReading(const QString& caption, const QString& text, Icon icon) override {
        const Answer answer = mInner.askWhileReading(caption, text, icon);
        if (answer == Answer::No)
            throw RestoreDeclined{};
        return answer;
    }
    void tell(const QString& caption, const QString& text) override { mInner.tell(caption, text); }

private:
    Prompter& mInner;
};

// Reads text into data as a train file in the current layout; false, with
// a new document, when a question was declined.
bool readCopyText(TrainData& data, const QString& text, Prompter& prompter) {
    StopOnNo stopping(prompter);
    CappedPrompter capped(stopping, MaxQuestionsPerOpen);
    data.newDocument();
    try {
        FieldReader reader(text);
        if (!reader.atEnd())
            reader.readField(); // the format word: the copy is always in the current layout
        data.setFormatVersion(CurrentFormatVersion);
        openDat(data, reader, capped);
    } catch (const RestoreDeclined&) {
        data.newDocument();
        return false;
    } catch (const ProgramEndRequested&) {
        data.newDocument();
        return false;
    }
    return true;
}

} // namespace

bool RecoveryCopyHeader::mayRestoreUnderPath() const {
    return documentPath.isEmpty() || QDir::isAbsolutePath(documentPath);
}

QByteArray recoveryCopyBytes(const TrainData& data, const QDateTime& time) {
    const QByteArray body = trainFileText(data).toUtf8();
    QByteArray bytes;
    bytes.reserve(body.size() + 1024);
    bytes.append(Magic).append(QByteArray::number(CurrentVersion)).append('\n');
    // A path may hold any character but NUL, line ends included.
    bytes.append(PathKey).append(QUrl::toPercentEncoding(absolutePath(data.documentPath())));
    bytes.append('\n').append(TimeKey).append(time.toUTC().toString(Qt::ISODateWithMs).toLatin1());
    bytes.append('\n').append(FileKey).append(fingerprintText(data.diskFingerprint()));
    bytes.append('\n').append(LengthKey).append(QByteArray::number(body.size()));
    bytes.append('\n').append(HashKey).append(
        QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex());
    bytes.append("\n\n").append(body);
    return bytes;
}

std::optional<RecoveryCopyHeader> parseRecoveryCopyHeader(QByteArrayView start) {
    HeaderLines lines(start);
    const auto first = lines.line();
    if (!first || !first->startsWith(Magic))
        return std::nullopt;
    RecoveryCopyHeader header;
    const QByteArrayView versionText = first->sliced(Magic.size());
    if (versionText == "1")
        header.version = 1;
    else if (versionText == "2")
        header.version = 2;
    else
        return std::nullopt;

    const auto path = lines.value(PathKey);
    const auto time = path ? lines.value(TimeKey) : std::nullopt;
    if (!time)
        return std::nullopt;
    header.documentPath = QUrl::fromPercentEncoding(path->toByteArray());
    if (header.documentPath.contains(QChar(0)))
        return std::nullopt;
    header.time = QDateTime::fromString(QString::fromLatin1(*time), Qt::ISODateWithMs);
    if (!header.time.isValid())
        return std::nullopt;

    if (header.version >= 2) {
        const auto file = lines.value(FileKey);
        const auto print = file ? parseFingerprint(*file) : std::nullopt;
        const auto length = print ? lines.value(LengthKey) : std::nullopt;
        const auto bodyLength = length ? wholeNumber(*length) : std::nullopt;
        const auto hash = bodyLength ? lines.value(HashKey) : std::nullopt;
        const auto bodyHash = hash ? sha256(*hash) : std::nullopt;
        if (!bodyHash)
            return std::nullopt;
        header.fileFingerprint = *print;
        header.bodyLength = *bodyLength;
        header.bodySha256 = *bodyHash;
    }
    const auto blank = lines.line();
    if (!blank || !blank->isEmpty())
        return std::nullopt;
    header.bodyOffset = lines.position();
    return header;
}

bool recoveryCopyIsIntact(const RecoveryCopyHeader& header, QByteArrayView bytes) {
    if (!header.hasChecksum())
        return bytes.size() >= header.bodyOffset;
    if (bytes.size() - header.bodyOffset != header.bodyLength)
        return false;
    return QCryptographicHash::hash(bytes.sliced(header.bodyOffset), QCryptographicHash::Sha256) ==
           header.bodySha256;
}

std::optional<RecoveryCopy> parseRecoveryCopy(const QByteArray& bytes) {
    const auto header = parseRecoveryCopyHeader(bytes);
    if (!header || !recoveryCopyIsIntact(*header, bytes))
        return std::nullopt;
    return RecoveryCopy{header->documentPath, header->time,
                        QString::fromUtf8(QByteArrayView(bytes).sliced(header->bodyOffset)),
                        header->fileFingerprint};
}

QString recoveryCopyBodyText(const QByteArray& bytes) {
    const auto header = parseRecoveryCopyHeader(bytes);
    if (!header)
        return {};
    return QString::fromUtf8(QByteArrayView(bytes).sliced(header->bodyOffset));
}

bool restoreRecoveryCopy(TrainData& data, const RecoveryCopy& copy, Prompter& prompter) {
    if (!readCopyText(data, copy.text, prompter))
        return false;
    data.setDocumentPath(copy.documentPath);
    data.setDiskFingerprint(copy.fileFingerprint);
    // Without a fingerprint nobody can tell what the file was: ask as for a change.
    if (!copy.documentPath.isEmpty())
        data.setAsksBeforeReplacing(diskStateOf(copy.documentPath, copy.fileFingerprint) ==
                                    DiskState::Changed);
    return true;
}

bool restoreRecoveryText(TrainData& data, const QString& text, Prompter& prompter) {
    return readCopyText(data, text, prompter);
}

} // namespace Orlenda
