#include "sound/decodedsound.h"

#include "shared/failure.h"
#include "shared/platform.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <samplerate.h>
#include <sndfile.h>

namespace Orlenda {

namespace {

// Rates a sound may have: within them the conversion to the output rate
// stays inside libsamplerate's ratios.
constexpr int MinFileRate = 1000;
constexpr int MaxFileRate = 768000;
constexpr sf_count_t ReadChunkFrames = 16384;
constexpr qint64 MinLoopFrames = 4096;

sf_count_t deviceLength(void* user) {
    return sf_count_t(static_cast<QIODevice*>(user)->size());
}

sf_count_t deviceSeek(sf_count_t offset, int whence, void* user) {
    auto* device = static_cast<QIODevice*>(user);
    qint64 base = 0;
    if (whence == SEEK_CUR)
        base = device->pos();
    else if (whence == SEEK_END)
        base = device->size();
    const qint64 target = base + offset;
    if (target < 0 || target > device->size() || !device->seek(target))
        return -1;
    return sf_count_t(target);
}

sf_count_t deviceRead(void* buffer, sf_count_t count, void* user) {
    if (count <= 0)
        return 0;
    const qint64 n = static_cast<QIODevice*>(user)->read(static_cast<char*>(buffer), count);
    return n < 0 ? 0 : sf_count_t(n);
}

sf_count_t deviceWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t deviceTell(void* user) {
    return sf_count_t(static_cast<QIODevice*>(user)->pos());
}

QString unreadable(const char* libraryText) {
    return QStringLiteral("音声ファイルとして読めません（%1）").arg(QString::fromUtf8(libraryText));
}

QString tooLongReason(double seconds) {
    return QStringLiteral("%1 秒を超えています（%2 秒）")
        .arg(MaxSoundSeconds)
        .arg(seconds, 0, 'f', 1);
}

QString tooManySamplesReason() {
    return QStringLiteral("展開すると %1 MB を超えます").arg(MaxSoundBytes / (1024 * 1024));
}

bool beyondLimits(qint64 frames, int channels, int rate) {
    return double(frames) / rate > MaxSoundSeconds ||
           frames * channels * qint64(sizeof(float)) > MaxSoundBytes;
}

struct SndFileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};

} // namespace

