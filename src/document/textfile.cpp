#include "document/textfile.h"

#include "shared/failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace Orlenda {

namespace {

const char* const kShiftJis = "windows-31j";

bool isAscii(const QByteArray& bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool isAscii(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder(bytes);
    return !decoder.hasError();
}

// Why a file could not be opened or replaced, for the user.
Failure openFailure(const QString& path, bool forWriting) {
    const QFileInfo info(path);
    if (info.fileName().isEmpty())
        return Failure::BadFileName;
    if (!info.dir().exists())
        return Failure::PathNotFound;
    if (!forWriting && !info.exists())
        return Failure::FileNotFound;
    return forWriting ? Failure::PermissionDenied : Failure::DeviceIo;
}

// The converter follows an old mainframe table for three control characters
// (0x1A, 0x1C, 0x7F) where the code page maps them to themselves: undo it on
// the way in and out, so that a Ctrl-Z at the end of a file stays a Ctrl-Z.
void fromConverterControls(QString& text) {
    for (QChar& c : text) {
        if (c == QChar(0x1C))
            c = QChar(0x1A);
        else if (c == QChar(0x7F))
            c = QChar(0x1C);
        else if (c == QChar(0x1A))
            c = QChar(0x7F);
    }
}

QString toConverterControls(QString text) {
    for (QChar& c : text) {
        if (c == QChar(0x1A))
            c = QChar(0x1C);
        else if (c == QChar(0x1C))
            c = QChar(0x7F);
        else if (c == QChar(0x7F))
            c = QChar(0x1A);
    }
    return text;
}

} // namespace

QString decodeTrainFileBytes(const QByteArray& bytes) {
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom))
        return QString::fromUtf8(bytes.mid(bom.size()));
    // Most train files are plain ASCII, which both encodings read alike.
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(kShiftJis, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    fromConverterControls(text);
    return text;
}

QByteArray encodeShiftJis(const QString& text) {
    if (isAscii(text))
        return text.toLatin1();
    QStringEncoder encoder(kShiftJis, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder(toConverterControls(text));
    if (!encoder.hasError())
        return bytes;

    // Name the characters that have no Shift-JIS form, each once.
    QString unmappable;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, width);
        i += width - 1;
        if (unmappable.contains(character))
            continue;
        QStringEncoder single(kShiftJis, QStringConverter::Flag::Stateless);
        const QByteArray encoded = single(character);
        if (single.hasError()) {
            unmappable += character;
            if (unmappable.size() >= 20)
                break;
        }
    }
    throw StepFailure(Failure::CannotEncode, QStringLiteral("「%1」").arg(unmappable));
}

QByteArray readWholeFile(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        throw StepFailure(openFailure(path, false), path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw StepFailure(Failure::DeviceIo, path);
    return bytes;
}

void writeWholeFile(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty() || QFileInfo(path).isDir())
        throw StepFailure(Failure::BadFileName, path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw StepFailure(openFailure(path, true), path);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        throw StepFailure(Failure::DiskFull, path);
    }
    if (!file.commit())
        throw StepFailure(Failure::PermissionDenied, path);
}

} // namespace Orlenda
