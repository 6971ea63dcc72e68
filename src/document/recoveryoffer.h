#pragma once

#include "document/recoverycopy.h"
#include "shared/platform.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <functional>
#include <memory>
#include <vector>

namespace Orlenda {

class Prompter;
class TrainData;

// What a copy's file is, as the recovery window says it.
enum class RecoveryCopyState {
    Unchanged,    // the file is as the copy found it
    Changed,      // the file has changed since the copy (or may have: no fingerprint)
    Missing,      // the file is gone
    NewDocument,  // the copy has no file
    PlaceUnknown, // an old copy with a relative path: no telling which file it meant
    Damaged,      // the copy does not read back as written
    TooLarge,     // more than any copy this program writes
};

// The copies left by earlier runs that no running editor holds, newest first,
// and what may be done with each: the decisions of the recovery window,
// without the window. Only headers are read until a copy is restored. Each
// listed copy stays locked while the offer lives, so that no second editor
// offers it too.
//
// A copy that checks out is restored under its path; a damaged one, or one
// whose path is relative, only as a new document (no path, modified); a too
// large one may only be deleted. One copy at most becomes the document, and
// the offer is then done; the others stay on disk for the next start.
class RecoveryOffer : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { FileColumn, TimeColumn, StateColumn, ColumnCount };

    RecoveryOffer(TrainData& data, Prompter& prompter, QObject* parent = nullptr);
    ~RecoveryOffer() override;

    // Lists the copies in folder, except the one at skip (this editor's own).
    // Also removes lock files whose copy has gone.
    void scan(const QString& folder, const QString& skip = {});

    // Called with the copy that became the document and its lock, which the
    // caller keeps from then on.
    using Adopter = std::function<void(const QString& copyPath, std::unique_ptr<FileLock> lock)>;
    void setAdopter(Adopter adopter) { mAdopter = std::move(adopter); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    int count() const { return int(mEntries.size()); }
    QString copyPath(int row) const;
    QString documentPath(int row) const;
    QDateTime time(int row) const;
    RecoveryCopyState state(int row) const;
    // The state in a sentence, shown for the selected copy.
    QString stateDescription(int row) const;

    bool canRestore(int row) const;
    bool canOpenAsNew(int row) const;

    // 復元: the copy becomes the document, with its path. Its body is checked
    // first; a copy that fails is marked damaged (and said so) instead.
    // Declining one of the reading's questions leaves a new document and the
    // copy on disk. True when the copy became the document.
    bool restore(int row);
    // 新規として開く: whatever the copy's body holds, as a document without a
    // path. True when it became the document.
    bool openAsNew(int row);
    // 削除, after asking: the copy and its lock file go. True when deleted.
    bool remove(int row);
    // 後で: everything stays for the next start.
    void later() { mDone = true; }

    // Nothing more to choose: a copy became the document, 後で, or none is left.
    bool isDone() const { return mDone || mEntries.empty(); }
    bool adopted() const { return mAdopted; }

    static QString shortStateText(RecoveryCopyState state);

private:
    struct Entry {
        QString copyPath;
        std::optional<RecoveryCopyHeader> header;
        QDateTime time;
        RecoveryCopyState state = RecoveryCopyState::Damaged;
        std::unique_ptr<FileLock> lock;
    };

    void adopt(int row);
    void markDamaged(int row);
    // Marks the row damaged and says so; false.
    bool refuseDamaged(int row);
    // Makes what read gives the document (marked modified) and the row's copy
    // this editor's; a read that stops leaves an empty, unmodified document.
    bool take(int row, const std::function<bool(TrainData&)>& read);
    bool valid(int row) const { return row >= 0 && row < count(); }

    TrainData& mData;
    Prompter& mPrompter;
    Adopter mAdopter;
    std::vector<Entry> mEntries;
    bool mDone = false;
    bool mAdopted = false;
};

// The notice given when a copy fails its check at 復元.
QString damagedCopyNoticeText();
// The question asked before a copy is deleted.
QString deleteCopyQuestionText(const QString& name, const QDateTime& time);

} // namespace Orlenda
