#include "sound/decodedsound.h"
#include "sound/soundtexts.h"
#include "support/soundtests.h"

#include <QBuffer>
#include <QFile>
#include <sys/stat.h>
#include <thread>

using namespace Orlenda;

namespace {

constexpr std::size_t Settled = 4800;

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST_F(SoundTest, EveryKindOfFileDecodesToTheOutputRate) {
    struct Kind {
        const char* name;
        int format;
        int rate;
        int channels;
    };
    const Kind kinds[] = {
        {"1.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 22050, 1},
        {"2.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 48000, 2},
        {"3.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 96000, 1},
        {"4.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_32, 8000, 2},
        {"5.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2},
        {"6.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 32000, 1},
    };
    for (const Kind& k : kinds)
        writeWave(path(k.name), 441, 0.5, k.rate, k.channels, k.format);
    useFolder({1, 2, 3, 4, 5, 6});
    for (int n = 1; n <= 6; ++n) {
        const Kind& k = kinds[n - 1];
        const SoundInfo info = bank->info(n);
        EXPECT_EQ(info.state, SoundState::Usable) << k.name << " " << info.reason.toStdString();
        EXPECT_EQ(info.file, QString::fromUtf8(k.name));
        EXPECT_EQ(info.sampleRate, k.rate);
        EXPECT_EQ(info.channels, k.channels);
        EXPECT_NEAR(info.seconds, 0.5, 0.01) << k.name;
        QFile f(path(k.name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const DecodeResult d = decodeSound(f, 48000);
        ASSERT_TRUE(d.sound);
        EXPECT_NEAR(double(d.sound->frames), 24000, 50) << k.name;
        EXPECT_NEAR(peakOf(d.sound->samples), 0.5, 0.03) << k.name;
    }
}

// A loop of a few samples plays at the highest pitch.
TEST_F(SoundTest, TinyLoopPlaysAtAnyPitch) {
    writeWave(path("0.wav"), 12000, 3.0 / 48000, 48000);
    useFolder({0});
    EXPECT_EQ(bank->info(0).state, SoundState::Usable);
    for (std::int16_t pitch : {1, 100, 32767}) {
        SoundRenderer r(bank);
        r.publishTable(tableWith(Track::P1, {pitch, 127, 0}));
        const std::vector<float> out = render(r, 0.1);
        EXPECT_LE(peakOf(out), 1.0) << pitch;
        EXPECT_GT(rmsOf(leftFrom(out, Settled / 2)), 0.01) << pitch;
    }
}

TEST_F(SoundTest, FilesThatCannotPlaySayWhy) {
    writeBytes(path("1.wav"), "これは音声ではありません\n");           // a text file named .wav
    QByteArray header = QByteArray("RIFF\xff\xff\xff\x7fWAVEfmt ", 16); // damaged after its header
    writeBytes(path("2.wav"), header + QByteArray(3, '\xff'));
    writeWave(path("3.wav"), 441, 61, 8000);                           // 61 s
    writeWave(path("4.wav"), 441, 0.1, 44100, 3, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    ASSERT_EQ(::mkfifo(path("6.wav").toLocal8Bit().constData(), 0600), 0);
    writeWave(path("7.wav"), 441, 0.1);
    SoundAssignment assignment;
    assignment.assign(8, QStringLiteral("gone.wav"));
    bank->setAssignment(assignment);
    useFolder({1, 2, 3, 4, 6, 7, 8, 9});
    QFile::remove(path("7.wav")); // listed, then gone before it is decoded again
    bank->forgetDecoded();
    bank->prepareAndWait({1, 2, 3, 4, 6, 7, 8, 9});

    const struct {
        int number;
        SoundState state;
    } expected[] = {
        {1, SoundState::Unreadable}, {2, SoundState::Unreadable}, {3, SoundState::TooLong},
        {4, SoundState::Unreadable}, {6, SoundState::Missing},    {7, SoundState::Missing},
        {8, SoundState::Missing},    {9, SoundState::Missing},
    };
    for (const auto& e : expected) {
        const SoundInfo info = bank->info(e.number);
        EXPECT_EQ(info.state, e.state) << e.number << " " << info.reason.toStdString();
        EXPECT_FALSE(info.reason.isEmpty()) << e.number;
        EXPECT_TRUE(unusableSoundText(info).contains(QString::number(e.number)));
    }
    EXPECT_NEAR(bank->info(3).seconds, 61, 0.01);
    EXPECT_TRUE(bank->info(3).reason.contains(u"60"));
    EXPECT_EQ(bank->info(8).file, u"gone.wav");

    // A FIFO is not a file of the folder, and decoding one does not wait.
    EXPECT_EQ(decodeSoundFile(path("6.wav"), 48000).info.state, SoundState::Unreadable);
}

TEST(SoundDecode, AnyBytesGiveAReasonNotACrash) {
    // Truncations and corruptions of a valid file, read from memory.
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("a.wav"));
    writeWave(p, 441, 0.05, 8000, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    for (qsizetype cut = 0; cut < 80; cut += 3) {
        for (int flip : {-1, 22, 24, 34, 40}) {
            QByteArray bytes = whole.left(cut) + whole.mid(cut + 1);
            if (flip >= 0 && flip < bytes.size())
                bytes[flip] = char(0xff);
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            const DecodeResult d = decodeSound(buffer, 48000);
            EXPECT_EQ(bool(d.sound), d.info.state == SoundState::Usable);
            if (!d.sound) {
                EXPECT_FALSE(d.info.reason.isEmpty());
            }
        }
    }
}

// The bank drops the least recently used sound over its cap, but never one
// a renderer is playing.
TEST_F(SoundTest, OverTheCapTheLeastRecentlyUsedGoesUnlessPlaying) {
    for (const char* name : {"0.wav", "1.wav", "2.wav"})
        writeWave(path(name), 441, 1, 48000);
    const qint64 one = 48000 * 4;
    bank->setMaxTotalBytesForTesting(2 * one + one / 2);
    useFolder({0, 1});
    EXPECT_EQ(bank->decodedBytes(), 2 * one);
    bank->prepareAndWait({2});
    EXPECT_EQ(bank->decodedBytes(), 2 * one);
    EXPECT_EQ(bank->info(0).state, SoundState::Pending);
    EXPECT_EQ(bank->info(1).state, SoundState::Usable);

    // Sound 1 is now the oldest but plays.
    SoundRenderer renderer(bank);
    renderer.publishTable(tableWith(Track::P1, {100, 127, 1}));
    render(renderer, 0.01);
    bank->prepareAndWait({0});
    EXPECT_EQ(bank->info(1).state, SoundState::Usable);
    EXPECT_EQ(bank->info(2).state, SoundState::Pending);
    EXPECT_GT(peakOf(render(renderer, 0.05)), 0.4);
}

// The bank drops, replaces and decodes sounds while the audio thread plays
// them: the audio thread never reads a freed sound (run under the sanitizers).
TEST_F(SoundTest, SoundsChangeUnderThePlayingRenderer) {
    writeWave(path("0.wav"), 441, 0.2);
    writeWave(path("1.wav"), 300, 0.3, 22050, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, Wave::Saw);
    writeWave(path("x.wav"), 200, 0.1, 48000);
    useFolder({0, 1});
    bank->setMaxTotalBytesForTesting(48000 * 4 / 2);
    SoundRenderer renderer(bank);
    renderer.publishTable(tableWith(Track::P2, {130, 127, 1}, tableWith(Track::P1, {90, 127, 0})));
    std::atomic<bool> done{false};
    double peak = 0;
    std::thread audio([&] {
        std::vector<float> block(2 * 256);
        while (!done.load()) {
            renderer.render(block.data(), 256);
            peak = std::max(peak, peakOf(block));
        }
    });
    for (int i = 0; i < 40; ++i) {
        SoundAssignment a;
        if (i % 2)
            a.assign(0, QStringLiteral("x.wav"));
        bank->setAssignment(a);
        if (i % 3 == 0)
            bank->forgetDecoded();
        bank->prepare({0, 1});
        renderer.publishTable(tableWith(Track::P1, {std::int16_t(50 + i * 5), 127, std::int16_t(i % 3)},
                                        tableWith(Track::P2, {130, 127, 1})));
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    done = true;
    audio.join();
    EXPECT_LE(peak, 1.0);
    // Once the changes stop, what is assigned plays again.
    bank->prepareAndWait({0, 1, 2});
    EXPECT_GT(peakOf(render(renderer, 0.05)), 0.3);
}

TEST(SoundDecode, ConvertedSoundsStayWithinFullScale) {
    // A full-scale saw at a low rate: its steps make the converter ring past
    // full scale unless the converted sound is held within it.
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("saw.wav"));
    writeWave(p, 1000, 0.05, 8000, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, Wave::Saw, 1.0);
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const DecodeResult d = decodeSound(f, 48000);
    ASSERT_TRUE(d.sound);
    EXPECT_LE(peakOf(d.sound->samples), 1.0);
    EXPECT_GT(peakOf(d.sound->samples), 0.9);
}
