#pragma once

#include "document/recoverychooser.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;

namespace Orlenda {

// The recovery window: every copy left by earlier runs in one table (the
// file, the copy's time, the file's state), newest first, with 復元 (the
// default), 新規として開く, 削除 and 後で. Each button runs through the offer,
// which decides what it does; the window only follows it.
class RecoveryDialog : public QDialog {
    Q_OBJECT

public:
    explicit RecoveryDialog(RecoveryOffer& offer, QWidget* parent = nullptr);

    QTableView* table() const { return mTable; }

private:
    int currentRow() const;
    void refresh();
    void finishIfDone();

    RecoveryOffer& mOffer;
    QTableView* mTable;
    QLabel* mState;
    QPushButton* mRestore;
    QPushButton* mOpenNew;
    QPushButton* mDelete;
};

// Shows the recovery window modally over parent.
class DialogRecoveryChooser : public RecoveryChooser {
public:
    explicit DialogRecoveryChooser(QWidget* parent = nullptr) : mParent(parent) {}
    void choose(RecoveryOffer& offer) override;

private:
    QWidget* mParent;
};

} // namespace Orlenda
