#include "motorsound/ui/motorsoundwindow.h"

#include "document/numbertext.h"
#include "document/traindata.h"
#include "motorsound/motorsoundgeometry.h"
#include "motorsound/motorsoundtool.h"
#include "motorsound/ui/motorsoundgraphview.h"
#include "motorsound/ui/motorsoundrangedialog.h"
#include "motorsound/ui/motorsoundviewport.h"
#include "shared/ui/focusmove.h"
#include "shared/ui/windowmemory.h"
#include "shared/windowplacement.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace Orlenda {

namespace {

constexpr int LeftColumn = 8;
constexpr int LeftColumnWidth = 97;
constexpr int ViewportLeft = 112;
constexpr int ViewportSize = 400;
constexpr int LayerRowHeight = 16;
// The read-out runs along the bottom of the window, wide enough for a row's values.
constexpr int StatusHeight = 16;
constexpr int StatusRowHeight = StatusHeight + 3;
constexpr int PanelGap = 6;

} // namespace

MotorSoundWindow::MotorSoundWindow(TrainData& data, Prompter& prompter, QWidget* owner)
    : SubEditorFrame(prompter, owner,
                     Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      mData(data), mEditor(mBuffer, prompter),
      mChooseImagePath(pngPathDialog(QStringLiteral("motorsound.png"))),
      mChooseCsvPath(csvPathDialog(QStringLiteral("motorsound.csv"))) {
    setObjectName(QStringLiteral("frmMotor"));
    setWindowTitle(QStringLiteral("モータ音"));
    buildControls();
    buildViewport();
    connectEditor();
    buildHistory();
    // At least the classic size with room for the scales, at most the whole
    // graph and a vertical scroll bar: on a screen lower than the graph the
    // bar then takes no width from it, and no horizontal bar is needed.
    setMinimumSize(defaultSize());
    setMaximumSize(windowSizeFor(mViewport->fullFrameSize() +
                                 QSize(MotorSoundViewport::ScrollBarSize, 0)));
    resize(savedWindowSize(readSetting(widthSetting()), readSetting(heightSetting()),
                           minimumSize(), maximumSize())
               .value_or(defaultSize()));
}

QSize MotorSoundWindow::windowSizeFor(QSize frame) const {
    const int panelHeight = mSidePanel ? sidePanelSize().height() + 2 : 0;
    return QSize(ViewportLeft + frame.width() + 1 + sidePanelWidth(),
                 std::max(1 + frame.height(), panelHeight) + StatusRowHeight);
}

QSize MotorSoundWindow::sidePanelSize() const {
    return mSidePanel ? mSidePanel->sizeHint().expandedTo(mSidePanel->minimumSize()) : QSize();
}

int MotorSoundWindow::sidePanelWidth() const {
    return mSidePanel ? sidePanelSize().width() + PanelGap : 0;
}

void MotorSoundWindow::setSidePanel(QWidget* panel) {
    mSidePanel = panel;
    panel->setParent(this);
    panel->show();
    // Taken before the new minimum, which may already grow the window.
    const QSize grown = size() + (defaultSize() - minimumSize());
    setMinimumSize(defaultSize());
    setMaximumSize(windowSizeFor(mViewport->fullFrameSize()));
    resize(grown);
    // Tab from the graph's neighbours reaches the panel last.
    QWidget::setTabOrder(findChild<QPushButton*>(QStringLiteral("cmdRedo")), panel);
}

void MotorSoundWindow::showPlayPosition(int row, const QString& text) {
    mShowingPlayPosition = true;
    mGraph->setPlayRow(row);
    mStatus->setText(text);
}

void MotorSoundWindow::clearPlayPosition() {
    if (!mShowingPlayPosition)
        return;
    mShowingPlayPosition = false;
    mGraph->setPlayRow(-1);
    mStatus->setText(mPointerStatus);
}

QSize MotorSoundWindow::defaultSize() const {
    return windowSizeFor(mViewport->frameSizeFor(QSize(ViewportSize, ViewportSize)));
}

void MotorSoundWindow::resizeEvent(QResizeEvent* event) {
    SubEditorFrame::resizeEvent(event);
    const int viewportWidth = width() - ViewportLeft - 1 - sidePanelWidth();
    mViewport->setGeometry(ViewportLeft, 1, viewportWidth, height() - 1 - StatusRowHeight);
    if (mSidePanel)
        mSidePanel->setGeometry(ViewportLeft + viewportWidth + PanelGap, 1,
                                sidePanelSize().width(), height() - 1 - StatusRowHeight);
    mStatus->setGeometry(1, height() - StatusRowHeight + 1, width() - 2, StatusHeight);
}

void MotorSoundWindow::hideEvent(QHideEvent* event) {
    SubEditorFrame::hideEvent(event);
    if (!event->spontaneous())
        rememberWindowGeometry(*this, settingsPrefix());
}

void MotorSoundWindow::buildControls() {
    mLayer = new QListWidget(this);
    mLayer->setObjectName(QStringLiteral("lstLayer"));
    // Four rows of the Japanese font need more than the classic 52 pixels.
    mLayer->setGeometry(LeftColumn, 16, LeftColumnWidth, 4 * LayerRowHeight + 4);
    mLayer->setToolTip(QStringLiteral("編集するトラックを選択してください。"));
    mLayer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const char* name : {"加速音1", "加速音2", "減速音1", "減速音2"}) {
        auto* item = new QListWidgetItem(QString::fromUtf8(name), mLayer);
        item->setSizeHint(QSize(0, LayerRowHeight));
    }
    connect(mLayer, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            mEditor.selectTrack(row);
    });
    mLayer->installEventFilter(this);

    auto* group = new QButtonGroup(this);
    const std::array<int, MotorSoundToolCount> toolTops = {87, 128, 144, 160, 176};
    for (int i = 0; i < MotorSoundToolCount; ++i) {
        auto* button = new QRadioButton(motorSoundToolCaption(MotorSoundTool(i)), this);
        button->setObjectName(QStringLiteral("optTool(%1)").arg(i));
        button->setGeometry(LeftColumn, toolTops[std::size_t(i)], LeftColumnWidth, 16);
        group->addButton(button, i);
        button->installEventFilter(this);
        connect(button, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                mEditor.selectTool(MotorSoundTool(i));
        });
        mTools[std::size_t(i)] = button;
    }

    mIndex = new QComboBox(this);
    mIndex->setObjectName(QStringLiteral("cbxIndex"));
    mIndex->setGeometry(24, 103, 57, 22);
    mIndex->addItem(QStringLiteral("無音"));
    for (int i = 0; i <= LargestSoundIndex; ++i)
        mIndex->addItem(QString::number(i));
    connect(mIndex, &QComboBox::activated, this,
            [this](int entry) { mEditor.chooseIndex(entry - 1); });

    mHex = new QCheckBox(QStringLiteral("16進目盛"), this);
    mHex->setObjectName(QStringLiteral("chkHex"));
    mHex->setGeometry(LeftColumn, 256, LeftColumnWidth, 17);
    mHex->installEventFilter(this);
    connect(mHex, &QCheckBox::toggled, this, [this](bool on) { mEditor.setHexScale(on); });

    const std::array<std::pair<const char*, int>, 4> buttons = {{
        {"cmdOk", 284},
        {"cmdCancel", 312},
        {"cmdApply", 340},
        {"cmdRedo", 368},
    }};
    const std::array<const char*, 4> captions = {"OK", "キャンセル", "適用", "やり直し"};
    std::array<QPushButton*, 4> pushes{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto* push = new QPushButton(QString::fromUtf8(captions[i]), this);
        push->setObjectName(QString::fromLatin1(buttons[i].first));
        push->setGeometry(LeftColumn, buttons[i].second, 88, 21);
        // Enter in the track list must not apply and close.
        push->setAutoDefault(false);
        pushes[i] = push;
    }
    connect(pushes[0], &QPushButton::clicked, this, [this] {
        apply();
        accept();
    });
    connect(pushes[1], &QPushButton::clicked, this, &QDialog::reject);
    connect(pushes[2], &QPushButton::clicked, this, &MotorSoundWindow::apply);
    connect(pushes[3], &QPushButton::clicked, this, &MotorSoundWindow::startOver);

    mStatus = new QLabel(this);
    mStatus->setObjectName(QStringLiteral("pbxStatus"));
    mStatus->setTextFormat(Qt::PlainText);
    // The box is lower than a line of the Japanese font: centre the digits in it.
    mStatus->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void MotorSoundWindow::buildViewport() {
    mViewport = new MotorSoundViewport(mEditor, this);
    mGraph = mViewport->graphView();
    mGraph->installEventFilter(this);

    mMenu = new QMenu(this);
    mMenu->setObjectName(QStringLiteral("mnuGraph"));
    QAction* save = mMenu->addAction(QStringLiteral("画像を保存..."));
    save->setObjectName(QStringLiteral("mnuGraphSave"));
    connect(save, &QAction::triggered, this, &MotorSoundWindow::saveGraphImage);
    mMenu->addSeparator();
    QAction* range = mMenu->addAction(QStringLiteral("範囲を数値で設定..."));
    range->setObjectName(QStringLiteral("mnuGraphRange"));
    range->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    // The key works while the menu is closed, too.
    addAction(range);
    connect(range, &QAction::triggered, this, &MotorSoundWindow::setRangeByNumbers);
    QAction* exportCsv = mMenu->addAction(QStringLiteral("トラックを CSV に書き出す..."));
    exportCsv->setObjectName(QStringLiteral("mnuGraphExport"));
    connect(exportCsv, &QAction::triggered, this, &MotorSoundWindow::exportTrack);
    QAction* importCsv = mMenu->addAction(QStringLiteral("トラックを CSV から読み込む..."));
    importCsv->setObjectName(QStringLiteral("mnuGraphImport"));
    connect(importCsv, &QAction::triggered, this, &MotorSoundWindow::importTrack);
}

