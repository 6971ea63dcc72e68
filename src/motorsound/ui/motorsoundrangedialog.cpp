#include "motorsound/ui/motorsoundrangedialog.h"

#include "document/motorsoundtable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace Orlenda {

MotorSoundRangeDialog::MotorSoundRangeDialog(const MotorSoundRangeInput& initial, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmRange"));
    setWindowTitle(title());
    setModal(true);

    auto* grid = new QGridLayout;
    auto addRow = [&](int row, QWidget* head, QLineEdit* from, QLineEdit* to, const QString& unit) {
        grid->addWidget(head, row, 0);
        grid->addWidget(from, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("から"), this), row, 2);
        grid->addWidget(to, row, 3);
        if (!unit.isEmpty())
            grid->addWidget(new QLabel(unit, this), row, 4);
    };
    mFrom = addField(QStringLiteral("txtRangeSpeed(0)"));
    mTo = addField(QStringLiteral("txtRangeSpeed(1)"));
    mFrom->setText(initial.fromSpeed);
    mTo->setText(initial.toSpeed);
    addRow(0, new QLabel(QStringLiteral("速度"), this), mFrom, mTo, QStringLiteral("km/h"));

    mIndex = new QComboBox(this);
    mIndex->setObjectName(QStringLiteral("cbxRangeIndex"));
    mIndex->addItem(QStringLiteral("変更しない"));
    mIndex->addItem(QStringLiteral("無音"));
    for (int i = 0; i <= LargestSoundIndex; ++i)
        mIndex->addItem(QString::number(i));
    // Entry 0 leaves the index alone, entry n + 2 writes index n.
    mIndex->setCurrentIndex(initial.index ? *initial.index + 2 : 0);
    grid->addWidget(new QLabel(QStringLiteral("音"), this), 1, 0);
    grid->addWidget(mIndex, 1, 1, 1, 3);

    const std::array<std::pair<const char*, const char*>, 2> names = {
        {{"ピッチ", "Pitch"}, {"音量", "Volume"}}};
    const std::array<const std::optional<std::pair<QString, QString>>*, 2> typed = {
        &initial.pitch, &initial.volume};
    for (std::size_t i = 0; i < 2; ++i) {
        mUse[i] = new QCheckBox(QString::fromUtf8(names[i].first), this);
        mUse[i]->setObjectName(QStringLiteral("chkRange%1").arg(QLatin1String(names[i].second)));
        for (std::size_t end = 0; end < 2; ++end)
            mValues[i][end] = addField(
                QStringLiteral("txtRange%1(%2)").arg(QLatin1String(names[i].second)).arg(end));
        if (*typed[i]) {
            mValues[i][0]->setText((*typed[i])->first);
            mValues[i][1]->setText((*typed[i])->second);
        }
        mUse[i]->setChecked(bool(*typed[i]));
        for (QLineEdit* field : mValues[i]) {
            field->setEnabled(mUse[i]->isChecked());
            connect(mUse[i], &QCheckBox::toggled, field, &QWidget::setEnabled);
        }
        addRow(int(i) + 2, mUse[i], mValues[i][0], mValues[i][1], QString());
    }

    mError = new QLabel(this);
    mError->setObjectName(QStringLiteral("lblRangeError"));
    // One line: the dialog widens to the message rather than break "km/h"
    // or a number across lines.
    mError->setWordWrap(false);
    QPalette warning = mError->palette();
    warning.setColor(QPalette::WindowText, QColor(192, 0, 0));
    mError->setPalette(warning);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &MotorSoundRangeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(mError);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit* MotorSoundRangeDialog::addField(const QString& name) {
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setAlignment(Qt::AlignRight);
    field->setFixedWidth(64);
    return field;
}

MotorSoundRangeInput MotorSoundRangeDialog::input() const {
    MotorSoundRangeInput input;
    input.fromSpeed = mFrom->text();
    input.toSpeed = mTo->text();
    if (mIndex->currentIndex() > 0)
        input.index = mIndex->currentIndex() - 2;
    if (mUse[0]->isChecked())
        input.pitch = std::pair{mValues[0][0]->text(), mValues[0][1]->text()};
    if (mUse[1]->isChecked())
        input.volume = std::pair{mValues[1][0]->text(), mValues[1][1]->text()};
    return input;
}

void MotorSoundRangeDialog::accept() {
    const MotorSoundRangeParse parsed = parseMotorSoundRange(input());
    if (!parsed.range) {
        mError->setText(parsed.error);
        return;
    }
    mRange = *parsed.range;
    QDialog::accept();
}

} // namespace Orlenda
