#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

namespace Orlenda {

class FileLock;
class Prompter;
class RecoveryChooser;
class TrainData;

// Keeps a recovery copy of the document while it is modified, in the user's
// state folder ($XDG_STATE_HOME/orlenda), so that a crash or a signal loses
// at most the last seconds of work. The copy is written a moment after the
// last change, and at least every so often during long typing; the file work
// runs on a thread of its own, so that a slow disk never makes typing wait.
// The copy goes when the document is no longer modified (saved, undone back
// to the saved state, set aside for another) and when this object ends,
// unless keepCopy was called. Each copy has a lock that this editor holds
// while it runs, so that two editors never take each other's.
//
// The folder must be the user's own (not a link, mode 0700); otherwise, and
// whenever a copy cannot be written, recovery is off until a later change
// succeeds, and recoveryOff says so once.
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
    // every file operation is done. False when the document is modified and
    // its copy could not be written.
    bool writeNow();
    // The copy stays on disk when this object ends: the program ends without
    // the user's choice (a signal, a declined failure question).
    void keepCopy() { mKeep = true; }
    bool keepsCopy() const { return mKeep; }

    // Offers the copies that no running editor holds in one window of
    // chooser. A copy that becomes the document becomes this editor's copy.
    // True when one did. Nothing is offered (and false returned) when the
    // folder may not be used.
    bool offerCopies(Prompter& prompter, RecoveryChooser& chooser);

    // The notice for copies that cannot be written.
    static QString writeFailureText(const QString& reason);

signals:
    // Recovery has stopped working: the notice for the user, once until a
    // copy is written again.
    void recoveryOff(const QString& text);

private:
    class Writer;

    void changed();
    void schedule();
    bool write();
    void drop();
    bool claimOwnCopy();
    void written(bool ok, const QString& reason);
    void adopt(const QString& copyPath, std::unique_ptr<FileLock> lock);

    TrainData& mData;
    std::unique_ptr<Writer> mWriter;
    std::unique_ptr<FileLock> mLock;
    QString mCopyPath;
    QTimer mTimer;
    QElapsedTimer mFirstChange;
    int mQuietMs = 2000;
    int mLongestMs = 10000;
    bool mKeep = false;
    bool mFailureTold = false;
    std::optional<QString> mFolderProblem;
};

} // namespace Orlenda
