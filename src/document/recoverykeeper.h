#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

class QLockFile;

namespace Orlenda {

class DocumentHistory;
class Prompter;
class TrainData;

// Keeps a recovery copy of the document while it is modified, in the user's
// state folder ($XDG_STATE_HOME/orlenda), so that a crash or a signal loses
// at most the last seconds of work. The copy is written a moment after the
// last change, and at least every so often during long typing; the file work
// runs on a thread of its own, so that a slow disk never makes typing wait.
// The copy goes when the document is no longer modified (saved, undone back
// to the saved state, set aside for another) and when this object ends,
// unless keepCopy was called. Each copy has a lock, so that two editors never
// take each other's.
class RecoveryKeeper : public QObject {
    Q_OBJECT

public:
    explicit RecoveryKeeper(TrainData& data, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    static QString folder();

    // Quiet time after the last change, and the longest wait after the first.
    void setDelays(int quietMs, int longestMs);

    // This editor's copy; empty until it first writes one.
    QString copyPath() const { return mCopyPath; }

    // Writes the copy at once if the document is modified, and waits until
    // every file operation is done.
    void writeNow();
    // The copy stays on disk when this object ends: the program ends without
    // the user's choice (a signal, a declined failure question).
    void keepCopy() { mKeep = true; }
    bool keepsCopy() const { return mKeep; }

    // Asks about each copy that no running editor holds, newest first.
    // Yes makes it the document (with its path, modified) and this editor's
    // copy; No deletes it and goes on. True when a copy became the document.
    // Asking stops, deleting nothing more, once keepCopy was called.
    // ProgramEndRequested propagates from a damaged copy's questions.
    bool offerCopies(DocumentHistory& history, Prompter& prompter);

private:
    class Writer;

    void changed();
    void schedule();
    void write();
    void drop();
    bool claimOwnCopy();

    TrainData& mData;
    std::unique_ptr<Writer> mWriter;
    std::unique_ptr<QLockFile> mLock;
    QString mCopyPath;
    QTimer mTimer;
    QElapsedTimer mFirstChange;
    int mQuietMs = 2000;
    int mLongestMs = 10000;
    bool mKeep = false;
};

} // namespace Orlenda
