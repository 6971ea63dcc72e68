#pragma once

#include "sound/ui/audiooutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QThread>

namespace Orlenda {

class SinkWorker;

// Plays through the default audio device: a QAudioSink that lives in a
// thread of its own, which keeps it fed, so the GUI thread's work never
// delays the samples. Asks for 40 ms of buffer at 48 kHz stereo, or the
// device's nearest format.
class SinkAudioOutput : public AudioOutput {
    Q_OBJECT

public:
    static constexpr int PreferredRate = 48000;
    static constexpr int BufferMilliseconds = 40;

    explicit SinkAudioOutput(QObject* parent = nullptr);
    ~SinkAudioOutput() override;

    bool open() override;
    int sampleRate() const override { return mFormat.sampleRate(); }
    bool start(SampleSource& source) override;
    void stop() override;
    bool isPlaying() const override { return mPlaying; }

    // The buffer the sink actually took, in bytes, and the format; for the
    // measurements.
    qsizetype bufferBytes() const;
    QAudioFormat format() const { return mFormat; }

private:
    void deviceListChanged();

    QThread mThread;
    SinkWorker* mWorker = nullptr;
    QAudioDevice mDevice;
    QAudioFormat mFormat;
    bool mPlaying = false;
};

// The format asked of a device: 48 kHz stereo float when it takes it, else
// the nearest it takes (16-bit first, then its own rate or channels).
QAudioFormat nearestOutputFormat(const QAudioDevice& device);

} // namespace Orlenda
