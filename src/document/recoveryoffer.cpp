#include "document/recoveryoffer.h"

#include "document/traindata.h"
#include "shared/apptitle.h"
#include "shared/prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace Orlenda {

namespace {


QString timeText(const QDateTime& time) {
    return time.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

RecoveryCopyState stateOfFile(const RecoveryCopyHeader& header) {
    if (!header.mayRestoreUnderPath())
        return RecoveryCopyState::PlaceUnknown;
    if (header.documentPath.isEmpty())
        return RecoveryCopyState::NewDocument;
    switch (diskStateOf(header.documentPath, header.fileFingerprint)) {
    case DiskState::Unchanged:
        return RecoveryCopyState::Unchanged;
    case DiskState::Missing:
        return RecoveryCopyState::Missing;
    default:
        return RecoveryCopyState::Changed;
    }
}

} // namespace

QString damagedCopyNoticeText() {
    return QStringLiteral("この回復データは壊れているため、元のファイルには復元できません。"
                          "「新規として開く」で内容を確かめるか、削除してください。");
}

QString deleteCopyQuestionText(const QString& name, const QDateTime& time) {
    return QStringLiteral("この回復データを削除しますか？削除した変更は元に戻せません。\n\n%1\n%2 "
                          "の時点の内容")
        .arg(name, timeText(time));
}

RecoveryOffer::RecoveryOffer(TrainData& data, Prompter& prompter,
                             QObject* parent)
    : QAbstractTableModel(parent), mData(data), mPrompter(prompter) {}

RecoveryOffer::~RecoveryOffer() = default;

void RecoveryOffer::scan(const QString& folder, const QString& skip) {
    beginResetModel();
    mEntries.clear();
    const QDir dir(folder);
    const QDir::Filters kinds = QDir::Files | QDir::System | QDir::Hidden;
    QHash<QString, RecoveryCopyState> fileStates;
    for (const QString& name : dir.entryList({QLatin1Char('*') + RecoveryCopySuffix}, kinds)) {
        Entry entry;
        entry.copyPath = dir.filePath(name);
        if (entry.copyPath == skip)
            continue;
        entry.lock = FileLock::tryLock(entry.copyPath + RecoveryLockSuffix);
        if (!entry.lock)
            continue; // a running editor's
        const auto start = PrivateFolder::readStart(entry.copyPath, MaxRecoveryHeaderSize);
        if (start)
            entry.header = parseRecoveryCopyHeader(start->bytes);
        if (!start || !entry.header)
            entry.state = RecoveryCopyState::Damaged;
        else if (start->size > MaxRecoveryCopySize)
            entry.state = RecoveryCopyState::TooLarge;
        else if (entry.header->hasChecksum() &&
                 start->size != entry.header->bodyOffset + entry.header->bodyLength)
            entry.state = RecoveryCopyState::Damaged;
        else {
            // Many copies of one file are common after crashes: each file is looked at once.
            const QString key = entry.header->documentPath + QChar(0) +
                                QString::number(entry.header->fileFingerprint.size) + QChar(0) +
                                QString::number(entry.header->fileFingerprint.modifiedMs) +
                                QChar(0) +
                                QString::fromLatin1(entry.header->fileFingerprint.sha256.toHex());
            auto known = fileStates.constFind(key);
            if (known == fileStates.cend())
                known = fileStates.insert(key, stateOfFile(*entry.header));
            entry.state = *known;
        }
        entry.time = entry.header ? entry.header->time
                                  : QFileInfo(entry.copyPath).fileTime(QFile::FileModificationTime);
        mEntries.push_back(std::move(entry));
    }
    std::stable_sort(mEntries.begin(), mEntries.end(),
                     [](const Entry& a, const Entry& b) { return a.time > b.time; });

    // A lock file outlives its copy when an editor ended without its closing steps.
    for (const QString& name : dir.entryList({QLatin1Char('*') + RecoveryCopySuffix + RecoveryLockSuffix}, kinds)) {
        const QString lockPath = dir.filePath(name);
        const QString copy = lockPath.chopped(RecoveryLockSuffix.size());
        if (QFileInfo(copy).isSymLink() || QFileInfo::exists(copy))
            continue;
        if (auto lock = FileLock::tryLock(lockPath))
            lock->removeAndRelease();
    }
    endResetModel();
}

int RecoveryOffer::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int RecoveryOffer::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RecoveryOffer::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !valid(index.row()))
        return {};
    const int row = index.row();
    if (role == Qt::ToolTipRole)
        return stateDescription(row);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case FileColumn:
        return documentPath(row).isEmpty() ? QStringLiteral("新規ドキュメント") : documentPath(row);
    case TimeColumn:
        return time(row).isValid() ? timeText(time(row)) : QString();
    case StateColumn:
        return shortStateText(state(row));
    default:
        return {};
    }
}

QVariant RecoveryOffer::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case FileColumn:
        return QStringLiteral("ファイル");
    case TimeColumn:
        return QStringLiteral("回復データの時刻");
    case StateColumn:
        return QStringLiteral("ファイルの状態");
    default:
        return {};
    }
}

QString RecoveryOffer::copyPath(int row) const {
    return valid(row) ? mEntries[row].copyPath : QString();
}

QString RecoveryOffer::documentPath(int row) const {
    return valid(row) && mEntries[row].header ? mEntries[row].header->documentPath : QString();
}

QDateTime RecoveryOffer::time(int row) const {
    return valid(row) ? mEntries[row].time : QDateTime();
}

