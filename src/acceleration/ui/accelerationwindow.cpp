#include "acceleration/ui/accelerationwindow.h"

#include "acceleration/notchswatch.h"
#include "acceleration/plotreadout.h"
#include "acceleration/ui/plotview.h"
#include "document/traindata.h"
#include "shared/cappedprompter.h"
#include "shared/prompter.h"
#include "shared/ui/fieldtextview.h"
#include "shared/ui/focusmove.h"
#include "shared/ui/historykeys.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace Orlenda {

namespace {

struct FieldPlace {
    NotchField field;
    const char* name;
    QRect rect;
};

// Top to bottom the column reads like the curve: accel1, the constant
// tractive-effort region, accel2 and speed1, the constant-power region,
// speed2, and the characteristic region with its exponent beside it.
const std::array<FieldPlace, 5> kFieldPlaces = {{
    {NotchField::Accel1, "txtAcc(0)", {336, 48, 49, 18}},
    {NotchField::Accel2, "txtAcc(1)", {336, 104, 49, 18}},
    {NotchField::Speed1, "txtVlc(1)", {336, 128, 49, 18}},
    {NotchField::Speed2, "txtVlc(2)", {336, 184, 49, 18}},
    {NotchField::Curve, "txtCrv", {384, 213, 49, 18}},
}};

struct LabelPlace {
    const char* name;
    const char* text;
    QRect rect; // an empty size means sized to the text
    Qt::Alignment alignment;
};

const std::array<LabelPlace, 8> kLabels = {{
    {"Label8", "ノッチ", {336, 20, 24, 12}, Qt::AlignHCenter},
    {"Label4", "km/h/s", {392, 51, 0, 0}, Qt::AlignLeft},
    {"Label1", "定引張力域", {330, 80, 60, 12}, Qt::AlignHCenter},
    {"Label5", "km/h/s", {392, 107, 0, 0}, Qt::AlignLeft},
    {"Label7", "km/h", {392, 131, 0, 0}, Qt::AlignLeft},
    {"Label2", "定出力域", {336, 160, 48, 12}, Qt::AlignHCenter},
    {"Label6", "km/h", {392, 187, 0, 0}, Qt::AlignLeft},
    {"Label3", "特性域", {342, 216, 36, 12}, Qt::AlignHCenter},
}};

// The strokes at x = 360 that join the column, first and last row included.
constexpr std::array<std::pair<int, int>, 5> kStrokes = {
    {{64, 72}, {96, 104}, {144, 152}, {176, 184}, {200, 208}}};
constexpr int StrokeX = 360;

// The layout was made for a 9 point face 12 pixels high; a taller or wider
// face grows the control around the middle of its place instead of clipping
// its caption. Buttons keep their left edge so their indicators line up.
void placeInBox(QWidget* widget, const QRect& box, bool keepLeft) {
    const QSize hint = widget->sizeHint();
    QRect r(QPoint(),
            QSize(std::max(box.width(), hint.width()), std::max(box.height(), hint.height())));
    r.moveCenter(box.center());
    if (keepLeft)
        r.moveLeft(box.left());
    widget->setGeometry(r);
}

} // namespace

