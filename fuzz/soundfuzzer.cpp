// The sound decoder on any bytes: it ends, a sound it refuses has a reason,
// and one it accepts stays within the limits and within full scale.
#include "fuzzcheck.h"

#include "sound/decodedsound.h"

#include <QBuffer>
#include <cmath>
#include <cstdint>

using namespace Orlenda;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    QByteArray file = fuzzBytes(bytes, size);
    QBuffer device(&file);
    device.open(QIODevice::ReadOnly);
    const DecodeResult d = decodeSound(device, 48000);
    if (!d.sound) {
        if (d.info.reason.isEmpty())
            fuzzFailure(QStringLiteral("a refused sound has no reason"));
        return 0;
    }
    if (d.info.seconds > MaxSoundSeconds || d.sound->frames <= 0 ||
        d.sound->samples.size() != std::size_t(d.sound->frames * d.sound->channels))
        fuzzFailure(QStringLiteral("a sound beyond the limits was accepted"));
    for (float x : d.sound->samples)
        if (!(std::fabs(x) <= 1.0f))
            fuzzFailure(QStringLiteral("a sample beyond full scale: %1").arg(x));
    return 0;
}
