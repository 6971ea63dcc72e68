#include "sound/ui/sinkaudiooutput.h"

#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace Orlenda {

namespace {

// The sink's QIODevice: each read renders as many whole frames as asked and
// converts them to the device's format. The scratch block is allocated once,
// before playback starts.
class RenderDevice : public QIODevice {
public:
    static constexpr int BlockFrames = 1024;

    RenderDevice(SampleSource& source, const QAudioFormat& format)
        : mSource(source), mFormat(format), mScratch(std::size_t(BlockFrames) * 2) {}

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override {
        return mFormat.bytesForFrames(BlockFrames) + QIODevice::bytesAvailable();
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const int frameBytes = mFormat.bytesPerFrame();
        if (frameBytes <= 0)
            return 0;
        const qint64 frames = maxSize / frameBytes;
        qint64 done = 0;
        while (done < frames) {
            const int block = int(std::min<qint64>(BlockFrames, frames - done));
            mSource.render(mScratch.data(), block);
            write(data + done * frameBytes, block);
            done += block;
        }
        return done * frameBytes;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    void write(char* out, int frames) const {
        const int channels = mFormat.channelCount();
        const int sampleBytes = mFormat.bytesPerSample();
        for (int f = 0; f < frames; ++f) {
            const float left = mScratch[std::size_t(2 * f)];
            const float right = mScratch[std::size_t(2 * f + 1)];
            for (int c = 0; c < channels; ++c) {
                // One channel takes both halves; channels past the second stay silent.
                const float v = channels == 1 ? 0.5f * (left + right)
                                : c == 0      ? left
                                : c == 1      ? right
                                              : 0.0f;
                writeSample(out + (f * channels + c) * sampleBytes, v);
            }
        }
    }
    void writeSample(char* out, float v) const {
        v = std::clamp(v, -1.0f, 1.0f);
        switch (mFormat.sampleFormat()) {
        case QAudioFormat::Float:
            std::memcpy(out, &v, sizeof v);
            break;
        case QAudioFormat::Int16: {
            const auto s = qint16(std::lround(v * 32767.0f));
            std::memcpy(out, &s, sizeof s);
            break;
        }
        case QAudioFormat::Int32: {
            const auto s = qint32(std::llround(double(v) * 2147483647.0));
            std::memcpy(out, &s, sizeof s);
            break;
        }
        case QAudioFormat::UInt8:
            *reinterpret_cast<quint8*>(out) = quint8(std::lround(v * 127.0f) + 128);
            break;
        default:
            break;
        }
    }

    SampleSource& mSource;
    QAudioFormat mFormat;
    std::vector<float> mScratch;
};

} // namespace

// Lives in the output's thread with the sink and its device; the output
// calls it there and waits for the answer.
class SinkWorker : public QObject {
public:
    explicit SinkWorker(QObject* notified) : mNotified(notified) {}

    bool start(const QAudioDevice& device, const QAudioFormat& format, SampleSource& source) {
        stop();
        mDevice = std::make_unique<RenderDevice>(source, format);
        // Unbuffered: QIODevice's own buffer would allocate on the audio thread.
        mDevice->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        mSink = std::make_unique<QAudioSink>(device, format);
        mSink->setBufferSize(format.bytesForDuration(SinkAudioOutput::BufferMilliseconds * 1000));
        QObject::connect(mSink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
            if (state == QAudio::StoppedState && mSink && mSink->error() != QAudio::NoError)
                QMetaObject::invokeMethod(mNotified, [n = mNotified] {
                    static_cast<SinkAudioOutput*>(n)->stop();
                    emit static_cast<SinkAudioOutput*>(n)->lost();
                });
        });
        mSink->start(mDevice.get());
        if (mSink->error() != QAudio::NoError || mSink->state() == QAudio::StoppedState) {
            stop();
            return false;
        }
        return true;
    }

    void stop() {
        if (mSink) {
            mSink->disconnect(this);
            mSink->stop();
        }
        mSink.reset();
        mDevice.reset();
    }

    qsizetype bufferBytes() const { return mSink ? mSink->bufferSize() : 0; }

private:
    QObject* mNotified;
    std::unique_ptr<RenderDevice> mDevice;
    std::unique_ptr<QAudioSink> mSink;
};

QAudioFormat nearestOutputFormat(const QAudioDevice& device) {
    QAudioFormat format;
    format.setSampleRate(SinkAudioOutput::PreferredRate);
    format.setChannelCount(2);
    for (QAudioFormat::SampleFormat sample : {QAudioFormat::Float, QAudioFormat::Int16}) {
        format.setSampleFormat(sample);
        if (device.isFormatSupported(format))
            return format;
    }
    format.setSampleRate(std::clamp(SinkAudioOutput::PreferredRate, device.minimumSampleRate(),
                                    device.maximumSampleRate()));
    format.setChannelCount(
        std::clamp(2, device.minimumChannelCount(), device.maximumChannelCount()));
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isFormatSupported(format))
        return format;
    return device.preferredFormat();
}

SinkAudioOutput::SinkAudioOutput(QObject* parent) : AudioOutput(parent) {
    mThread.setObjectName(QStringLiteral("audio output"));
    mWorker = new SinkWorker(this);
    mWorker->moveToThread(&mThread);
    connect(&mThread, &QThread::finished, mWorker, &QObject::deleteLater);
    mThread.start(QThread::TimeCriticalPriority);
}

SinkAudioOutput::~SinkAudioOutput() {
    stop();
    mThread.quit();
    mThread.wait();
}

bool SinkAudioOutput::open() {
    if (!mDevice.isNull())
        return true;
    mDevice = QMediaDevices::defaultAudioOutput();
    if (mDevice.isNull())
        return false;
    mFormat = nearestOutputFormat(mDevice);
    auto* devices = new QMediaDevices(this);
    connect(devices, &QMediaDevices::audioOutputsChanged, this, &SinkAudioOutput::deviceListChanged);
    return mFormat.isValid();
}

bool SinkAudioOutput::start(SampleSource& source) {
    if (mDevice.isNull())
        return false;
    bool started = false;
    QMetaObject::invokeMethod(
        mWorker, [&] { started = mWorker->start(mDevice, mFormat, source); },
        Qt::BlockingQueuedConnection);
    mPlaying = started;
    return started;
}

void SinkAudioOutput::stop() {
    if (!mPlaying)
        return;
    mPlaying = false;
    QMetaObject::invokeMethod(mWorker, [this] { mWorker->stop(); }, Qt::BlockingQueuedConnection);
}

qsizetype SinkAudioOutput::bufferBytes() const {
    qsizetype bytes = 0;
    QMetaObject::invokeMethod(
        mWorker, [&] { bytes = mWorker->bufferBytes(); }, Qt::BlockingQueuedConnection);
    return bytes;
}

void SinkAudioOutput::deviceListChanged() {
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    if (std::find(outputs.begin(), outputs.end(), mDevice) != outputs.end())
        return;
    const bool wasPlaying = mPlaying;
    stop();
    mDevice = QAudioDevice();
    if (wasPlaying)
        emit lost();
}

} // namespace Orlenda
