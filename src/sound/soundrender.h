#pragma once

#include "document/motorsoundtable.h"
#include "sound/drivestate.h"
#include "sound/runprofile.h"

#include <QByteArray>
#include <QList>
#include <memory>
#include <optional>
#include <vector>

namespace Orlenda {

class SoundBank;

// What a render to a file plays: a held speed and state for some seconds,
// or a run at a speed-up.
struct RenderRequest {
    double speed = 0;
    DriveState state = DriveState::Power;
    double seconds = 0;
    std::optional<RunProfile> run;
    int speedUp = 1;
};

// The sound numbers that the tracks a request plays use (P1 and P2 for
// power, B1 and B2 for brake, all four for a run) in the rows it passes.
QList<int> soundNumbersUsed(const MotorSoundTable& table, const RenderRequest& request);

// How long a render is: the seconds asked for, or a run to standstill and
// then its last fade and the limiter's delay.
qint64 renderFrames(const RenderRequest& request, int rate);

// Renders request through a SoundRenderer, waiting first for every sound it
// needs, so the same inputs give the same samples.
std::vector<float> renderToBuffer(std::shared_ptr<SoundBank> bank, const MotorSoundTable& table,
                                  const RenderRequest& request);
// The same as the bytes of a WAV file (16-bit PCM stereo at the bank's rate),
// converted block by block.
QByteArray renderToWav(std::shared_ptr<SoundBank> bank, const MotorSoundTable& table,
                       const RenderRequest& request);

} // namespace Orlenda
