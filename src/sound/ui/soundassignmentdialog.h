#pragma once

#include <QDialog>
#include <QList>
#include <optional>

class QComboBox;
class QTableView;

namespace Orlenda {

class SoundAssignmentModel;
class SoundBank;

// 音源の割り当て: the table of the sound numbers the tracks use, and for the
// selected number a choice of file: the folder's rule, none, or any audio
// file in the folder.
class SoundAssignmentDialog : public QDialog {
    Q_OBJECT

public:
    SoundAssignmentDialog(SoundBank& bank, const QList<int>& numbers, QWidget* parent = nullptr);

    SoundAssignmentModel* model() const { return mModel; }
    QTableView* table() const { return mTable; }

signals:
    // A file name for number (empty: none), or none: back to the rule.
    void assigned(int number, const std::optional<QString>& name);

private:
    void showChoiceOfSelected();
    void choose(int entry);
    int selectedNumber() const;

    SoundBank& mBank;
    SoundAssignmentModel* mModel;
    QTableView* mTable;
    QComboBox* mFile;
};

} // namespace Orlenda
