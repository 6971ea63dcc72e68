#pragma once

#include <QObject>
#include <QString>

namespace Orlenda {

// What the audio thread pulls samples from. render is called on that thread
// only and must not lock, allocate or wait.
class SampleSource {
public:
    virtual ~SampleSource() = default;
    virtual void render(float* interleavedStereo, int frames) noexcept = 0;
};

// An output that plays a SampleSource: the device's sink in the editor, a
// stand-in in the tests, where there is no audio device.
class AudioOutput : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Finds the device and the format; false when there is no device. The
    // first call is the first use of the multimedia library.
    virtual bool open() = 0;
    // The frames per second the source must render at, once open.
    virtual int sampleRate() const = 0;
    // Starts pulling from source; false when the device refuses.
    virtual bool start(SampleSource& source) = 0;
    // Stops pulling; once it returns, source is no longer called.
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;

signals:
    // The device went away or failed while playing; playback has stopped.
    void lost();
};

} // namespace Orlenda
