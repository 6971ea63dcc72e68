#include "sound/ui/auditionpanel.h"

#include "document/traindata.h"
#include "motorsound/motorsoundeditor.h"
#include "motorsound/ui/motorsoundwindow.h"
#include "performance/performancefigures.h"
#include "shared/atomicfile.h"
#include "shared/failure.h"
#include "shared/pathname.h"
#include "shared/prompter.h"
#include "shared/windowplacement.h"
#include "sound/playbackreadout.h"
#include "sound/runprofile.h"
#include "sound/soundbank.h"
#include "sound/soundrender.h"
#include "sound/soundrenderer.h"
#include "sound/soundtexts.h"
#include "sound/ui/soundassignmentdialog.h"
#include "sound/ui/soundexportdialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace Orlenda {

namespace {

constexpr int PanelWidth = 190;
constexpr int PositionMilliseconds = 30;
constexpr int ExportRate = 48000;

// The renderer as the output's source: the output's thread calls render.
class RendererSource : public SampleSource {
public:
    explicit RendererSource(SoundRenderer& renderer) : mRenderer(renderer) {}
    void render(float* interleavedStereo, int frames) noexcept override {
        mRenderer.render(interleavedStereo, frames);
    }

private:
    SoundRenderer& mRenderer;
};

QList<int> soundNumbersOf(const MotorSoundTable& table) {
    QList<int> numbers;
    for (const MotorSoundTrack& track : table.tracks) {
        for (const MotorSoundEntry& entry : track) {
            if (entry.index >= 0 && !numbers.contains(entry.index))
                numbers.append(entry.index);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// The slider moves in steps of 0.2 km/h, as the table's rows do.
double speedOfStep(int step) {
    return step * 0.2;
}

QString speedText(int step) {
    return QStringLiteral("%1 km/h").arg(speedOfStep(step), 0, 'f', 1);
}

} // namespace

AuditionPanel::AuditionPanel(TrainData& data, MotorSoundWindow& window, Prompter& prompter,
                             OutputMaker makeOutput, QWidget* parent)
    : QWidget(parent), mData(data), mWindow(window), mPrompter(prompter),
      mMakeOutput(std::move(makeOutput)), mChooseFolder(soundFolderDialog()),
      mChooseWavPath(wavPathDialog(QStringLiteral("motorsound.wav"))),
      mAskExport(askSoundExport) {
    setObjectName(QStringLiteral("fraAudition"));
    buildControls();
    mPositionTimer = new QTimer(this);
    mPositionTimer->setInterval(PositionMilliseconds);
    connect(mPositionTimer, &QTimer::timeout, this, &AuditionPanel::showPosition);

    // Playback never outlives what the window shows, nor waits behind a question.
    connect(&mWindow, &SubEditorFrame::aboutToQuestionOrClose, this, &AuditionPanel::stop);
    connect(&mWindow, &MotorSoundWindow::playKeyPressed, this, &AuditionPanel::togglePlay);
    connect(&mWindow.editor(), &MotorSoundEditor::workingCopyChanged, this,
            &AuditionPanel::publishTable);
}

AuditionPanel::~AuditionPanel() {
    // The window may be going too, its graph already gone: only the output
    // stops, before the renderer it pulls from goes.
    mPositionTimer->stop();
    mOutput.reset();
}

QSize AuditionPanel::sizeHint() const {
    return QSize(PanelWidth, QWidget::sizeHint().height());
}

void AuditionPanel::buildControls() {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    auto* listen = new QGroupBox(QStringLiteral("試聴"), this);
    auto* listenRows = new QVBoxLayout(listen);
    mDeviceNote = new QLabel(noDeviceText(), listen);
    mDeviceNote->setObjectName(QStringLiteral("lblNoDevice"));
    mDeviceNote->hide();
    listenRows->addWidget(mDeviceNote);

    mPlay = new QPushButton(QStringLiteral("再生"), listen);
    mPlay->setObjectName(QStringLiteral("cmdPlay"));
    mPlay->setAutoDefault(false);
    mPlay->setToolTip(QStringLiteral("グラフにフォーカスがあるときはスペースキーでも再生・停止します。"));
    connect(mPlay, &QPushButton::clicked, this, &AuditionPanel::togglePlay);
    listenRows->addWidget(mPlay);

    auto* speedRow = new QHBoxLayout;
    mSpeed = new QSlider(Qt::Horizontal, listen);
    mSpeed->setObjectName(QStringLiteral("hsbSpeed"));
    mSpeed->setRange(0, SpeedSteps);
    mSpeed->setPageStep(50);
    mSpeedText = new QLabel(speedText(0), listen);
    mSpeedText->setObjectName(QStringLiteral("lblSpeed"));
    mSpeedText->setMinimumWidth(mSpeedText->fontMetrics().horizontalAdvance(speedText(SpeedSteps)));
    mSpeedText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(mSpeed, &QSlider::valueChanged, this, &AuditionPanel::speedChanged);
    speedRow->addWidget(mSpeed, 1);
    speedRow->addWidget(mSpeedText);
    listenRows->addLayout(speedRow);

    auto* stateRow = new QHBoxLayout;
    mPower = new QRadioButton(QStringLiteral("力行"), listen);
    mPower->setObjectName(QStringLiteral("optPower"));
    mBrake = new QRadioButton(QStringLiteral("ブレーキ"), listen);
    mBrake->setObjectName(QStringLiteral("optBrake"));
    mPower->setChecked(true);
    connect(mPower, &QRadioButton::toggled, this, [this] {
        if (mRenderer)
            mRenderer->setState(heldState());
    });
    stateRow->addWidget(mPower);
    stateRow->addWidget(mBrake);
    listenRows->addLayout(stateRow);
    column->addWidget(listen);

    auto* run = new QGroupBox(QStringLiteral("走行を再生"), this);
    auto* runGrid = new QGridLayout(run);
    runGrid->addWidget(new QLabel(QStringLiteral("ノッチ"), run), 0, 0);
    mNotch = new QComboBox(run);
    mNotch->setObjectName(QStringLiteral("cbxNotch"));
    for (int notch = 1; notch <= 8; ++notch)
        mNotch->addItem(QString::number(notch));
    connect(mNotch, &QComboBox::currentIndexChanged, this, &AuditionPanel::updateTopSpeed);
    runGrid->addWidget(mNotch, 0, 1);
    runGrid->addWidget(new QLabel(QStringLiteral("最高速度"), run), 1, 0);
    mTopSpeed = new QSpinBox(run);
    mTopSpeed->setObjectName(QStringLiteral("txtTopSpeed"));
    mTopSpeed->setSuffix(QStringLiteral(" km/h"));
    mTopSpeed->setRange(1, RunProfile::MaxTopSpeed);
    runGrid->addWidget(mTopSpeed, 1, 1);
    runGrid->addWidget(new QLabel(QStringLiteral("早送り"), run), 2, 0);
    mSpeedUp = new QComboBox(run);
    mSpeedUp->setObjectName(QStringLiteral("cbxSpeedUp"));
    for (int factor : {1, 2, 4})
        mSpeedUp->addItem(QStringLiteral("×%1").arg(factor), factor);
    runGrid->addWidget(mSpeedUp, 2, 1);
    mRun = new QPushButton(QStringLiteral("走行を再生"), run);
    mRun->setObjectName(QStringLiteral("cmdRun"));
    mRun->setAutoDefault(false);
    connect(mRun, &QPushButton::clicked, this, &AuditionPanel::playRun);
    runGrid->addWidget(mRun, 3, 0, 1, 2);
    mRunNote = new QLabel(run);
    mRunNote->setObjectName(QStringLiteral("lblRunNote"));
    mRunNote->setWordWrap(true);
    mRunNote->hide();
    runGrid->addWidget(mRunNote, 4, 0, 1, 2);
    column->addWidget(run);

    auto* sounds = new QGroupBox(QStringLiteral("音源"), this);
    auto* soundRows = new QVBoxLayout(sounds);
    mFolderText = new QLabel(sounds);
    mFolderText->setObjectName(QStringLiteral("lblSoundFolder"));
    mFolderText->setTextFormat(Qt::PlainText);
    mFolderText->setWordWrap(true);
    soundRows->addWidget(mFolderText);
    auto* folder = new QPushButton(QStringLiteral("音源フォルダ..."), sounds);
    folder->setObjectName(QStringLiteral("cmdSoundFolder"));
    folder->setAutoDefault(false);
    connect(folder, &QPushButton::clicked, this, &AuditionPanel::chooseFolder);
    soundRows->addWidget(folder);
    auto* assign = new QPushButton(QStringLiteral("音源の割り当て..."), sounds);
    assign->setObjectName(QStringLiteral("cmdSoundAssign"));
    assign->setAutoDefault(false);
    connect(assign, &QPushButton::clicked, this, &AuditionPanel::showAssignment);
    soundRows->addWidget(assign);
    auto* save = new QPushButton(QStringLiteral("音声ファイルに書き出す..."), sounds);
    save->setObjectName(QStringLiteral("cmdSoundExport"));
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &AuditionPanel::exportSound);
    soundRows->addWidget(save);
    column->addWidget(sounds);

    auto* note = new QLabel(
        QStringLiteral("聞こえる音はこのエディタによる推定です。シミュレータ自身の合成とは異なります。"),
        this);
    note->setObjectName(QStringLiteral("lblEstimate"));
    note->setWordWrap(true);
    column->addWidget(note);
    column->addStretch(1);
}

void AuditionPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    prepareOnce();
    if (!mHasDevice)
        findDevice();
    // Each opening may be of another train file.
    takeChoice();
    updateTopSpeed();
    publishTable();
}

void AuditionPanel::prepareOnce() {
    if (mOutput)
        return;
    mOutput = mMakeOutput();
    connect(mOutput.get(), &AudioOutput::lost, this, &AuditionPanel::deviceLost);
    findDevice();
    mBank = std::make_shared<SoundBank>(mHasDevice ? mOutput->sampleRate() : ExportRate);
    mRenderer = std::make_unique<SoundRenderer>(mBank);
    mSource = std::make_unique<RendererSource>(*mRenderer);
}

void AuditionPanel::findDevice() {
    // The bank keeps the rate it was made with: a device found later must take it.
    showDevice(mOutput->open() && (!mBank || mOutput->sampleRate() == mBank->outputRate()));
}

void AuditionPanel::showDevice(bool found) {
    mHasDevice = found;
    mDeviceNote->setVisible(!found);
    mPlay->setEnabled(found);
    mRun->setEnabled(found);
}

void AuditionPanel::takeChoice() {
    if (!mChoicesLoaded) {
        mChoicesLoaded = true;
        if (const std::unique_ptr<QSettings> settings = settingsStore())
            mChoices.load(*settings);
    }
    mTrainPath = mData.documentPath();
    mChoice = mChoices.find(mTrainPath).value_or(SoundChoice{});
    applyChoice();
}

void AuditionPanel::keepChoice() {
    mChoices.remember(mTrainPath, mChoice);
    if (mTrainPath.isEmpty())
        return;
    if (const std::unique_ptr<QSettings> settings = settingsStore())
        mChoices.store(*settings);
}

QString AuditionPanel::soundFolder() const {
    return mChoice.folderFor(mTrainPath);
}

void AuditionPanel::applyChoice() {
    const QString folder = soundFolder();
    mFolderText->setText(folder.isEmpty() ? QStringLiteral("音源フォルダ: (なし)")
                                          : QStringLiteral("音源フォルダ: ") + folder);
    mBank->setFolder(folder.isEmpty() ? SoundFolder() : SoundFolder(folder));
    mBank->setAssignment(mChoice.assignment());
    mBank->prepare(soundNumbersOf(mWindow.editor().workingCopy()));
}

void AuditionPanel::assign(int number, const std::optional<QString>& name) {
    if (name)
        mChoice.assigned[number] = *name;
    else
        mChoice.assigned.erase(number);
    keepChoice();
    applyChoice();
}

void AuditionPanel::chooseFolder() {
    prepareOnce();
    const QString folder = mChooseFolder(this, soundFolder());
    if (folder.isEmpty())
        return;
    mChoice.folder = absolutePath(folder);
    // Names given in another folder mean nothing in this one.
    mChoice.assigned.clear();
    keepChoice();
    applyChoice();
}

void AuditionPanel::showAssignment() {
    prepareOnce();
    SoundAssignmentDialog dialog(*mBank, soundNumbersOf(mWindow.editor().workingCopy()), this);
    connect(&dialog, &SoundAssignmentDialog::assigned, this, &AuditionPanel::assign);
    dialog.exec();
}

void AuditionPanel::publishTable() {
    if (!mRenderer)
        return;
    const MotorSoundTable& table = mWindow.editor().workingCopy();
    mRenderer->publishTable(table);
    mBank->prepare(soundNumbersOf(table));
}

DriveState AuditionPanel::heldState() const {
    return mBrake->isChecked() ? DriveState::Brake : DriveState::Power;
}

void AuditionPanel::speedChanged(int step) {
    mSpeedText->setText(speedText(step));
    if (mRenderer)
        mRenderer->setSpeed(speedOfStep(step));
}

void AuditionPanel::updateTopSpeed() {
    const PerformanceTrain train = performanceTrain(mData);
    const int notch = mNotch->currentIndex() + 1;
    const int reachable = RunProfile::reachableTopSpeed(train, notch);
    mTopSpeed->setRange(reachable > 0 ? 1 : 0, std::max(reachable, 0));
    mTopSpeed->setValue(RunProfile::defaultTopSpeed(train, notch));
    mRunNote->hide();
}

bool AuditionPanel::isPlaying() const {
    return mOutput && mOutput->isPlaying();
}

void AuditionPanel::togglePlay() {
    if (isPlaying())
        stop();
    else
        play();
}

void AuditionPanel::play() {
    prepareOnce();
    if (!mHasDevice)
        return;
    stop();
    mRenderer->stopRun();
    mRenderer->setSpeed(speedOfStep(mSpeed->value()));
    mRenderer->setState(heldState());
    mRunning = false;
    startOutput();
}

std::optional<RunProfile> AuditionPanel::chosenRun() {
    const std::variant<RunProfile, QString> made =
        RunProfile::make(performanceTrain(mData), mNotch->currentIndex() + 1, mTopSpeed->value());
    if (const QString* reason = std::get_if<QString>(&made)) {
        mRunNote->setText(*reason);
        mRunNote->show();
        return std::nullopt;
    }
    mRunNote->hide();
    return std::get<RunProfile>(made);
}

void AuditionPanel::playRun() {
    prepareOnce();
    if (!mHasDevice)
        return;
    stop();
    const std::optional<RunProfile> run = chosenRun();
    if (!run)
        return;
    mRenderer->startRun(*run, mSpeedUp->currentData().toInt());
    mRunning = true;
    startOutput();
}

void AuditionPanel::startOutput() {
    publishTable();
    if (!mOutput->start(*mSource)) {
        mRenderer->stopRun();
        showDevice(false);
        return;
    }
    mPlay->setText(QStringLiteral("停止"));
    mPositionTimer->start();
    showPosition();
}

void AuditionPanel::stop() {
    mPositionTimer->stop();
    if (mOutput && mOutput->isPlaying())
        mOutput->stop();
    if (mRenderer) {
        if (mRunning)
            mRenderer->stopRun();
        mRenderer->releaseSounds();
    }
    mRunning = false;
    mPlay->setText(QStringLiteral("再生"));
    mWindow.clearPlayPosition();
}

void AuditionPanel::showPosition() {
    if (mRunning && mRenderer->runFinished()) {
        stop();
        return;
    }
    mWindow.showPlayPosition(mRenderer->currentRow(),
                             playbackReadout(mRenderer->currentTime(), mRenderer->currentSpeed(),
                                             mRenderer->currentState()));
}

void AuditionPanel::deviceLost() {
    const bool wasPlaying = mPositionTimer->isActive();
    stop();
    mHasDevice = false;
    mDeviceNote->setVisible(true);
    mPlay->setEnabled(false);
    mRun->setEnabled(false);
    if (wasPlaying)
        mPrompter.tell(soundCaption(),
                       QStringLiteral("音声出力装置が使えなくなったため、再生を止めました。"));
}

RenderRequest AuditionPanel::exportRequest(const ExportChoice& choice, bool* ok) {
    RenderRequest request;
    *ok = true;
    if (choice.run) {
        const std::optional<RunProfile> run = chosenRun();
        if (!run) {
            *ok = false;
            return request;
        }
        request.run = *run;
        request.speedUp = mSpeedUp->currentData().toInt();
    } else {
        request.speed = speedOfStep(mSpeed->value());
        request.state = heldState();
        request.seconds = choice.seconds;
    }
    return request;
}

void AuditionPanel::exportSound() {
    prepareOnce();
    const std::optional<ExportChoice> choice = mAskExport(this);
    if (!choice)
        return;
    bool ok = false;
    const RenderRequest request = exportRequest(*choice, &ok);
    if (!ok) {
        mPrompter.tell(soundCaption(), mRunNote->text());
        return;
    }
    const QString path = mChooseWavPath(this);
    if (path.isEmpty())
        return;
    // Files are always written at 48 kHz, whatever the device plays at.
    std::shared_ptr<SoundBank> bank = mBank;
    if (bank->outputRate() != ExportRate) {
        bank = std::make_shared<SoundBank>(ExportRate);
        bank->setFolder(mBank->folder());
        bank->setAssignment(mBank->assignment());
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        writeFileAtomically(path, renderToWav(bank, mWindow.editor().workingCopy(), request));
    } catch (const StepFailure& failure) {
        QApplication::restoreOverrideCursor();
        mPrompter.tell(soundCaption(),
                       QStringLiteral("音声ファイルに書き出せませんでした。\n%1\n%2")
                           .arg(path, failure.description()));
        return;
    }
    QApplication::restoreOverrideCursor();
}

} // namespace Orlenda