void MotorSoundWindow::connectEditor() {
    connect(mGraph, &MotorSoundGraphView::pressed, this, &MotorSoundWindow::pressGraph);
    connect(mGraph, &MotorSoundGraphView::moved, this, &MotorSoundWindow::moveOverGraph);
    connect(mGraph, &MotorSoundGraphView::menuRequested, this, &MotorSoundWindow::showGraphMenu);
    connect(mGraph, &MotorSoundGraphView::wheelTurned, mViewport,
            &MotorSoundViewport::scrollByWheel);
    connect(mGraph, &MotorSoundGraphView::pointerLeft, &mEditor, &MotorSoundEditor::leave);
    connect(&mEditor, &MotorSoundEditor::statusChanged, this, &MotorSoundWindow::showStatus);
    connect(&mEditor, &MotorSoundEditor::toolChanged, this, &MotorSoundWindow::showChoices);
    connect(&mEditor, &MotorSoundEditor::hexScaleChanged, this, &MotorSoundWindow::showChoices);
    connect(&mEditor, &MotorSoundEditor::trackChanged, this, &MotorSoundWindow::showChoices);
}

void MotorSoundWindow::buildHistory() {
    findChild<QPushButton*>(QStringLiteral("cmdRedo"))
        ->setToolTip(QStringLiteral("ドキュメントのトラック（最後に「適用」した状態）に戻します。"
                                    "元に戻した操作をやり直すボタンではありません。"));
    addHistoryActions(mMenu, mMenu->actions().value(0), QStringLiteral("mnuGraphUndo"),
                      QStringLiteral("mnuGraphRedo"));
}

