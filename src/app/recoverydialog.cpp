#include "app/recoverydialog.h"

#include "document/recoveryoffer.h"
#include "shared/apptitle.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace Orlenda {

RecoveryDialog::RecoveryDialog(RecoveryOffer& offer, QWidget* parent)
    : QDialog(parent), mOffer(offer) {
    setObjectName(QStringLiteral("frmRecovery"));
    setWindowTitle(QStringLiteral("編集内容の復元 - ") + applicationTitle());
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("保存されていない変更が残っています。"
                                            "復元するものを選んでください。"),
                             this);
    intro->setObjectName(QStringLiteral("lblIntro"));
    layout->addWidget(intro);

    mTable = new QTableView(this);
    mTable->setObjectName(QStringLiteral("lstRecovery"));
    mTable->setModel(&offer);
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setSelectionMode(QAbstractItemView::SingleSelection);
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->setWordWrap(false);
    mTable->setTextElideMode(Qt::ElideMiddle);
    mTable->verticalHeader()->hide();
    mTable->horizontalHeader()->setSectionResizeMode(RecoveryOffer::FileColumn,
                                                     QHeaderView::Stretch);
    // Sized from the first rows only: a long list must not delay the window.
    mTable->horizontalHeader()->setResizeContentsPrecision(20);
    for (int column : {int(RecoveryOffer::TimeColumn), int(RecoveryOffer::StateColumn)})
        mTable->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    layout->addWidget(mTable, 1);

    mState = new QLabel(this);
    mState->setObjectName(QStringLiteral("lblState"));
    mState->setWordWrap(true);
    layout->addWidget(mState);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    mRestore = button("cmdRestore", QStringLiteral("復元"));
    mOpenNew = button("cmdOpenNew", QStringLiteral("新規として開く"));
    mDelete = button("cmdDelete", QStringLiteral("削除"));
    buttons->addStretch(1);
    QPushButton* later = button("cmdLater", QStringLiteral("後で"));
    mRestore->setDefault(true);
    layout->addLayout(buttons);

    connect(mRestore, &QPushButton::clicked, this, [this] {
        mOffer.restore(currentRow());
        finishIfDone();
    });
    connect(mOpenNew, &QPushButton::clicked, this, [this] {
        mOffer.openAsNew(currentRow());
        finishIfDone();
    });
    connect(mDelete, &QPushButton::clicked, this, [this] {
        mOffer.remove(currentRow());
        finishIfDone();
    });
    connect(later, &QPushButton::clicked, this, [this] {
        mOffer.later();
        reject();
    });
    connect(mTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &RecoveryDialog::refresh);
    connect(&offer, &QAbstractItemModel::dataChanged, this, &RecoveryDialog::refresh);
    connect(&offer, &QAbstractItemModel::rowsRemoved, this, &RecoveryDialog::refresh);

    if (offer.count() > 0)
        mTable->setCurrentIndex(offer.index(0, 0));
    refresh();
    resize(760, 340);
}

int RecoveryDialog::currentRow() const {
    const QModelIndex current = mTable->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void RecoveryDialog::refresh() {
    const int row = currentRow();
    mRestore->setEnabled(mOffer.canRestore(row));
    mOpenNew->setEnabled(mOffer.canOpenAsNew(row));
    mDelete->setEnabled(row >= 0 && !mOffer.isDone());
    mState->setText(row >= 0 ? mOffer.stateDescription(row) : QString());
}

void RecoveryDialog::finishIfDone() {
    if (mOffer.isDone())
        accept();
    else
        refresh();
}

void DialogRecoveryChooser::choose(RecoveryOffer& offer) {
    RecoveryDialog dialog(offer, mParent);
    dialog.exec();
    if (!offer.isDone())
        offer.later();
}

} // namespace Orlenda
