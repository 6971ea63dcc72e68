#include "performance/ui/performancewindow.h"

#include "acceleration/ui/plotview.h"
#include "document/traindata.h"
#include "performance/performancetables.h"
#include "performance/referencetrain.h"
#include "performance/texttablemodel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

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
    resize(900, 820);
}

PerformanceWindow::~PerformanceWindow() = default;

void PerformanceWindow::buildControls(Prompter& prompter, ReferencePathChooser chooseReference) {
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* gradeLabel = new QLabel(QStringLiteral("勾配"), this);
    mGrade = new QDoubleSpinBox(this);
    mGrade->setObjectName(QStringLiteral("txtGrade"));
    mGrade->setRange(MinGrade, MaxGrade);
    mGrade->setDecimals(1);
    mGrade->setSuffix(QStringLiteral(" ‰"));
    mGrade->setToolTip(QStringLiteral("上り勾配が正。1 ‰ は 1 kgf/t の抵抗です。"));
    // A grade is taken when the entry is finished, not at every digit typed.
    mGrade->setKeyboardTracking(false);
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
    mRunNotch = new QComboBox(this);
    mRunNotch->setObjectName(QStringLiteral("cbxRunNotch"));
    for (int n = 1; n <= NotchCount; ++n)
        mRunNotch->addItem(QString::number(n));
    connect(mRunNotch, &QComboBox::currentIndexChanged, this, &PerformanceWindow::redrawPlot);
    runChoices->addWidget(mRunNotch);
    runChoices->addSpacing(12);
    runChoices->addWidget(new QLabel(QStringLiteral("ブレーキ初速"), this));
    mBrakeFrom = new QSpinBox(this);
    mBrakeFrom->setObjectName(QStringLiteral("txtBrakeFrom"));
    mBrakeFrom->setRange(1, TopSpeedKmh);
    mBrakeFrom->setValue(100);
    mBrakeFrom->setSuffix(QStringLiteral(" km/h"));
    mBrakeFrom->setKeyboardTracking(false);
    connect(mBrakeFrom, &QSpinBox::valueChanged, this, &PerformanceWindow::redrawPlot);
    runChoices->addWidget(mBrakeFrom);
    runChoices->addStretch();
    run->addLayout(runChoices);
    mPlotView = new PlotView(mPlot.image(), this);
    mPlotView->setObjectName(QStringLiteral("pbxRun"));
    mPlotView->setFixedSize(RunCurvePlot::Width + 4, RunCurvePlot::Height + 4);
    connect(mPlotView->saveImageAction(), &QAction::triggered, this,
            [this, &prompter] { saveImageAsPng(this, prompter, mPlot.image(), mChooseImagePath); });
    run->addWidget(mPlotView);
    run->addWidget(new QLabel(
        QStringLiteral("縦: 速度 [km/h]　横: 時間 [s]　色: 力行（ノッチの色）、白: 常用ブレーキ"),
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
}

bool PerformanceWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copyTables();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

RunCurveChoices PerformanceWindow::runChoices() const {
    return {mRunNotch->currentIndex(), mGrade->value(), double(mBrakeFrom->value())};
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
    mPlot.redraw(mTrain, runChoices());
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