void MotorSoundWindow::showChoices() {
    // The controls follow the editor; setting them must not echo back into it.
    const QSignalBlocker blockLayer(mLayer);
    const QSignalBlocker blockTool(mTools[std::size_t(mEditor.tool())]);
    const QSignalBlocker blockHex(mHex);
    mLayer->setCurrentRow(mEditor.currentTrack());
    mTools[std::size_t(mEditor.tool())]->setChecked(true);
    mHex->setChecked(mEditor.hexScale());
    mIndex->setCurrentIndex(mEditor.indexChoice() + 1);
}

void MotorSoundWindow::load() {
    mEditor.load(mData.motorSoundTable());
    mPressCancelledEdit = false;
    mViewport->scrollToStart();
    showChoices();
}

void MotorSoundWindow::openModal() {
    load();
    if (!mPlaced) {
        mPlaced = true;
        if (restoreWindowGeometry(*this, settingsPrefix()).maximized)
            setWindowState(windowState() | Qt::WindowMaximized);
    }
    exec();
}

void MotorSoundWindow::apply() {
    mData.edit(motorSoundStepName(), [this] { mData.setMotorSoundTable(mEditor.workingCopy()); });
}

void MotorSoundWindow::startOver() {
    mEditor.startOver(mData.motorSoundTable());
}

