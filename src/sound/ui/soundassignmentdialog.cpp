#include "sound/ui/soundassignmentdialog.h"

#include "sound/soundassignmentmodel.h"
#include "sound/soundbank.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace Orlenda {

namespace {

enum Entry { RuleEntry, NoneEntry, FirstFileEntry };

} // namespace

SoundAssignmentDialog::SoundAssignmentDialog(SoundBank& bank, const QList<int>& numbers,
                                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      mBank(bank),
      mModel(new SoundAssignmentModel([&bank](int number) { return bank.info(number); }, this)),
      mTable(new QTableView(this)), mFile(new QComboBox(this)) {
    setObjectName(QStringLiteral("frmSoundAssign"));
    setWindowTitle(QStringLiteral("音源の割り当て"));
    mModel->setNumbers(numbers);
    // The bank tells from its worker thread; the table follows on this one.
    connect(&bank, &SoundBank::soundChanged, mModel, &SoundAssignmentModel::refreshNumber,
            Qt::QueuedConnection);

    mTable->setObjectName(QStringLiteral("lstSounds"));
    mTable->setModel(mModel);
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setSelectionMode(QAbstractItemView::SingleSelection);
    mTable->verticalHeader()->hide();
    mTable->horizontalHeader()->setStretchLastSection(true);
    mTable->setColumnWidth(SoundAssignmentModel::File, 180);
    connect(mTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &SoundAssignmentDialog::showChoiceOfSelected);

    mFile->setObjectName(QStringLiteral("cbxSoundFile"));
    mFile->addItem(QStringLiteral("（既定の規則）"));
    mFile->addItem(QStringLiteral("（なし）"));
    mFile->addItems(bank.folder().files());
    mFile->setEnabled(false);
    connect(mFile, &QComboBox::activated, this, &SoundAssignmentDialog::choose);

    auto* choiceRow = new QHBoxLayout;
    choiceRow->addWidget(new QLabel(QStringLiteral("選んだ番号のファイル:"), this));
    choiceRow->addWidget(mFile, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    auto* folder = new QLabel(QStringLiteral("音源フォルダ: ") + bank.folder().path(), this);
    folder->setTextFormat(Qt::PlainText);
    column->addWidget(folder);
    column->addWidget(mTable, 1);
    column->addLayout(choiceRow);
    column->addWidget(buttons);
    resize(640, 420);
    if (!numbers.isEmpty())
        mTable->selectRow(0);
}

int SoundAssignmentDialog::selectedNumber() const {
    const QModelIndex current = mTable->currentIndex();
    return current.isValid() ? mModel->numbers().value(current.row(), -1) : -1;
}

void SoundAssignmentDialog::showChoiceOfSelected() {
    const int number = selectedNumber();
    mFile->setEnabled(number >= 0);
    if (number < 0)
        return;
    const SoundAssignment assignment = mBank.assignment();
    if (!assignment.isOverridden(number)) {
        mFile->setCurrentIndex(RuleEntry);
        return;
    }
    const QString name = assignment.overrides().value(number);
    const int entry = name.isEmpty() ? NoneEntry : mFile->findText(name);
    mFile->setCurrentIndex(entry < 0 ? NoneEntry : entry);
}

void SoundAssignmentDialog::choose(int entry) {
    const int number = selectedNumber();
    if (number < 0)
        return;
    if (entry == RuleEntry)
        emit assigned(number, std::nullopt);
    else
        emit assigned(number, entry == NoneEntry ? QString() : mFile->itemText(entry));
    mModel->refreshNumber(number);
}

} // namespace Orlenda
