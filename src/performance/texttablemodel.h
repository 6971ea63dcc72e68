#pragma once

#include "performance/texttable.h"

#include <QAbstractTableModel>

namespace Orlenda {

// A TextTable for a QTableView: marked cells in red with their reason as tooltip.
class TextTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(TextTable table);
    const TextTable& table() const { return mTable; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TextTable mTable;
};

} // namespace Orlenda
