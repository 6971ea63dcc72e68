#include "performance/ui/performancewindow.h"

#include "acceleration/notchswatch.h"
#include "acceleration/ui/plotview.h"
#include "document/traindata.h"
#include "performance/performancetables.h"
#include "performance/referencetrain.h"
#include "performance/texttablemodel.h"
#include "performance/typedchoice.h"
#include "performance/ui/typedspinbox.h"
#include "shared/ui/windowmemory.h"
#include "shared/windowplacement.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace Orlenda {

namespace {

QTableView* tableView(const char* name, TextTableModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return view;
}

QLabel* label(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QString settingsPrefix() {
    return QStringLiteral("Performance");
}

const QString kEstimate = QStringLiteral(
    "値はこのエディタの加速力モデルによる推定で、シミュレータでの走行結果ではありません。");
const QString kNotApplied =
    QStringLiteral("加速力曲線ウィンドウで編集中の、まだ適用されていない値による表です。");

} // namespace

PerformanceWindow::PerformanceWindow(TrainData& data, ReferenceTrain& reference, Prompter& prompter,
                                     ReferencePathChooser chooseReference, QWidget* parent,
                                     ImagePathChooser chooseImagePath)
    : QWidget(parent, Qt::Window), mData(data), mReference(reference),
      mChooseImagePath(chooseImagePath ? std::move(chooseImagePath)
                                       : pngPathDialog(QStringLiteral("run-curve.png"))) {
    setObjectName(QStringLiteral("frmPerformance"));
    setWindowTitle(QStringLiteral("性能表"));
    buildControls(prompter, std::move(chooseReference));
    connect(&mReference, &ReferenceTrain::changed, this, &PerformanceWindow::refresh);
    // The plot's picture names the file it was drawn from.
    connect(&mData, &TrainData::documentPathChanged, this, &PerformanceWindow::redrawPlot);
}

PerformanceWindow::~PerformanceWindow() = default;

void PerformanceWindow::buildControls(Prompter& prompter, ReferencePathChooser chooseReference) {
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* gradeLabel = new QLabel(QStringLiteral("勾配"), this);
    // A grade is taken when the entry is finished, not at every digit typed.
    mGrade = new TypedSpinBox<QDoubleSpinBox, double>(typedGrade, gradeRefusal(), prompter, this);
    mGrade->setObjectName(QStringLiteral("txtGrade"));
    mGrade->setLocale(QLocale::c());
    mGrade->setRange(MinGrade, MaxGrade);
    mGrade->setDecimals(1);
    mGrade->setSuffix(QStringLiteral(" ‰"));
    mGrade->setToolTip(QStringLiteral("上り勾配が正。1 ‰ は 1 kgf/t の抵抗です。"));
    gradeLabel->setBuddy(mGrade);
    connect(mGrade, &QDoubleSpinBox::valueChanged, this, &PerformanceWindow::refresh);
    top->addWidget(gradeLabel);
    top->addWidget(mGrade);
    top->addStretch();
    const ReferenceActions actions =
        makeReferenceActions(this, mReference, prompter, std::move(chooseReference));
    for (auto [action, name] : {std::pair{actions.open, "cmdReferenceOpen"},
                                std::pair{actions.clear, "cmdReferenceClear"}}) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setDefaultAction(action);
        top->addWidget(button);
    }
    layout->addLayout(top);

    mReferenceLabel = label("lblReference", this);
    mSummary = label("lblSummary", this);
    mNotice = label("lblNotice", this);
    mNotice->setWordWrap(true);
    layout->addWidget(mReferenceLabel);
    layout->addWidget(mSummary);
    layout->addWidget(mNotice);

    mNotchModel = new TextTableModel(this);
    mNotchView = tableView("grdNotches", mNotchModel, this);
    layout->addWidget(mNotchView, 1);
    mFailures = label("lblFailures", this);
    mFailures->setStyleSheet(QStringLiteral("color: #c00000"));
    mFailures->setWordWrap(true);
    layout->addWidget(mFailures);

    auto* bottom = new QHBoxLayout;
    auto* braking = new QVBoxLayout;
    braking->addWidget(new QLabel(QStringLiteral("常用ブレーキ"), this));
    mBrakingModel = new TextTableModel(this);
    mBrakingView = tableView("grdBraking", mBrakingModel, this);
    mBrakingView->verticalHeader()->hide();
    braking->addWidget(mBrakingView);
    bottom->addLayout(braking, 1);

