#include "document/recoverykeeper.h"

#include "document/recoverychooser.h"
#include "document/recoverycopy.h"
#include "document/recoveryoffer.h"
#include "document/traindata.h"
#include "shared/atomicfile.h"
#include "shared/failure.h"
#include "shared/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace Orlenda {

namespace {


} // namespace

// Runs the file work in order; only the newest request matters, since each
// one replaces or deletes the same file. The outcome of each write goes to
// report, on this thread.
class RecoveryKeeper::Writer {
public:
    using Report = std::function<void(bool ok, const QString& reason)>;

    explicit Writer(Report report) : mReport(std::move(report)), mThread([this] { run(); }) {}

    ~Writer() {
        {
            std::lock_guard lock(mMutex);
            mStop = true;
        }
        mWake.notify_all();
        mThread.join();
    }

    // No bytes: delete the copy.
    void post(const QString& path, std::optional<QByteArray> bytes) {
        {
            std::lock_guard lock(mMutex);
            mJob = Job{path, std::move(bytes)};
        }
        mWake.notify_all();
    }

    // Waits until all work is done; whether the last write succeeded.
    bool wait() {
        std::unique_lock lock(mMutex);
        mIdle.wait(lock, [this] { return !mJob && !mBusy; });
        return mLastWriteOk;
    }

private:
    struct Job {
        QString path;
        std::optional<QByteArray> bytes;
    };

    void run() {
        std::unique_lock lock(mMutex);
        for (;;) {
            mWake.wait(lock, [this] { return mStop || mJob; });
            if (!mJob)
                return;
            const Job job = std::move(*mJob);
            mJob.reset();
            mBusy = true;
            lock.unlock();
            bool ok = true;
            QString reason;
            if (job.bytes) {
                // A link planted at the copy's name is replaced, never written through.
                try {
                    writeFileAtomically(job.path, *job.bytes, AtomicWriteOptions{false, 0600});
                } catch (const StepFailure& failure) {
                    ok = false;
                    reason = failure.description();
                }
                mReport(ok, reason);
            } else
                QFile::remove(job.path);
            lock.lock();
            if (job.bytes)
                mLastWriteOk = ok;
            mBusy = false;
            mIdle.notify_all();
        }
    }

    Report mReport;
    std::mutex mMutex;
    std::condition_variable mWake;
    std::condition_variable mIdle;
    std::optional<Job> mJob;
    bool mBusy = false;
    bool mStop = false;
    bool mLastWriteOk = true;
    std::thread mThread; // last: it starts once everything above exists
};

RecoveryKeeper::RecoveryKeeper(TrainData& data, QObject* parent) : QObject(parent), mData(data) {
    // The outcome comes back to this object's thread, queued behind the
    // events of the moment.
    mWriter = std::make_unique<Writer>([this](bool ok, const QString& reason) {
        QMetaObject::invokeMethod(
            this, [this, ok, reason] { written(ok, reason); }, Qt::QueuedConnection);
    });
    mTimer.setSingleShot(true);
    connect(&mTimer, &QTimer::timeout, this, &RecoveryKeeper::write);
    connect(&data, &TrainData::valueChanged, this, &RecoveryKeeper::changed);
    connect(&data, &TrainData::documentPathChanged, this, &RecoveryKeeper::changed);
    connect(&data, &TrainData::modifiedChanged, this, [this](bool modified) {
        if (modified)
            schedule();
        else
            drop();
    });
}

RecoveryKeeper::~RecoveryKeeper() {
    mTimer.stop();
    if (!mKeep)
        drop();
    mWriter.reset(); // finishes the file work before the lock goes
    if (mLock && !mKeep)
        mLock->removeAndRelease();
}

QString RecoveryKeeper::folder() {
    // Qt has no place for state: follow the XDG rule, which ignores a relative path.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/orlenda");
}

QString RecoveryKeeper::writeFailureText(const QString& reason) {
    return QStringLiteral("回復データを書き込めません。\n%1\n\n"
                          "編集は続けられますが、このままエディタが異常終了すると、"
                          "保存していない変更は失われます。")
        .arg(reason);
}

void RecoveryKeeper::setDelays(int quietMs, int longestMs) {
    mQuietMs = quietMs;
    mLongestMs = longestMs;
}

void RecoveryKeeper::changed() {
    if (mData.isModified())
        schedule();
}

void RecoveryKeeper::schedule() {
    if (!mTimer.isActive())
        mFirstChange.start();
    const qint64 left = std::max<qint64>(0, mLongestMs - mFirstChange.elapsed());
    mTimer.start(int(std::min<qint64>(mQuietMs, left)));
}

bool RecoveryKeeper::claimOwnCopy() {
    if (mLock)
        return true;
    const QString dir = folder();
    mFolderProblem = PrivateFolder::secure(dir);
    if (mFolderProblem)
        return false;
    const QString stem = QStringLiteral("%1/%2-%3")
                             .arg(dir)
                             .arg(QCoreApplication::applicationPid())
                             .arg(QDateTime::currentMSecsSinceEpoch());
    for (int attempt = 0; attempt < 100 && !mLock; ++attempt) {
        mCopyPath = stem + (attempt ? QStringLiteral("-%1").arg(attempt) : QString()) + RecoveryCopySuffix;
        mLock = FileLock::tryLock(mCopyPath + RecoveryLockSuffix);
        // A name that holds anything already is another run's.
        if (mLock && (QFileInfo::exists(mCopyPath) || QFileInfo(mCopyPath).isSymLink()))
            mLock.reset();
    }
    if (!mLock) {
        mCopyPath.clear();
        mFolderProblem = QStringLiteral("回復データのロックファイルを %1 に作れません。").arg(dir);
    }
    return bool(mLock);
}

bool RecoveryKeeper::write() {
    mTimer.stop();
    if (!mData.isModified())
        return true;
    if (!claimOwnCopy()) {
        written(false, mFolderProblem.value_or(QString()));
        return false;
    }
    mWriter->post(mCopyPath, recoveryCopyBytes(mData, QDateTime::currentDateTimeUtc()));
    return true;
}

bool RecoveryKeeper::writeNow() {
    if (!write())
        return false;
    const bool ok = mWriter->wait();
    return ok || !mData.isModified();
}

void RecoveryKeeper::written(bool ok, const QString& reason) {
    if (ok) {
        mFailureTold = false;
        return;
    }
    if (mFailureTold)
        return;
    mFailureTold = true;
    emit recoveryOff(writeFailureText(reason));
}

void RecoveryKeeper::drop() {
    mTimer.stop();
    if (!mCopyPath.isEmpty())
        mWriter->post(mCopyPath, std::nullopt);
}

void RecoveryKeeper::adopt(const QString& copyPath, std::unique_ptr<FileLock> lock) {
    // The restored copy becomes this editor's, so that it stays on disk throughout.
    drop();
    mWriter->wait();
    if (mLock)
        mLock->removeAndRelease();
    mCopyPath = copyPath;
    mLock = std::move(lock);
    changed();
}

bool RecoveryKeeper::offerCopies(Prompter& prompter, RecoveryChooser& chooser) {
    mFolderProblem = PrivateFolder::secure(folder());
    if (mFolderProblem) {
        written(false, *mFolderProblem);
        return false;
    }
    RecoveryOffer offer(mData, prompter);
    offer.setAdopter([this](const QString& copyPath, std::unique_ptr<FileLock> lock) {
        adopt(copyPath, std::move(lock));
    });
    offer.scan(folder(), mCopyPath);
    if (offer.count() == 0)
        return false;
    chooser.choose(offer);
    return offer.adopted();
}

} // namespace Orlenda
