#pragma once

#include "sound/soundassignment.h"

#include <QList>
#include <QString>
#include <map>
#include <optional>

class QSettings;

namespace Orlenda {

// Where a train's sounds come from: the sound folder (empty for the train
// file's own folder) and the numbers given another file than the default
// rule's (a file name in the folder, or empty for none).
struct SoundChoice {
    QString folder;
    std::map<int, QString> assigned;
    bool operator==(const SoundChoice&) const = default;

    // The folder the sounds come from: the chosen one, else the train
    // file's own, else none (a new document).
    QString folderFor(const QString& trainPath) const;
    SoundAssignment assignment() const;
};

// The sound choices of the last train files used, newest first, kept in the
// settings under each file's absolute path; a new document's choice lives
// for the session only. The settings may hold anything, so what is read is
// bounded and checked: a bad entry or value is left out.
class SoundChoices {
public:
    static constexpr int Capacity = 50;
    // Far more numbers than four tracks of 800 rows could use.
    static constexpr int MaxAssigned = 3200;
    static constexpr int MaxPathLength = 4096;
    static constexpr int MaxNameLength = 255;

    void load(QSettings& settings);
    void store(QSettings& settings) const;

    // The choice for a train file; an empty path is the new document.
    std::optional<SoundChoice> find(const QString& trainPath) const;
    // Keeps a choice, first in the list; the oldest falls off beyond the capacity.
    void remember(const QString& trainPath, const SoundChoice& choice);

    int size() const { return int(mEntries.size()); }

private:
    struct Entry {
        QString trainPath;
        SoundChoice choice;
    };
    QList<Entry> mEntries;
    std::optional<SoundChoice> mSession;
};

} // namespace Orlenda
