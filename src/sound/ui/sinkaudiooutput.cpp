#include "sound/ui/sinkaudiooutput.h"

#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace Orlenda {

namespace {

// Renders whole blocks and converts them to the device's format in buffers
// allocated once, before playback starts.
class BlockConverter {
public:
    static constexpr int BlockFrames = 240;

    BlockConverter(SampleSource& source, const QAudioFormat& format)
        : mSource(source), mFormat(format), mScratch(std::size_t(BlockFrames) * 2),
          mBytes(std::size_t(format.bytesForFrames(BlockFrames))) {}

    // Renders frames (at most BlockFrames) and returns their bytes.
    const char* render(int frames) {
        mSource.render(mScratch.data(), frames);
        const int channels = mFormat.channelCount();
        const int sampleBytes = mFormat.bytesPerSample();
        char* out = mBytes.data();
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
        return mBytes.data();
    }

private:
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
    std::vector<char> mBytes;
};

} // namespace

// Lives in the output's thread with the sink; the output calls it there and
// waits for the answer. It keeps the sink's buffer full on a short timer of
// this thread. (Qt 6.4's PulseAudio sink in pull mode stops pulling for
// good when the buffer the server grants is under two of its periods, as it
// is for 40 ms: the server waits for a pre-buffer that the sink never
// fills. Writing whatever the buffer has free avoids that.)
class SinkWorker : public QObject {
public:
    static constexpr int FeedMilliseconds = 5;

    // The timer is a child, so it moves to the thread with the worker.
    explicit SinkWorker(QObject* notified) : mNotified(notified), mFeed(this) {
        mFeed.setTimerType(Qt::PreciseTimer);
        mFeed.setInterval(FeedMilliseconds);
        QObject::connect(&mFeed, &QTimer::timeout, this, [this] { feed(); });
    }

    bool start(const QAudioDevice& device, const QAudioFormat& format, SampleSource& source) {
        stop();
        mConverter = std::make_unique<BlockConverter>(source, format);
        mFrameBytes = format.bytesPerFrame();
        mSink = std::make_unique<QAudioSink>(device, format);
        mSink->setBufferSize(format.bytesForDuration(SinkAudioOutput::BufferMilliseconds * 1000));
        QObject::connect(mSink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
            if (state == QAudio::StoppedState && mSink && mSink->error() != QAudio::NoError)
                QMetaObject::invokeMethod(mNotified, [n = mNotified] {
                    static_cast<SinkAudioOutput*>(n)->stop();
                    emit static_cast<SinkAudioOutput*>(n)->lost();
                });
        });
        mDevice = mSink->start();
        if (!mDevice || mSink->error() != QAudio::NoError ||
            mSink->state() == QAudio::StoppedState) {
            stop();
            return false;
        }
        feed();
        mFeed.start();
        return true;
    }

    void stop() {
        mFeed.stop();
        if (mSink) {
            mSink->disconnect(this);
            mSink->stop();
        }
        mSink.reset();
        mDevice = nullptr;
        mConverter.reset();
    }

    qsizetype bufferBytes() const { return mSink ? mSink->bufferSize() : 0; }

private:
    void feed() {
        if (!mDevice)
            return;
        qsizetype frames = mSink->bytesFree() / mFrameBytes;
        while (frames > 0) {
            const int block = int(std::min<qsizetype>(frames, BlockConverter::BlockFrames));
            const char* bytes = mConverter->render(block);
            const qint64 written = mDevice->write(bytes, qint64(block) * mFrameBytes);
            if (written < qint64(block) * mFrameBytes)
                break;
            frames -= block;
        }
    }

    QObject* mNotified;
    QTimer mFeed;
    std::unique_ptr<BlockConverter> mConverter;
    std::unique_ptr<QAudioSink> mSink;
    QIODevice* mDevice = nullptr;
    int mFrameBytes = 1;
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