    auto* run = new QVBoxLayout;
    auto* runChoices = new QHBoxLayout;
    runChoices->addWidget(new QLabel(QStringLiteral("ノッチ"), this));
    for (int n = 0; n < NotchCount; ++n) {
        auto* box = new QCheckBox(QString::number(n + 1), this);
        box->setObjectName(QStringLiteral("chkRunNotch(%1)").arg(n));
        box->setIcon(QPixmap::fromImage(notchSwatch(n, 10)));
        box->setChecked(n == 0);
        connect(box, &QCheckBox::toggled, this, &PerformanceWindow::runNotchToggled);
        runChoices->addWidget(box);
        mRunNotches[std::size_t(n)] = box;
    }
    runNotchToggled();
    runChoices->addStretch();
    run->addLayout(runChoices);
    auto* brakeChoice = new QHBoxLayout;
    auto* brakeLabel = new QLabel(QStringLiteral("ブレーキ初速"), this);
    brakeChoice->addWidget(brakeLabel);
    mBrakeFrom =
        new TypedSpinBox<QSpinBox, int>(typedBrakeSpeed, brakeSpeedRefusal(), prompter, this);
    mBrakeFrom->setObjectName(QStringLiteral("txtBrakeFrom"));
    mBrakeFrom->setLocale(QLocale::c());
    mBrakeFrom->setRange(1, TopSpeedKmh);
    mBrakeFrom->setValue(100);
    mBrakeFrom->setSuffix(QStringLiteral(" km/h"));
    brakeLabel->setBuddy(mBrakeFrom);
    connect(mBrakeFrom, &QSpinBox::valueChanged, this, &PerformanceWindow::redrawPlot);
    brakeChoice->addWidget(mBrakeFrom);
    brakeChoice->addStretch();
    run->addLayout(brakeChoice);
    mPlotView = new PlotView(mPlot.image(), this);
    mPlotView->setObjectName(QStringLiteral("pbxRun"));
    mPlotView->setFixedSize(RunCurvePlot::Width + 4, RunCurvePlot::Height + 4);
    connect(mPlotView->saveImageAction(), &QAction::triggered, this,
            [this, &prompter] { saveImageAsPng(this, prompter, mPlot.image(), mChooseImagePath); });
    connect(mPlotView, &PlotView::pointerMoved, this, &PerformanceWindow::showRunPoint);
    mPlotView->installEventFilter(this);
    run->addWidget(mPlotView);
    mRunStatus = label("lblRunStatus", this);
    run->addWidget(mRunStatus);
    run->addWidget(new QLabel(QStringLiteral("縦: 速度 [km/h]　横: 時間 [s]\n"
                                             "色: 力行（ノッチの色、比較ファイルは破線）、"
                                             "白: 常用ブレーキ（選んだ勾配）"),
                              this));
    bottom->addLayout(run);
    layout->addLayout(bottom);

    auto* copy = new QAction(QStringLiteral("表をコピー"), this);
    copy->setObjectName(QStringLiteral("mnuCopyTables"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    connect(copy, &QAction::triggered, this, &PerformanceWindow::copyTables);
    addAction(copy);
    // The tables would copy only their current cell: Ctrl+C copies both tables.
    for (QTableView* view : {mNotchView, mBrakingView}) {
        view->setContextMenuPolicy(Qt::ActionsContextMenu);
        view->addAction(copy);
        view->installEventFilter(this);
    }
    // A number box keeps Ctrl+C only while it holds a selection.
    for (QAbstractSpinBox* box : {static_cast<QAbstractSpinBox*>(mGrade),
                                  static_cast<QAbstractSpinBox*>(mBrakeFrom)})
        box->installEventFilter(this);
}

bool PerformanceWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mPlotView && event->type() == QEvent::Leave) {
        mRunStatus->clear();
        return false;
    }
    const bool copyKey = (event->type() == QEvent::KeyPress ||
                          event->type() == QEvent::ShortcutOverride) &&
                         static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy);
    if (!copyKey)
        return QWidget::eventFilter(watched, event);
    if (auto* box = qobject_cast<QAbstractSpinBox*>(watched)) {
        const auto* edit = box->findChild<QLineEdit*>();
        if (edit && edit->hasSelectedText())
            return false;
    }
    // The key comes here rather than to a shortcut, and copies the tables.
    event->accept();
    if (event->type() == QEvent::KeyPress)
        copyTables();
    return true;
}

QList<int> PerformanceWindow::runNotches() const {
    QList<int> notches;
    for (int n = 0; n < NotchCount; ++n) {
        if (mRunNotches[std::size_t(n)]->isChecked())
            notches << n;
    }
    return notches;
}

void PerformanceWindow::setRunNotches(const QList<int>& notches) {
    if (std::none_of(notches.begin(), notches.end(),
                     [](int n) { return n >= 0 && n < NotchCount; }))
        return;
    for (int n = 0; n < NotchCount; ++n) {
        QSignalBlocker block(mRunNotches[std::size_t(n)]);
        mRunNotches[std::size_t(n)]->setChecked(notches.contains(n));
    }
    runNotchToggled();
}