DecodeResult decodeSound(QIODevice& device, int outputRate) {
    DecodeResult result;
    SoundInfo& info = result.info;
    info.state = SoundState::Unreadable;

    SF_VIRTUAL_IO io{deviceLength, deviceSeek, deviceRead, deviceWrite, deviceTell};
    SF_INFO sf{};
    std::unique_ptr<SNDFILE, SndFileCloser> file(sf_open_virtual(&io, SFM_READ, &sf, &device));
    if (!file) {
        info.reason = unreadable(sf_strerror(nullptr));
        return result;
    }
    info.sampleRate = sf.samplerate;
    info.channels = sf.channels;
    if (sf.channels != 1 && sf.channels != 2) {
        info.reason = QStringLiteral("%1 チャンネルの音は再生できません（モノラルとステレオのみ）")
                          .arg(sf.channels);
        return result;
    }
    if (sf.samplerate < MinFileRate || sf.samplerate > MaxFileRate) {
        info.reason = QStringLiteral("サンプリング周波数 %1 Hz の音は再生できません").arg(sf.samplerate);
        return result;
    }
    const int channels = sf.channels;
    const int rate = sf.samplerate;
    // SF_COUNT_MAX: a stream that does not say its length.
    const bool knownLength = sf.frames > 0 && sf.frames != SF_COUNT_MAX;
    if (knownLength && beyondLimits(qint64(sf.frames), channels, rate)) {
        info.seconds = double(sf.frames) / rate;
        info.state = SoundState::TooLong;
        info.reason = info.seconds > MaxSoundSeconds ? tooLongReason(info.seconds)
                                                     : tooManySamplesReason();
        return result;
    }
    // Integers read as float lie within full scale; a float file may hold anything.
    sf_command(file.get(), SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);

    // The header's frame count is not trusted: read in chunks, no further
    // than the limits allow.
    std::vector<float> samples;
    const qint64 maxFrames =
        std::min<qint64>(qint64(MaxSoundSeconds * rate), MaxSoundBytes / (4 * channels));
    if (knownLength)
        samples.reserve(std::size_t(std::min<qint64>(sf.frames, maxFrames) * channels));
    qint64 frames = 0;
    for (;;) {
        const qint64 room = maxFrames + 1 - frames;
        const sf_count_t want = sf_count_t(std::min<qint64>(ReadChunkFrames, room));
        samples.resize(std::size_t((frames + want) * channels));
        const sf_count_t got = sf_readf_float(file.get(), samples.data() + frames * channels, want);
        if (got <= 0)
            break;
        frames += got;
        if (frames > maxFrames) {
            info.seconds = double(frames) / rate;
            info.state = SoundState::TooLong;
            info.reason = info.seconds > MaxSoundSeconds ? tooLongReason(info.seconds)
                                                         : tooManySamplesReason();
            return result;
        }
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
        info.reason = unreadable(sf_strerror(file.get()));
        return result;
    }
    samples.resize(std::size_t(frames * channels));
    info.seconds = double(frames) / rate;
    if (frames == 0) {
        info.reason = QStringLiteral("音が入っていません");
        return result;
    }
    for (float& x : samples)
        x = std::isfinite(x) ? std::clamp(x, -1.0f, 1.0f) : 0.0f;

    auto sound = std::make_shared<DecodedSound>();
    sound->channels = channels;
    if (rate == outputRate) {
        sound->samples = std::move(samples);
        sound->frames = frames;
    } else {
        const double ratio = double(outputRate) / rate;
        const qint64 outFrames = qint64(std::ceil(double(frames) * ratio)) + 16;
        sound->samples.resize(std::size_t(outFrames * channels));
        SRC_DATA data{};
        data.data_in = samples.data();
        data.input_frames = long(frames);
        data.data_out = sound->samples.data();
        data.output_frames = long(outFrames);
        data.src_ratio = ratio;
        const int error = src_simple(&data, SRC_SINC_MEDIUM_QUALITY, channels);
        if (error != 0 || data.output_frames_gen <= 0) {
            info.reason = unreadable(src_strerror(error));
            return result;
        }
        sound->frames = data.output_frames_gen;
        sound->samples.resize(std::size_t(sound->frames * channels));
        sound->samples.shrink_to_fit();
        // Sinc conversion rings past full scale next to steps at full
        // scale (half as much again for a sound near its Nyquist rate): keep
        // every sound within what the file could hold.
        for (float& x : sound->samples)
            x = std::clamp(x, -1.0f, 1.0f);
    }
    // A very short loop is repeated, so that the converter gets enough
    // input per call at high pitch; it sounds the same.
    if (sound->frames < MinLoopFrames) {
        const std::vector<float> once = sound->samples;
        const qint64 copies = (MinLoopFrames + sound->frames - 1) / sound->frames;
        for (qint64 i = 1; i < copies; ++i)
            sound->samples.insert(sound->samples.end(), once.begin(), once.end());
        sound->frames *= copies;
    }
    info.state = SoundState::Usable;
    result.sound = std::move(sound);
    return result;
}

DecodeResult decodeSoundFile(const QString& path, int outputRate) {
    QFile file;
    try {
        PlatformFile::openForReading(file, path);
    } catch (const StepFailure& failure) {
        DecodeResult result;
        const bool missing = failure.kind() == Failure::FileNotFound ||
                             failure.kind() == Failure::PathNotFound;
        result.info.state = missing ? SoundState::Missing : SoundState::Unreadable;
        result.info.reason = failureDescription(failure.kind());
        return result;
    }
    return decodeSound(file, outputRate);
}

} // namespace Orlenda