AccelerationWindow::AccelerationWindow(TrainData& data, const TrainConsist& consist,
                                       Prompter& prompter, QWidget* owner,
                                       ImagePathChooser chooseImagePath)
    : SubEditorFrame(prompter, owner,
                     Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      mData(data), mConsist(consist),
      mChooseImagePath(chooseImagePath ? std::move(chooseImagePath)
                                       : pngPathDialog(QStringLiteral("acceleration.png"))),
      mTable(data.accelerationTable()) {
    setObjectName(QStringLiteral("frmAccele"));
    setFixedSize(450, 406);
    setWindowTitle(QStringLiteral("加速力曲線"));
    buildControls();
    selectNotch(0);
}

AccelerationWindow::~AccelerationWindow() {
    // A focused field is sent a focus-out while the window is taken down.
    for (QLineEdit* f : mFields)
        f->removeEventFilter(this);
}

void AccelerationWindow::buildControls() {
    // Enter lands here when no other button has the focus; it only moves the
    // focus to the plot, which finishes the entry. It hides under the plot.
    auto* dummy = new QPushButton(this);
    dummy->setObjectName(QStringLiteral("cmdDammy"));
    dummy->setGeometry(2, 2, 5, 12);
    dummy->setFocusPolicy(Qt::NoFocus);
    dummy->setDefault(true);

    mPlotView = new PlotView(mPlot.image(), this);
    mPlotView->setObjectName(QStringLiteral("Picture1"));
    mPlotView->setGeometry(1, 1, 324, 404);
    // On a scaled screen the frame's lines leave gaps between device pixels;
    // filled, they show the window's colour rather than the button beneath.
    mPlotView->setAutoFillBackground(true);
    connect(dummy, &QPushButton::clicked, mPlotView, [this] { mPlotView->setFocus(); });
    connect(mPlotView, &PlotView::pointerMoved, this, &AccelerationWindow::showReadout);
    connect(mPlotView->saveImageAction(), &QAction::triggered, this,
            &AccelerationWindow::saveImage);

    for (const LabelPlace& l : kLabels) {
        auto* label = new QLabel(QString::fromUtf8(l.text), this);
        label->setObjectName(QString::fromLatin1(l.name));
        label->setAlignment(l.alignment | Qt::AlignVCenter);
        if (l.rect.isEmpty()) {
            label->move(l.rect.topLeft());
            label->adjustSize();
        } else {
            placeInBox(label, l.rect, false);
        }
    }

    mNotchList = new QComboBox(this);
    mNotchList->setObjectName(QStringLiteral("cbxIndex"));
    mNotchList->setGeometry(368, 16, 57, 20);
    for (int n = 1; n <= NotchCount; ++n)
        mNotchList->addItem(QPixmap::fromImage(notchSwatch(n - 1, 10)), QString::number(n));
    mNotchList->setIconSize(QSize(10, 10));
    connect(mNotchList, &QComboBox::currentIndexChanged, this, &AccelerationWindow::selectNotch);

    for (const FieldPlace& f : kFieldPlaces) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(f.name));
        edit->setGeometry(f.rect);
        edit->setAlignment(Qt::AlignRight);
        edit->installEventFilter(this);
        historyKeys().keepFrom(edit);
        connect(edit, &QLineEdit::textChanged, edit, [edit] { updateOverflowToolTip(edit); });
        mFields[std::size_t(f.field)] = edit;
    }

    mKmhs = new QRadioButton(QStringLiteral("加速度[km/h/s]"), this);
    mKmhs->setObjectName(QStringLiteral("optDim(0)"));
    placeInBox(mKmhs, {336, 264, 113, 12}, true);
    mKmhs->setChecked(true);
    mKgft = new QRadioButton(QStringLiteral("加速力[kgf/t]"), this);
    mKgft->setObjectName(QStringLiteral("optDim(1)"));
    placeInBox(mKgft, {336, 280, 113, 12}, true);
    auto* units = new QButtonGroup(this);
    units->addButton(mKmhs);
    units->addButton(mKgft);
    connect(units, &QButtonGroup::buttonClicked, this, [this] { redraw(); });

    mSubtract = new QCheckBox(QStringLiteral("走行抵抗を引く"), this);
    mSubtract->setObjectName(QStringLiteral("Check1"));
    placeInBox(mSubtract, {336, 304, 113, 12}, true);
    mSubtract->setChecked(true);
    connect(mSubtract, &QCheckBox::clicked, this, [this] { redraw(); });

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setGeometry(344, 332, 88, 21);
    connect(ok, &QPushButton::clicked, this, &AccelerationWindow::accept);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setGeometry(344, 360, 88, 21);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    mReadout = new QLabel(this);
    mReadout->setObjectName(QStringLiteral("pbxStatus"));
    // Wide enough for the curve's value beside the pointer's; the window widens with it.
    const int readoutWidth = std::max(
        122, mReadout->fontMetrics().horizontalAdvance(QStringLiteral(" 159.5, 124.3  曲線 -99.99")) +
                 8);
    mReadout->setGeometry(327, 389, readoutWidth, 16);
    setFixedSize(std::max(width(), 327 + readoutWidth + 1), height());
    mReadout->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    // The box is 12 pixels inside its frame: centre the line so a taller face keeps its digits.
    mReadout->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    setTabOrder(mNotchList, field(NotchField::Accel1));
    setTabOrder(field(NotchField::Accel1), field(NotchField::Accel2));
    setTabOrder(field(NotchField::Accel2), field(NotchField::Speed1));
    setTabOrder(field(NotchField::Speed1), field(NotchField::Speed2));
    setTabOrder(field(NotchField::Speed2), field(NotchField::Curve));
    setTabOrder(field(NotchField::Curve), mKmhs);
    setTabOrder(mKmhs, mSubtract);
    setTabOrder(mSubtract, ok);
    setTabOrder(ok, cancel);
}