void PerformanceWindow::runNotchToggled() {
    // The last ticked box cannot be unticked: a plot always shows a run. It
    // stays enabled, so that its colour still shows.
    if (runNotches().isEmpty()) {
        if (auto* box = qobject_cast<QCheckBox*>(sender())) {
            QSignalBlocker block(box);
            box->setChecked(true);
        }
        return;
    }
    redrawPlot();
}

RunCurveChoices PerformanceWindow::runChoices() const {
    return {runNotches(), mGrade->value(), double(mBrakeFrom->value()),
            figuresFileName(mData.documentPath())};
}

void PerformanceWindow::showRunPoint(QPoint pixel) {
    const std::optional<RunPoint> point = mPlot.nearestRunPoint(pixel);
    mRunStatus->setText(point ? runPointText(*point) : QString());
}

void PerformanceWindow::bringUp() {
    bool maximized = false;
    if (!mPlaced) {
        mPlaced = true;
        const RestoredGeometry restored = restoreWindowGeometry(*this, settingsPrefix());
        maximized = restored.maximized;
        if (!restored.restored)
            placeFirst();
    }
    Qt::WindowStates state = windowState() & ~Qt::WindowMinimized;
    if (maximized)
        state |= Qt::WindowMaximized;
    setWindowState(state);
    show();
    raise();
    activateWindow();
}

void PerformanceWindow::placeFirst() {
    const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = main ? main->screen() : this->screen();
    if (!screen)
        return;
    // Before a window is shown its frame is unknown: that of the main window
    // stands in for it.
    QMargins frame(0, 0, 0, 0);
    if (main && main->isVisible()) {
        const QRect outer = main->frameGeometry();
        const QRect inner = main->geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    }
    setGeometry(firstWindowGeometry(QSize(900, 820), screen->availableGeometry(),
                                    main ? main->frameGeometry() : QRect(), frame));
}

void PerformanceWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        rememberWindowGeometry(*this, settingsPrefix());
}

void PerformanceWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (mStale)
        refresh();
}

void PerformanceWindow::refresh() {
    // A hidden window catches up when it is shown again.
    mStale = !isVisible();
    if (mStale)
        return;
    mTrain = performanceTrain(mData);
    if (mWorkingTable)
        mTrain.table = *mWorkingTable;
    const double grade = mGrade->value();
    mFigures = computePerformance(mTrain, grade);
    mReferenceFigures.reset();
    if (mReference.isSet())
        mReferenceFigures = computePerformance(*mReference.train(), grade);
    const PerformanceFigures* reference = mReferenceFigures ? &*mReferenceFigures : nullptr;

    mNotchModel->setTable(notchTable(mFigures, reference));
    mBrakingModel->setTable(brakingTable(mFigures, reference));
    mReferenceLabel->setVisible(reference);
    mReferenceLabel->setText(
        QStringLiteral("比較ファイル: %1　%2")
            .arg(mReference.path(), reference ? summaryText(*reference) : QString()));
    mSummary->setText(summaryText(mFigures));
    mNotice->setText(mWorkingTable ? kNotApplied + QLatin1Char('\n') + kEstimate : kEstimate);
    QStringList notes = failureNotes(mFigures);
    if (reference) {
        for (const QString& note : failureNotes(*reference))
            notes << QStringLiteral("比較ファイル: ") + note;
    }
    mFailures->setText(notes.join(QLatin1Char('\n')));
    mSummary->setToolTip(mFailures->text());
    mFailures->setVisible(!notes.isEmpty());
    redrawPlot();
}

void PerformanceWindow::redrawPlot() {
    if (mStale)
        return;
    mPlot.redraw(mTrain, runChoices(), mReference.isSet() ? &*mReference.train() : nullptr);
    mPlotView->update();
}

void PerformanceWindow::followWorkingTable(const AccelerationTable& table) {
    mWorkingTable = table;
    refresh();
}

void PerformanceWindow::stopFollowing() {
    if (!mWorkingTable)
        return;
    mWorkingTable.reset();
    refresh();
}

void PerformanceWindow::copyTables() {
    const FiguresContext context{figuresFileName(mData.documentPath()),
                                 mReferenceFigures ? figuresFileName(mReference.path()) : QString(),
                                 mBrakeFrom->value()};
    QApplication::clipboard()->setText(tablesForClipboard(
        mFigures, mReferenceFigures ? &*mReferenceFigures : nullptr, context));
}

} // namespace Orlenda
