#include "sound/soundbank.h"

#include <QHash>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace Orlenda {

namespace {

constexpr int SlotCount = SoundAssignment::MaxNumber + 1;

QString notAssignedReason() {
    return QStringLiteral("割り当てられたファイルがありません");
}

QString notInFolderReason() {
    return QStringLiteral("フォルダーにファイルがありません");
}

qint64 bytesOf(const DecodedSound& sound) {
    return qint64(sound.samples.size() * sizeof(float));
}

} // namespace

struct SoundBank::Private {
    struct Entry {
        QString file; // the name decoded, or to decode
        SoundInfo info;
        std::shared_ptr<const DecodedSound> sound;
        quint64 lastUse = 0;
        quint64 generation = 0; // changes whenever the entry is reset
        bool queued = false;
    };

    mutable std::mutex mutex;
    std::condition_variable work;
    std::condition_variable done;
    bool quit = false;
    std::thread worker;

    SoundFolder folder;
    SoundAssignment assignment;
    QHash<int, Entry> entries;
    std::deque<int> queue;
    quint64 useClock = 0;
    quint64 generationClock = 0;
    qint64 totalBytes = 0;
    qint64 maxTotalBytes = MaxTotalBytes;

    // What the audio thread reads: the decoded sound of each number, or null.
    std::unique_ptr<std::atomic<const DecodedSound*>[]> published{
        new std::atomic<const DecodedSound*>[SlotCount]};
    QList<SoundVoiceHolds*> holds;
    // Sounds no longer in a slot that a renderer still held when dropped.
    std::vector<std::shared_ptr<const DecodedSound>> retired;

    bool isHeld(const DecodedSound* sound) const {
        for (const SoundVoiceHolds* h : holds)
            for (const auto& slot : h->held)
                if (slot.load(std::memory_order_seq_cst) == sound)
                    return true;
        return false;
    }

    void freeRetired() {
        std::erase_if(retired, [this](const auto& s) { return !isHeld(s.get()); });
    }

    // Takes the entry's sound out of its slot. With evicting, a sound a
    // renderer holds stays (false); otherwise it is kept aside until let go.
    bool unpublish(int number, Entry& entry, bool evicting) {
        if (!entry.sound)
            return true;
        const DecodedSound* sound = entry.sound.get();
        // Cleared first, then the holds read: a renderer that stores its
        // hold after this reads the cleared slot and lets go (hazard order).
        published[number].store(nullptr, std::memory_order_seq_cst);
        if (isHeld(sound)) {
            if (evicting) {
                published[number].store(sound, std::memory_order_seq_cst);
                return false;
            }
            retired.push_back(entry.sound);
        }
        totalBytes -= bytesOf(*entry.sound);
        entry.sound.reset();
        return true;
    }

    void reset(int number, Entry& entry) {
        unpublish(number, entry, false);
        entry.info = SoundInfo{};
        entry.info.number = number;
        entry.generation = ++generationClock;
        entry.queued = false; // a decode under way for the old file is thrown away
    }

    std::optional<QString> fileFor(int number) const {
        return assignment.fileFor(number, folder);
    }

    // Entries whose file the folder or assignment no longer names are reset.
    void refreshFiles() {
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            const QString file = fileFor(it.key()).value_or(QString());
            if (file != it->file) {
                reset(it.key(), *it);
                it->file = file;
            }
        }
        freeRetired();
    }

    void enqueue(int number) {
        Entry& entry = entries[number];
        entry.lastUse = ++useClock;
        if (entry.generation == 0) { // new
            entry.info.number = number;
            entry.file = fileFor(number).value_or(QString());
            entry.generation = ++generationClock;
        }
        if (entry.sound || entry.queued || entry.info.state != SoundState::Pending)
            return;
        entry.queued = true;
        queue.push_back(number);
        work.notify_one();
    }

    void evictOver(int keep) {
        while (totalBytes > maxTotalBytes) {
            int oldest = -1;
            quint64 oldestUse = 0;
            for (auto it = entries.begin(); it != entries.end(); ++it) {
                if (!it->sound || it.key() == keep || isHeld(it->sound.get()))
                    continue;
                if (oldest < 0 || it->lastUse < oldestUse) {
                    oldest = it.key();
                    oldestUse = it->lastUse;
                }
            }
            if (oldest < 0)
                return;
            Entry& entry = entries[oldest];
            // A renderer may have taken it just now; then it stays.
            if (unpublish(oldest, entry, true))
                entry.info.state = SoundState::Pending; // decoded again when next prepared
        }
    }
};

