#include "performance/texttablemodel.h"

#include <QColor>

namespace Orlenda {

void TextTableModel::setTable(TextTable table) {
    // Same shape: only the values change, so views keep their scroll position and widths.
    const bool sameShape = table.columnHeaders == mTable.columnHeaders &&
                           table.rowHeaders == mTable.rowHeaders &&
                           table.rows.size() == mTable.rows.size();
    if (sameShape) {
        mTable = std::move(table);
        if (rowCount() > 0 && columnCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    mTable = std::move(table);
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(mTable.rows.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(mTable.columnHeaders.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= mTable.rows.size() ||
        index.column() >= mTable.rows.at(index.row()).size())
        return {};
    const TextTable::Cell& cell = mTable.rows.at(index.row()).at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return cell.text;
    case Qt::ToolTipRole:
        return cell.tip.isEmpty() ? QVariant() : QVariant(cell.tip);
    case Qt::ForegroundRole:
        return cell.marked ? QVariant(QColor(192, 0, 0)) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return mTable.columnHeaders.value(section);
    if (mTable.rowHeaders.isEmpty())
        return {};
    return mTable.rowHeaders.value(section);
}

} // namespace Orlenda
