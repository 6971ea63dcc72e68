#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace Orlenda {

// The 44 bytes that start a WAV file of 16-bit PCM stereo at rate.
QByteArray wavHeader(qint64 frames, int rate);

// Appends interleaved float samples as 16-bit PCM, each rounded to the
// nearest step and held within full scale.
void appendPcm16(QByteArray& out, const float* samples, qint64 count);

// A whole WAV file of interleaved stereo samples.
QByteArray wavBytes(const std::vector<float>& interleavedStereo, int rate);

} // namespace Orlenda