SoundBank::SoundBank(int outputRate, QObject* parent)
    : QObject(parent), mOutputRate(outputRate), d(std::make_unique<Private>()) {
    for (int i = 0; i < SlotCount; ++i)
        d->published[i].store(nullptr, std::memory_order_relaxed);
    d->worker = std::thread([this] {
        std::unique_lock lock(d->mutex);
        for (;;) {
            d->work.wait(lock, [this] { return d->quit || !d->queue.empty(); });
            if (d->quit)
                return;
            const int number = d->queue.front();
            d->queue.pop_front();
            auto it = d->entries.find(number);
            if (it == d->entries.end() || !it->queued)
                continue;
            const QString file = it->file;
            const quint64 generation = it->generation;
            const QString path = file.isEmpty() ? QString() : d->folder.filePath(file);
            const bool listed = !file.isEmpty() && d->folder.contains(file);

            DecodeResult result;
            if (file.isEmpty()) {
                result.info.state = SoundState::Missing;
                result.info.reason = notAssignedReason();
            } else if (!listed) {
                result.info.state = SoundState::Missing;
                result.info.reason = notInFolderReason();
            } else {
                lock.unlock();
                result = decodeSoundFile(path, mOutputRate);
                lock.lock();
            }
            it = d->entries.find(number);
            if (it == d->entries.end() || it->generation != generation) {
                d->done.notify_all();
                continue; // the folder or assignment changed meanwhile
            }
            it->queued = false;
            it->info = result.info;
            it->info.number = number;
            it->info.file = file;
            if (result.sound) {
                it->sound = result.sound;
                d->totalBytes += bytesOf(*result.sound);
                d->published[number].store(result.sound.get(), std::memory_order_seq_cst);
                d->evictOver(number);
            }
            d->freeRetired();
            d->done.notify_all();
            lock.unlock();
            emit soundChanged(number);
            lock.lock();
        }
    });
}

SoundBank::~SoundBank() {
    {
        std::lock_guard lock(d->mutex);
        d->quit = true;
    }
    d->work.notify_all();
    d->worker.join();
}

void SoundBank::setFolder(const SoundFolder& folder) {
    std::lock_guard lock(d->mutex);
    d->folder = folder;
    d->refreshFiles();
}

void SoundBank::forgetDecoded() {
    std::lock_guard lock(d->mutex);
    for (auto it = d->entries.begin(); it != d->entries.end(); ++it) {
        d->reset(it.key(), *it);
    }
    d->freeRetired();
}

void SoundBank::setAssignment(const SoundAssignment& assignment) {
    std::lock_guard lock(d->mutex);
    d->assignment = assignment;
    d->refreshFiles();
}

SoundFolder SoundBank::folder() const {
    std::lock_guard lock(d->mutex);
    return d->folder;
}

SoundAssignment SoundBank::assignment() const {
    std::lock_guard lock(d->mutex);
    return d->assignment;
}

void SoundBank::prepare(const QList<int>& numbers) {
    std::lock_guard lock(d->mutex);
    for (int n : numbers)
        if (n >= 0 && n < SlotCount)
            d->enqueue(n);
    d->freeRetired();
}

void SoundBank::prepareAndWait(const QList<int>& numbers) {
    std::unique_lock lock(d->mutex);
    for (int n : numbers)
        if (n >= 0 && n < SlotCount)
            d->enqueue(n);
    d->done.wait(lock, [&] {
        return std::none_of(numbers.begin(), numbers.end(), [&](int n) {
            const auto it = d->entries.constFind(n);
            return it != d->entries.cend() && it->queued;
        });
    });
}

SoundInfo SoundBank::info(int number) const {
    std::lock_guard lock(d->mutex);
    const QString file = d->fileFor(number).value_or(QString());
    const auto it = d->entries.constFind(number);
    if (it != d->entries.cend() && it->file == file && it->info.state != SoundState::Pending)
        return it->info;
    SoundInfo info;
    info.number = number;
    info.file = file;
    if (file.isEmpty()) {
        info.state = SoundState::Missing;
        info.reason = notAssignedReason();
    } else if (!d->folder.contains(file)) {
        info.state = SoundState::Missing;
        info.reason = notInFolderReason();
    }
    return info;
}

qint64 SoundBank::decodedBytes() const {
    std::lock_guard lock(d->mutex);
    return d->totalBytes;
}

const DecodedSound* SoundBank::publishedForAudio(int number) const {
    if (number < 0 || number >= SlotCount)
        return nullptr;
    return d->published[number].load(std::memory_order_acquire);
}

const DecodedSound* SoundBank::soundForAudio(int number,
                                             std::atomic<const DecodedSound*>& hold) const {
    if (number < 0 || number >= SlotCount)
        return nullptr;
    const DecodedSound* sound = d->published[number].load(std::memory_order_seq_cst);
    if (!sound)
        return nullptr;
    hold.store(sound, std::memory_order_seq_cst);
    if (d->published[number].load(std::memory_order_seq_cst) != sound) {
        hold.store(nullptr, std::memory_order_seq_cst);
        return nullptr;
    }
    return sound;
}

void SoundBank::addHolds(SoundVoiceHolds* holds) {
    std::lock_guard lock(d->mutex);
    d->holds.append(holds);
}

void SoundBank::removeHolds(SoundVoiceHolds* holds) {
    std::lock_guard lock(d->mutex);
    d->holds.removeAll(holds);
    d->freeRetired();
}

void SoundBank::setMaxTotalBytesForTesting(qint64 bytes) {
    std::lock_guard lock(d->mutex);
    d->maxTotalBytes = bytes;
}

} // namespace Orlenda