PlotChoices AccelerationWindow::choices() const {
    return {mNotch,
            mKgft->isChecked() ? AccelerationUnit::KgfPerTonne
                               : AccelerationUnit::KmPerHourPerSecond,
            mSubtract->isChecked()};
}

void AccelerationWindow::selectNotch(int notch) {
    // A value typed but not yet applied belongs to the notch it was typed for.
    applyFocusedField();
    mNotch = notch;
    showNotch();
    redraw();
}

void AccelerationWindow::showNotch() {
    const AccelerationRow& row = mTable[std::size_t(mNotch)];
    for (const FieldPlace& f : kFieldPlaces) {
        field(f.field)->setText(notchFieldText(row, f.field));
        // A long value shows from its start ("1.234568", not ".234568").
        if (!textFitsField(field(f.field)))
            showTextStart(field(f.field));
    }
}

void AccelerationWindow::applyField(NotchField which, bool andRedraw) {
    const AccelerationTable before = mTable;
    applyNotchField(mTable[std::size_t(mNotch)], which, field(which)->text());
    mHistory.record(QString(), before, mTable, mNotch);
    emit workingTableChanged();
    // A speed's rule may move the other speed too: every field shows the row again.
    showNotch();
    if (andRedraw)
        redraw();
}

void AccelerationWindow::applyFocusedField() {
    for (const FieldPlace& f : kFieldPlaces) {
        if (field(f.field)->hasFocus() && field(f.field)->isModified()) {
            // The caller redraws or closes: one picture, so at most one question.
            applyField(f.field, false);
            return;
        }
    }
}

QLineEdit* AccelerationWindow::typingField() const {
    for (QLineEdit* f : mFields) {
        if (f->hasFocus() && f->isModified())
            return f;
    }
    return nullptr;
}

void AccelerationWindow::restore(const AccelerationTable& table, int notch) {
    mTable = table;
    mNotch = notch;
    {
        const QSignalBlocker quiet(mNotchList);
        mNotchList->setCurrentIndex(notch);
    }
    showNotch();
    redraw();
}

bool AccelerationWindow::hasUnwrittenChanges() const {
    // Typing that closing would drop counts as a change too.
    AccelerationTable kept = mTable;
    for (const FieldPlace& f : kFieldPlaces) {
        if (field(f.field) == typingField())
            applyNotchField(kept[std::size_t(mNotch)], f.field, field(f.field)->text());
    }
    return kept != mData.accelerationTable();
}

bool AccelerationWindow::eventFilter(QObject* watched, QEvent* event) {
    if (isFocusMoveWithinWindow(event, QEvent::FocusOut)) {
        for (const FieldPlace& f : kFieldPlaces) {
            if (field(f.field) == watched)
                applyField(f.field);
        }
    }
    return SubEditorFrame::eventFilter(watched, event);
}

void AccelerationWindow::redraw() {
    mGuard.run([this] { mPlot.redraw(mTable, mConsist, choices(), mPrompter); });
    mPlotView->update();
}

void AccelerationWindow::setReference(std::optional<ReferenceCurves> reference) {
    mPlot.setReference(std::move(reference));
    // The document's curves are as last drawn and their failures were asked
    // about then: only the reference is new, and it is never asked about.
    CappedPrompter quiet(mPrompter, 0);
    mPlot.redraw(mTable, mConsist, choices(), quiet);
    mPlotView->update();
}

void AccelerationWindow::showReadout(QPoint pixel) {
    mReadout->setText(plotReadoutText(pixel.x(), pixel.y(), mTable, mConsist, choices()));
}

void AccelerationWindow::saveImage() {
    saveImageAsPng(this, mPrompter, mPlot.image(), mChooseImagePath);
}

void AccelerationWindow::accept() {
    applyFocusedField();
    // Unchanged rows are not written, so the document does not count as edited.
    if (mTable != mData.accelerationTable())
        mData.edit(accelerationStepName(), [this] { mData.setAccelerationTable(mTable); });
    QDialog::accept();
}

void AccelerationWindow::paintEvent(QPaintEvent* event) {
    SubEditorFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    for (const auto& [top, bottom] : kStrokes)
        painter.drawLine(StrokeX, top, StrokeX, bottom);
}

} // namespace Orlenda