bool MotorSoundWindow::hasUnwrittenChanges() const {
    return mEditor.workingCopy() != mData.motorSoundTable();
}

void MotorSoundWindow::pressGraph(Qt::MouseButton button, QPointF pixel) {
    const bool wasPending = mEditor.isPending();
    mGuard.run([&] { mEditor.press(button, pixel.x(), pixel.y()); });
    mPressCancelledEdit = button != Qt::LeftButton && wasPending && !mEditor.isPending();
}

void MotorSoundWindow::moveOverGraph(QPointF pixel) {
    mGuard.run([&] { mEditor.move(pixel.x(), pixel.y()); });
}

void MotorSoundWindow::showStatus(const QString& text, bool paintNow) {
    mPointerStatus = text;
    // The busy text shows even over playback; the next position replaces it.
    if (mShowingPlayPosition && !paintNow)
        return;
    mStatus->setText(text);
    // Painted at once, without handing control to the event loop: input that
    // arrives meanwhile waits until the edit is finished, so it cannot change
    // the points, the tool or the track under the edit.
    if (paintNow)
        mStatus->repaint();
}

void MotorSoundWindow::showGraphMenu(QPoint globalPosition, bool byMouse) {
    const bool cancelled = mPressCancelledEdit;
    mPressCancelledEdit = false;
    if (byMouse && cancelled)
        return;
    mMenu->popup(globalPosition);
}

void MotorSoundWindow::saveGraphImage() {
    saveImageAsPng(this, mPrompter, mEditor.graphImage(), mChooseImagePath);
}

void MotorSoundWindow::setRangeByNumbers() {
    MotorSoundRangeDialog dialog(mLastRange, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    mLastRange = dialog.input();
    if (accepted)
        mGuard.run([&] { mEditor.applyTypedRange(dialog.range()); });
}

void MotorSoundWindow::exportTrack() {
    const MotorSoundTrack& track =
        mEditor.workingCopy().tracks[std::size_t(mEditor.currentTrack())];
    exportTrackCsv(this, track, mChooseCsvPath, mPrompter);
}

void MotorSoundWindow::importTrack() {
    if (const std::optional<MotorSoundTrack> track =
            importTrackCsv(this, mChooseCsvPath, mPrompter))
        mGuard.run([&] { mEditor.importTrack(*track); });
}

bool MotorSoundWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mGraph && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        emit playKeyPressed();
        return true;
    }
    // A half-made edit ends when the track list, a tool button or the scale
    // takes the focus, before that control reacts to the click.
    if (isFocusMoveWithinWindow(event, QEvent::FocusIn))
        mGuard.run([this] { mEditor.cancel(); });
    return SubEditorFrame::eventFilter(watched, event);
}

} // namespace Orlenda
