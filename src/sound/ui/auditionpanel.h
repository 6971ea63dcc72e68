#pragma once

#include "sound/drivestate.h"
#include "sound/soundchoices.h"
#include "sound/ui/audiooutput.h"
#include "sound/ui/soundfiledialogs.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTimer;

namespace Orlenda {

class MotorSoundWindow;
class Prompter;
class RunProfile;
class SoundBank;
class SoundRenderer;
class TrainData;
struct RenderRequest;

// 試聴: plays the motor-sound window's working copy at a speed the author
// drags, or along a run of the train, and writes either to a WAV file. The
// output device is looked for when the panel first shows, not before; every
// change of the working copy reaches the renderer at once.
class AuditionPanel : public QWidget {
    Q_OBJECT

public:
    using OutputMaker = std::function<std::unique_ptr<AudioOutput>()>;
    // What 音声ファイルに書き出す... writes: the current speed held for
    // seconds, or the run; none when the user declines.
    struct ExportChoice {
        bool run = false;
        double seconds = 10;
    };
    using ExportAsker = std::function<std::optional<ExportChoice>(QWidget* parent)>;

    static QString noDeviceText() { return QStringLiteral("音声出力装置がありません"); }
    static constexpr int SpeedSteps = 799; // 0.2 km/h each

    AuditionPanel(TrainData& data, MotorSoundWindow& window, Prompter& prompter,
                  OutputMaker makeOutput, QWidget* parent = nullptr);
    ~AuditionPanel() override;

    void setFolderChooser(FolderChooser chooser) { mChooseFolder = std::move(chooser); }
    void setWavPathChooser(WavPathChooser chooser) { mChooseWavPath = std::move(chooser); }
    void setExportAsker(ExportAsker asker) { mAskExport = std::move(asker); }

    QSize sizeHint() const override;

    bool hasDevice() const { return mHasDevice; }
    bool isPlaying() const;
    void togglePlay();
    // The held speed and state.
    void play();
    // The run with the chosen notch, top speed and speed-up.
    void playRun();
    void stop();

    void chooseFolder();
    void showAssignment();
    void exportSound();

    // Where the sounds come from now, and the folder they are read from.
    const SoundChoice& choice() const { return mChoice; }
    QString soundFolder() const;
    // Gives a sound number another file (empty: none), or back to the rule.
    void assign(int number, const std::optional<QString>& name);
    std::shared_ptr<SoundBank> bank() const { return mBank; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void prepareOnce();
    void findDevice();
    // Play and the run follow whether there is a device; the note says when not.
    void showDevice(bool found);
    void takeChoice();
    void keepChoice();
    void applyChoice();
    void publishTable();
    void startOutput();
    void showPosition();
    void deviceLost();
    void updateTopSpeed();
    void speedChanged(int step);
    DriveState heldState() const;
    std::optional<RunProfile> chosenRun();
    RenderRequest exportRequest(const ExportChoice& choice, bool* ok);

    TrainData& mData;
    MotorSoundWindow& mWindow;
    Prompter& mPrompter;
    OutputMaker mMakeOutput;
    FolderChooser mChooseFolder;
    WavPathChooser mChooseWavPath;
    ExportAsker mAskExport;

    std::unique_ptr<AudioOutput> mOutput;
    std::unique_ptr<SampleSource> mSource;
    std::shared_ptr<SoundBank> mBank;
    std::unique_ptr<SoundRenderer> mRenderer;
    bool mHasDevice = false;
    bool mRunning = false;
    QString mTrainPath;
    SoundChoices mChoices;
    bool mChoicesLoaded = false;
    SoundChoice mChoice;

    QLabel* mDeviceNote = nullptr;
    QPushButton* mPlay = nullptr;
    QSlider* mSpeed = nullptr;
    QLabel* mSpeedText = nullptr;
    QRadioButton* mPower = nullptr;
    QRadioButton* mBrake = nullptr;
    QComboBox* mNotch = nullptr;
    QSpinBox* mTopSpeed = nullptr;
    QComboBox* mSpeedUp = nullptr;
    QPushButton* mRun = nullptr;
    QLabel* mRunNote = nullptr;
    QLabel* mFolderText = nullptr;
    QTimer* mPositionTimer = nullptr;
};


} // namespace Orlenda
