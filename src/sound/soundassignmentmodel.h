#pragma once

#include "sound/soundinfo.h"

#include <QAbstractTableModel>
#include <QList>
#include <functional>

namespace Orlenda {

// The assignment table: one row per sound number, with its file, length,
// rate, channels and state, as the bank knows them. info is asked for each
// row when it is refreshed; refreshNumber after the bank reports a change.
class SoundAssignmentModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Number, File, Length, Rate, Channels, State, ColumnCount };
    using InfoSource = std::function<SoundInfo(int number)>;

    explicit SoundAssignmentModel(InfoSource info, QObject* parent = nullptr);

    // The numbers the table lists, in order.
    void setNumbers(const QList<int>& numbers);
    const QList<int>& numbers() const { return mNumbers; }
    void refreshNumber(int number);
    void refreshAll();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // A row's text in a column, as shown.
    static QString cellText(const SoundInfo& info, int column);

private:
    InfoSource mInfo;
    QList<int> mNumbers;
    QList<SoundInfo> mRows;
};

} // namespace Orlenda
