#include "document/textfile.h"

#include "document/trainfileformat.h"
#include "shared/atomicfile.h"
#include "shared/failure.h"
#include "shared/platform.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

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

DecodedText decodeUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    DecodedText result;
    result.text = decoder(bytes);
    if (decoder.hasError())
        result.firstInvalidLine = lineAt(result.text, result.text.indexOf(QChar(0xFFFD)));
    return result;
}

// The first field of a current-format file starts with the product word;
// blanks in front of it are skipped like those of any field.
bool startsWithProductWord(const QByteArray& bytes) {
    qsizetype i = 0;
    while (i < bytes.size() && (bytes.at(i) == ' ' || bytes.at(i) == '\t'))
        ++i;
    for (qsizetype k = 0; k < ProductWord.size(); ++k, ++i) {
        if (i >= bytes.size() || (bytes.at(i) & ~0x20) != ProductWord[k].unicode())
            return false;
    }
    return true;
}

void checkRead(const QFile& file, const QString& path) {
    if (file.error() != QFileDevice::NoError)
        throw StepFailure(Failure::DeviceIo, path);
}

// The converter follows an old mainframe table for three control characters
// (0x1A, 0x1C, 0x7F) where the code page maps them to themselves: undo it on
// the way out, so that a Ctrl-Z stays a Ctrl-Z.
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

DecodedText decodeTrainFile(const QByteArray& bytes) {
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom))
        return decodeUtf8(QByteArrayView(bytes).sliced(bom.size()));
    // Most train files are plain ASCII, which both encodings read alike.
    if (isAscii(bytes))
        return {QString::fromLatin1(bytes), 0};
    // The writer writes Shift-JIS only: its half-width kana can look like
    // UTF-8 and must not turn into other characters.
    if (!startsWithProductWord(bytes)) {
        DecodedText utf8 = decodeUtf8(bytes);
        if (utf8.firstInvalidLine == 0)
            return utf8;
    }
    return decodeShiftJis(bytes);
}

QString decodeTrainFileBytes(const QByteArray& bytes) {
    return decodeTrainFile(bytes).text;
}

bool holdsBinaryBytes(const QByteArray& bytes) {
    static constexpr auto binary = [] {
        std::array<bool, 256> table{};
        for (int b = 0; b < 0x20; ++b)
            table[size_t(b)] = true;
        for (int b : {0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x1A})
            table[size_t(b)] = false;
        return table;
    }();
    for (char c : bytes) {
        if (binary[static_cast<unsigned char>(c)])
            return true;
    }
    return false;
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
    QFile file;
    PlatformFile::openForReading(file, path);
    const QByteArray bytes = file.readAll();
    checkRead(file, path);
    return bytes;
}

QByteArray readTrainFileBytes(const QString& path) {
    QFile file;
    PlatformFile::openForReading(file, path);
    if (file.size() > MaxTrainFileSize)
        throw StepFailure(Failure::NotATrainFile, path);
    // A file that grows meanwhile is read one byte beyond the limit, no further.
    const QByteArray bytes = file.read(MaxTrainFileSize + 1);
    checkRead(file, path);
    if (bytes.size() > MaxTrainFileSize || holdsBinaryBytes(bytes))
        throw StepFailure(Failure::NotATrainFile, path);
    return bytes;
}

void writeWholeFile(const QString& path, const QByteArray& bytes) {
    writeFileAtomically(path, bytes);
}

} // namespace Orlenda
