#include "sound/soundassignmentmodel.h"

namespace Orlenda {

SoundAssignmentModel::SoundAssignmentModel(InfoSource info, QObject* parent)
    : QAbstractTableModel(parent), mInfo(std::move(info)) {}

void SoundAssignmentModel::setNumbers(const QList<int>& numbers) {
    beginResetModel();
    mNumbers = numbers;
    mRows.clear();
    for (int number : mNumbers)
        mRows.append(mInfo(number));
    endResetModel();
}

void SoundAssignmentModel::refreshNumber(int number) {
    const qsizetype row = mNumbers.indexOf(number);
    if (row < 0)
        return;
    mRows[row] = mInfo(number);
    emit dataChanged(index(int(row), 0), index(int(row), ColumnCount - 1));
}

void SoundAssignmentModel::refreshAll() {
    for (qsizetype row = 0; row < mNumbers.size(); ++row)
        mRows[row] = mInfo(mNumbers[row]);
    if (!mRows.isEmpty())
        emit dataChanged(index(0, 0), index(int(mRows.size()) - 1, ColumnCount - 1));
}

int SoundAssignmentModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(mRows.size());
}

int SoundAssignmentModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString SoundAssignmentModel::cellText(const SoundInfo& info, int column) {
    const bool known = info.state == SoundState::Usable || info.state == SoundState::TooLong;
    switch (column) {
    case Number:
        return QString::number(info.number);
    case File:
        return info.file.isEmpty() ? QStringLiteral("（なし）") : info.file;
    case Length:
        return known ? QStringLiteral("%1 秒").arg(info.seconds, 0, 'f', 2) : QString();
    case Rate:
        return known ? QStringLiteral("%1 Hz").arg(info.sampleRate) : QString();
    case Channels:
        return known ? QString::number(info.channels) : QString();
    case State:
        if (info.state == SoundState::Pending)
            return QStringLiteral("読み込み中");
        if (info.state == SoundState::Unreadable && !info.reason.isEmpty())
            return soundStateText(info.state) + QStringLiteral("：") + info.reason;
        return soundStateText(info.state);
    default:
        return {};
    }
}

QVariant SoundAssignmentModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= mRows.size())
        return {};
    const SoundInfo& info = mRows[index.row()];
    if (role == Qt::DisplayRole)
        return cellText(info, index.column());
    if (role == Qt::ToolTipRole && index.column() == State)
        return info.reason;
    if (role == Qt::TextAlignmentRole && index.column() != File && index.column() != State)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant SoundAssignmentModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const names[] = {"番号", "ファイル", "長さ", "レート", "チャンネル", "状態"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(names[section]) : QVariant();
}

} // namespace Orlenda
