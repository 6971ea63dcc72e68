#include "document/traindata.h"
#include "motorsound/ui/motorsoundgraphview.h"
#include "motorsound/ui/motorsoundwindow.h"
#include "sound/soundbank.h"
#include "sound/ui/auditionpanel.h"
#include "sound/wavfile.h"
#include "support/scriptedprompter.h"
#include "support/widgettests.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <cmath>
#include <numbers>

using namespace Orlenda;

namespace {

// Stands in for the device, which a server does not have: the test pulls
// the samples that the audio thread would.
class FakeOutput : public AudioOutput {
public:
    explicit FakeOutput(bool device) : mDevice(device) {}
    bool open() override { return mDevice; }
    int sampleRate() const override { return 48000; }
    bool start(SampleSource& source) override {
        mSource = mDevice ? &source : nullptr;
        return mSource;
    }
    void stop() override { mSource = nullptr; }
    bool isPlaying() const override { return mSource; }

    // The largest magnitude of the next frames pulled, and of their last 10 ms.
    std::pair<float, float> pull(int frames) {
        std::vector<float> out(std::size_t(frames) * 2);
        mSource->render(out.data(), frames);
        float all = 0, tail = 0;
        for (std::size_t i = 0; i < out.size(); ++i) {
            all = std::max(all, std::abs(out[i]));
            if (i >= out.size() - 960)
                tail = std::max(tail, std::abs(out[i]));
        }
        return {all, tail};
    }

private:
    bool mDevice;
    SampleSource* mSource = nullptr;
};

// Records whether playback had stopped when each question was asked.
class WatchingPrompter : public ScriptedPrompter {
public:
    std::function<bool()> playing;
    QList<bool> playingAtQuestion;
    bool ask(const QString& caption, const QString& text, Icon icon) override {
        playingAtQuestion.append(playing());
        return ScriptedPrompter::ask(caption, text, icon);
    }
};

class AuditionPanelTest : public ::testing::Test {
protected:
    void open(bool device) {
        panel = new AuditionPanel(data, window, prompter, [this, device] {
            auto made = std::make_unique<FakeOutput>(device);
            output = made.get();
            return made;
        });
        window.setSidePanel(panel);
        panel->setFolderChooser([this](QWidget*, const QString&) { return sounds.path(); });
        prompter.playing = [this] { return panel->isPlaying(); };
        reopen();
        panel->chooseFolder();
    }
    void reopen() {
        window.load();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // A 441 Hz sine of peak 0.5 as sound number 0.
    void writeSine() {
        std::vector<float> samples;
        for (int i = 0; i < 48000; ++i) {
            const float v = float(0.5 * std::sin(2 * std::numbers::pi * 441 * i / 48000.0));
            samples.insert(samples.end(), {v, v});
        }
        QFile file(sounds.filePath(QStringLiteral("motor0.wav")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(wavBytes(samples, 48000));
    }
    template <typename T = QWidget> T* child(const char* name) const {
        return namedChild<T>(window, QString::fromLatin1(name));
    }

    QTemporaryDir sounds;
    TrainData data;
    WatchingPrompter prompter;
    MotorSoundWindow window{data, prompter, nullptr};
    AuditionPanel* panel = nullptr;
    FakeOutput* output = nullptr;
};

} // namespace

TEST_F(AuditionPanelTest, WithoutADeviceItSaysSoAndStillWritesAFile) {
    writeSine();
    open(false);
    EXPECT_TRUE(child<QLabel>("lblNoDevice")->isVisible());
    EXPECT_EQ(child<QLabel>("lblNoDevice")->text(), QStringLiteral("音声出力装置がありません"));
    EXPECT_FALSE(child("cmdPlay")->isEnabled());
    EXPECT_FALSE(child("cmdRun")->isEnabled());
    panel->play();
    EXPECT_FALSE(panel->isPlaying());

    const QString path = sounds.filePath(QStringLiteral("out.wav"));
    panel->setExportAsker([](QWidget*) { return AuditionPanel::ExportChoice{false, 0.5}; });
    panel->setWavPathChooser([&](QWidget*) { return path; });
    child<QSlider>("hsbSpeed")->setValue(100);
    panel->exportSound();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("RIFF"));
    // 16-bit stereo, at least the half second asked for, and not silent.
    EXPECT_GE(bytes.size(), 44 + 24000 * 4);
    const auto* pcm = reinterpret_cast<const qint16*>(bytes.constData() + 44);
    EXPECT_GT(*std::max_element(pcm, pcm + 24000 * 2), 8000);
    EXPECT_TRUE(prompter.told.isEmpty());
}

TEST_F(AuditionPanelTest, PlaybackStopsBeforeTheWindowClosesOrAsks) {
    open(true);
    EXPECT_FALSE(child<QLabel>("lblNoDevice")->isVisible());
    QTest::mouseClick(child("cmdPlay"), Qt::LeftButton);
    EXPECT_TRUE(panel->isPlaying());
    QTest::mouseClick(child("cmdOk"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(panel->isPlaying());

    reopen();
    panel->play();
    QTest::mouseClick(child("cmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible() || panel->isPlaying());

    // Changes not written: the discard question comes after the stop.
    reopen();
    MotorSoundTable other = data.motorSoundTable();
    other.tracks[0][0].pitch = 1;
    data.setMotorSoundTable(other);
    panel->play();
    prompter.script({false});
    window.reject();
    EXPECT_EQ(prompter.playingAtQuestion, QList<bool>{false});
    EXPECT_TRUE(window.isVisible());

    // Space on the graph plays and stops.
    window.graphView()->setFocus();
    QTest::keyClick(window.graphView(), Qt::Key_Space);
    EXPECT_TRUE(panel->isPlaying());
    QTest::keyClick(window.graphView(), Qt::Key_Space);
    EXPECT_FALSE(panel->isPlaying());

    // A device lost while playing stops playback with a notice.
    panel->play();
    emit output->lost();
    EXPECT_FALSE(panel->isPlaying());
    EXPECT_EQ(prompter.told.size(), 1);
    EXPECT_TRUE(child<QLabel>("lblNoDevice")->isVisible());
    EXPECT_FALSE(child("cmdPlay")->isEnabled());
}

TEST_F(AuditionPanelTest, EditsAreHeardWithinFiftyMillisecondsAndThePlayLineFollows) {
    writeSine();
    open(true);
    panel->bank()->prepareAndWait({0});
    child<QSlider>("hsbSpeed")->setValue(100);
    panel->play();
    EXPECT_GT(output->pull(4800).second, 0.2f);
    QTest::qWait(80);
    EXPECT_EQ(window.graphView()->playRow(), 100);
    EXPECT_TRUE(child<QLabel>("pbxStatus")->text().contains(QStringLiteral("20.0 km/h  力行")));

    // The document's table is silent; やり直し makes it the working copy.
    MotorSoundTable silent = data.motorSoundTable();
    for (MotorSoundTrack& track : silent.tracks)
        for (MotorSoundEntry& entry : track)
            entry.index = -1;
    data.setMotorSoundTable(silent);
    QTest::mouseClick(child("cmdRedo"), Qt::LeftButton);
    EXPECT_EQ(output->pull(2400).second, 0.0f);
    window.undo();
    EXPECT_GT(output->pull(2400).second, 0.2f);

    panel->stop();
    EXPECT_EQ(window.graphView()->playRow(), -1);
    EXPECT_FALSE(child<QLabel>("pbxStatus")->text().contains(QStringLiteral("km/h  力行")));
}

TEST_F(AuditionPanelTest, ANotchThatCannotStartSaysSoAndPlaysNothing) {
    AccelerationTable table = data.accelerationTable();
    table[2] = AccelerationRow{};
    data.setAccelerationTable(table);
    open(true);
    namedChild<QComboBox>(window, QStringLiteral("cbxNotch"))->setCurrentIndex(2);
    QTest::mouseClick(child("cmdRun"), Qt::LeftButton);
    EXPECT_FALSE(panel->isPlaying());
    EXPECT_TRUE(child<QLabel>("lblRunNote")->isVisible());
    EXPECT_TRUE(child<QLabel>("lblRunNote")->text().contains(QStringLiteral("ノッチ 3")));

    // Notch 1 runs, and the run shows on the graph.
    namedChild<QComboBox>(window, QStringLiteral("cbxNotch"))->setCurrentIndex(0);
    QTest::mouseClick(child("cmdRun"), Qt::LeftButton);
    EXPECT_TRUE(panel->isPlaying());
    EXPECT_FALSE(child<QLabel>("lblRunNote")->isVisible());
    output->pull(48000);
    QTest::qWait(80);
    EXPECT_TRUE(child<QLabel>("pbxStatus")->text().contains(QStringLiteral("km/h  力行")));
}

TEST_F(AuditionPanelTest, TheFolderIsKeptPerTrainFile) {
    data.setDocumentPath(sounds.filePath(QStringLiteral("a.dat")));
    QTemporaryDir chosen;
    open(true); // chooses the sounds folder
    EXPECT_EQ(panel->soundFolder(), sounds.path());
    panel->setFolderChooser([&](QWidget*, const QString&) { return chosen.path(); });
    panel->chooseFolder();
    panel->assign(2, QString());

    // Another train file starts from its own folder, then the first comes back.
    window.hide();
    data.setDocumentPath(chosen.filePath(QStringLiteral("b.dat")));
    reopen();
    EXPECT_EQ(panel->soundFolder(), chosen.path());
    EXPECT_TRUE(panel->choice().assigned.empty());

    TrainData again;
    again.setDocumentPath(sounds.filePath(QStringLiteral("a.dat")));
    MotorSoundWindow second(again, prompter, nullptr);
    auto* secondPanel = new AuditionPanel(again, second, prompter,
                                          [] { return std::make_unique<FakeOutput>(true); });
    second.setSidePanel(secondPanel);
    second.load();
    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
    EXPECT_EQ(secondPanel->soundFolder(), chosen.path());
    EXPECT_EQ(secondPanel->choice().assigned, (std::map<int, QString>{{2, QString()}}));
}
