#include "document/recoverykeeper.h"

#include "document/documenthistory.h"
#include "document/recoverycopy.h"
#include "document/traindata.h"
#include "shared/apptitle.h"
#include "shared/atomicfile.h"
#include "shared/failure.h"
#include "shared/prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>


namespace Orlenda {

namespace {

const QString CopySuffix = QStringLiteral(".recovery");
// Only a copy this program wrote is read; anything larger is not one.
constexpr qint64 MaxCopySize = 8 * 1024 * 1024;

std::unique_ptr<QLockFile> lockFor(const QString& copyPath) {
    auto lock = std::make_unique<QLockFile>(copyPath + QStringLiteral(".lock"));
    // A lock is stale only when its editor no longer runs, however long that ran.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

} // namespace

// Runs the file work in order; only the newest request matters, since each
// one replaces or deletes the same file.
class RecoveryKeeper::Writer {
public:
    Writer() : mThread([this] { run(); }) {}

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

    void wait() {
        std::unique_lock lock(mMutex);
        mIdle.wait(lock, [this] { return !mJob && !mBusy; });
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
            if (job.bytes) {
                // A copy that cannot be written leaves the previous one; the
                // next change tries again.
                try {
                    writeFileAtomically(job.path, *job.bytes);
                } catch (const StepFailure&) {
                }
            } else
                QFile::remove(job.path);
            lock.lock();
            mBusy = false;
            mIdle.notify_all();
        }
    }

    std::mutex mMutex;
    std::condition_variable mWake;
    std::condition_variable mIdle;
    std::optional<Job> mJob;
    bool mBusy = false;
    bool mStop = false;
    std::thread mThread; // last: it starts once everything above exists
};

RecoveryKeeper::RecoveryKeeper(TrainData& data, QObject* parent)
    : QObject(parent), mData(data), mWriter(std::make_unique<Writer>()) {
    mTimer.setSingleShot(true);
    connect(&mTimer, &QTimer::timeout, this, &RecoveryKeeper::write);
    data.onValueChanged(this, &RecoveryKeeper::changed);
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
}

QString RecoveryKeeper::folder() {
    // Qt has no place for state: follow the XDG rule, which ignores a relative path.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/orlenda");
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
    if (!QDir().mkpath(dir))
        return false;
    // The copies hold the user's work: nobody else may read them.
    QFile::setPermissions(dir,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString stem = QStringLiteral("%1/%2-%3")
                             .arg(dir)
                             .arg(QCoreApplication::applicationPid())
                             .arg(QDateTime::currentMSecsSinceEpoch());
    for (int attempt = 0; attempt < 100 && !mLock; ++attempt) {
        mCopyPath = stem + (attempt ? QStringLiteral("-%1").arg(attempt) : QString()) + CopySuffix;
        mLock = lockFor(mCopyPath);
    }
    if (!mLock)
        mCopyPath.clear();
    return bool(mLock);
}

void RecoveryKeeper::write() {
    mTimer.stop();
    if (!mData.isModified() || !claimOwnCopy())
        return;
    mWriter->post(mCopyPath, recoveryCopyBytes(mData, QDateTime::currentDateTimeUtc()));
}

void RecoveryKeeper::writeNow() {
    write();
    mWriter->wait();
}

void RecoveryKeeper::drop() {
    mTimer.stop();
    if (!mCopyPath.isEmpty())
        mWriter->post(mCopyPath, std::nullopt);
}

bool RecoveryKeeper::offerCopies(DocumentHistory& history, Prompter& prompter) {
    struct Offer {
        QString path;
        RecoveryCopy copy;
        std::unique_ptr<QLockFile> lock;
    };
    std::vector<Offer> offers;
    const QDir dir(folder());
    for (const QFileInfo& info : dir.entryInfoList({QLatin1Char('*') + CopySuffix}, QDir::Files)) {
        const QString path = info.absoluteFilePath();
        if (path == mCopyPath || !info.isFile() || info.size() > MaxCopySize)
            continue;
        std::unique_ptr<QLockFile> lock = lockFor(path);
        if (!lock)
            continue; // another editor's
        QFile file(path);
        std::optional<RecoveryCopy> copy;
        if (file.open(QIODevice::ReadOnly))
            copy = parseRecoveryCopy(file.read(MaxCopySize));
        if (copy)
            offers.push_back({path, std::move(*copy), std::move(lock)});
    }
    std::sort(offers.begin(), offers.end(),
              [](const Offer& a, const Offer& b) { return a.copy.time > b.copy.time; });

    for (Offer& offer : offers) {
        const bool restore = prompter.ask(applicationTitle(), recoveryQuestionText(offer.copy),
                                          Prompter::Icon::Warning);
        if (mKeep)
            return false;
        if (!restore) {
            QFile::remove(offer.path);
            continue;
        }
        history.replaceDocument([&] { restoreRecoveryCopy(mData, offer.copy, prompter); }, true);
        // The copy becomes this editor's, so that it stays on disk throughout.
        drop();
        mWriter->wait();
        mCopyPath = offer.path;
        mLock = std::move(offer.lock);
        schedule();
        return true;
    }
    return false;
}

} // namespace Orlenda