RecoveryCopyState RecoveryOffer::state(int row) const {
    return valid(row) ? mEntries[row].state : RecoveryCopyState::Damaged;
}

QString RecoveryOffer::shortStateText(RecoveryCopyState state) {
    switch (state) {
    case RecoveryCopyState::Unchanged:
        return QStringLiteral("変更なし");
    case RecoveryCopyState::Changed:
        return QStringLiteral("回復データより後に変更");
    case RecoveryCopyState::Missing:
        return QStringLiteral("ファイルなし");
    case RecoveryCopyState::NewDocument:
        return QString();
    case RecoveryCopyState::PlaceUnknown:
        return QStringLiteral("場所が不明");
    case RecoveryCopyState::Damaged:
        return QStringLiteral("破損");
    case RecoveryCopyState::TooLarge:
        return QStringLiteral("大きすぎます");
    }
    return {};
}

QString RecoveryOffer::stateDescription(int row) const {
    switch (state(row)) {
    case RecoveryCopyState::Unchanged:
        return QStringLiteral("ファイルは回復データを書いた時点から変更されていません。");
    case RecoveryCopyState::Changed:
        return QStringLiteral("ファイルは回復データより後に変更されています。"
                              "復元したあと最初に保存するときに、上書きするかどうか確認します。");
    case RecoveryCopyState::Missing:
        return QStringLiteral(
            "ファイルが見つかりません。復元して保存すると、ファイルを作り直します。");
    case RecoveryCopyState::NewDocument:
        return QStringLiteral("保存されていない新規ドキュメントです。");
    case RecoveryCopyState::PlaceUnknown:
        return QStringLiteral("古い形式の回復データで、ファイルの場所がわかりません。"
                              "新規ドキュメントとしてだけ開けます。");
    case RecoveryCopyState::Damaged:
        return QStringLiteral("回復データが壊れています。元のファイルには復元できません。"
                              "新規ドキュメントとして開くか、削除してください。");
    case RecoveryCopyState::TooLarge:
        return QStringLiteral("回復データが大きすぎるため読み込めません。削除だけができます。");
    }
    return {};
}

bool RecoveryOffer::canRestore(int row) const {
    if (!valid(row) || mDone)
        return false;
    switch (state(row)) {
    case RecoveryCopyState::Unchanged:
    case RecoveryCopyState::Changed:
    case RecoveryCopyState::Missing:
    case RecoveryCopyState::NewDocument:
        return true;
    default:
        return false;
    }
}

bool RecoveryOffer::canOpenAsNew(int row) const {
    return valid(row) && !mDone && mEntries[row].header &&
           state(row) != RecoveryCopyState::TooLarge;
}

bool RecoveryOffer::restore(int row) {
    if (!canRestore(row))
        return false;
    // The whole copy is read and checked only now, when it is wanted.
    const auto whole = PrivateFolder::readStart(copyPath(row), MaxRecoveryCopySize + 1);
    std::optional<RecoveryCopy> copy;
    if (whole && whole->size <= MaxRecoveryCopySize)
        copy = parseRecoveryCopy(whole->bytes);
    if (!copy || copy->documentPath != documentPath(row))
        return refuseDamaged(row);
    return take(row, [&](TrainData& scratch) {
        return restoreRecoveryCopy(scratch, *copy, mPrompter);
    });
}

bool RecoveryOffer::refuseDamaged(int row) {
    markDamaged(row);
    mPrompter.tell(applicationTitle(), damagedCopyNoticeText());
    return false;
}

bool RecoveryOffer::take(int row, const std::function<bool(TrainData&)>& read) {
    TrainData scratch;
    if (!read(scratch)) {
        // Nothing half-read may stay, nor count as a change worth a copy.
        mData.adopt(TrainData());
        return false;
    }
    mData.adopt(scratch, true);
    adopt(row);
    return true;
}

bool RecoveryOffer::openAsNew(int row) {
    if (!canOpenAsNew(row))
        return false;
    const auto whole = PrivateFolder::readStart(copyPath(row), MaxRecoveryCopySize);
    if (!whole)
        return refuseDamaged(row);
    const QString text = recoveryCopyBodyText(whole->bytes);
    return take(row, [&](TrainData& scratch) { return restoreRecoveryText(scratch, text, mPrompter); });
}

bool RecoveryOffer::remove(int row) {
    if (!valid(row) || mDone)
        return false;
    const QString name =
        documentPath(row).isEmpty() ? QStringLiteral("新規ドキュメント") : documentPath(row);
    if (!mPrompter.askNoByDefault(applicationTitle(), deleteCopyQuestionText(name, time(row)),
                                  Prompter::Icon::Warning))
        return false;
    beginRemoveRows({}, row, row);
    Entry entry = std::move(mEntries[row]);
    mEntries.erase(mEntries.begin() + row);
    endRemoveRows();
    QFile::remove(entry.copyPath);
    entry.lock->removeAndRelease();
    return true;
}

void RecoveryOffer::adopt(int row) {
    Entry& entry = mEntries[row];
    mDone = true;
    mAdopted = true;
    if (mAdopter)
        mAdopter(entry.copyPath, std::move(entry.lock));
    emit dataChanged(index(0, 0), index(count() - 1, ColumnCount - 1));
}

void RecoveryOffer::markDamaged(int row) {
    mEntries[row].state = RecoveryCopyState::Damaged;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

} // namespace Orlenda
