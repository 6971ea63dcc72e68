#include "sound/wavfile.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace Orlenda {

namespace {

constexpr int Channels = 2;
constexpr int BytesPerSample = 2;

void putU32(QByteArray& b, quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

void putU16(QByteArray& b, quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}

} // namespace

QByteArray wavHeader(qint64 frames, int rate) {
    const quint32 dataBytes = quint32(frames * Channels * BytesPerSample);
    QByteArray b;
    b.append("RIFF", 4);
    putU32(b, 36 + dataBytes);
    b.append("WAVEfmt ", 8);
    putU32(b, 16);
    putU16(b, 1); // PCM
    putU16(b, Channels);
    putU32(b, quint32(rate));
    putU32(b, quint32(rate * Channels * BytesPerSample));
    putU16(b, Channels * BytesPerSample);
    putU16(b, 8 * BytesPerSample);
    b.append("data", 4);
    putU32(b, dataBytes);
    return b;
}

void appendPcm16(QByteArray& out, const float* samples, qint64 count) {
    const qsizetype start = out.size();
    out.resize(start + qsizetype(count * BytesPerSample));
    char* to = out.data() + start;
    for (qint64 i = 0; i < count; ++i) {
        const float x = std::isnan(samples[i]) ? 0.0f : std::clamp(samples[i], -1.0f, 1.0f);
        qToLittleEndian(qint16(std::lrint(x * 32767.0f)), to + i * BytesPerSample);
    }
}

QByteArray wavBytes(const std::vector<float>& samples, int rate) {
    const qint64 frames = qint64(samples.size() / Channels);
    QByteArray b = wavHeader(frames, rate);
    b.reserve(b.size() + qsizetype(frames * Channels * BytesPerSample));
    appendPcm16(b, samples.data(), frames * Channels);
    return b;
}

} // namespace Orlenda
