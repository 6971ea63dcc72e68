#pragma once

#include "sound/soundinfo.h"

#include <QIODevice>
#include <QString>
#include <memory>
#include <vector>

namespace Orlenda {

// One sound decoded and converted to the output rate: interleaved 32-bit
// float, one or two channels. Never changed once made, so any thread may
// read it while it is held.
struct DecodedSound {
    std::vector<float> samples;
    int channels = 1;
    qint64 frames = 0;
};

// The outcome of decoding a file: the sound when usable, and what the
// assignment table shows either way (number and file are left to the caller).
struct DecodeResult {
    std::shared_ptr<const DecodedSound> sound;
    SoundInfo info;
};

// Decodes WAV, FLAC or Ogg Vorbis from device (opened for reading) with
// libsndfile, reading no further than the limits of soundinfo.h allow, and
// converts it to outputRate with libsamplerate. Any content, however damaged,
// gives a reason rather than a crash.
DecodeResult decodeSound(QIODevice& device, int outputRate);
// The same from a file, which is checked to be a regular file first.
DecodeResult decodeSoundFile(const QString& path, int outputRate);

} // namespace Orlenda
