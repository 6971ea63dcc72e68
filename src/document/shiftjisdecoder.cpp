#include "document/shiftjisdecoder.h"

#include <QStringDecoder>

#include <array>
#include <vector>

namespace Orlenda {

namespace {

constexpr char16_t Invalid = 0xFFFD;

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool isTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// Every two-byte character of the code page, looked up by (lead, trail);
// Invalid where the pair is not a character. The converter is asked once
// for the whole table: it cannot tell a byte it replaced from a real
// control character, and asking per character would be slow.
class PairTable {
public:
    PairTable() : mChars(size_t(256) * 256, Invalid) {
        QByteArray all;
        std::vector<quint16> keys;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (!isTrailByte(static_cast<unsigned char>(trail)))
                    continue;
                all += char(lead);
                all += char(trail);
                all += '\n'; // keeps each character apart should the converter resynchronise
                keys.push_back(quint16(lead << 8 | trail));
            }
        }
        QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
        const QString text = decoder(all);
        const bool aligned = text.size() == qsizetype(keys.size()) * 2;
        for (size_t i = 0; i < keys.size(); ++i) {
            char16_t c = Invalid;
            if (aligned && text.at(qsizetype(i) * 2 + 1) == u'\n') {
                c = text.at(qsizetype(i) * 2).unicode();
            } else {
                QStringDecoder single("windows-31j", QStringConverter::Flag::Stateless);
                const QString one = single(all.mid(qsizetype(i) * 3, 2));
                if (!single.hasError() && one.size() == 1)
                    c = one.at(0).unicode();
            }
            // The converter's stand-ins for what it could not map.
            if (c == 0x1A || c < 0x20)
                c = Invalid;
            mChars[keys[i]] = c;
        }
    }

    char16_t at(unsigned char lead, unsigned char trail) const {
        return mChars[size_t(lead) << 8 | trail];
    }

private:
    std::vector<char16_t> mChars;
};

const PairTable& pairTable() {
    // Built once, never changed afterwards.
    static const PairTable table;
    return table;
}

} // namespace

int lineAt(QStringView text, qsizetype position) {
    int line = 1;
    for (qsizetype i = 0; i < position && i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n' || (c == u'\r' && (i + 1 >= text.size() || text.at(i + 1) != u'\n')))
            ++line;
    }
    return line;
}

DecodedText decodeShiftJis(const QByteArray& bytes) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    QString text(size, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    qsizetype n = 0;
    qsizetype firstInvalid = -1;
    const PairTable* pairs = nullptr;

    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char b = in[i];
        if (b < 0x80) {
            out[n++] = b;
            continue;
        }
        if (b >= 0xA1 && b <= 0xDF) { // half-width katakana
            out[n++] = char16_t(0xFF61 + (b - 0xA1));
            continue;
        }
        char16_t c = Invalid;
        if (isLeadByte(b) && i + 1 < size && isTrailByte(in[i + 1])) {
            if (!pairs)
                pairs = &pairTable();
            c = pairs->at(b, in[i + 1]);
            ++i;
        }
        // A lead byte without a proper trail byte stands alone; the byte after
        // it is read on its own.
        if (c == Invalid && firstInvalid < 0)
            firstInvalid = n;
        out[n++] = c;
    }
    text.truncate(n);
    DecodedText result;
    if (firstInvalid >= 0)
        result.firstInvalidLine = lineAt(text, firstInvalid);
    result.text = std::move(text);
    return result;
}

} // namespace Orlenda
