#pragma once

#include "sound/decodedsound.h"
#include "sound/soundassignment.h"
#include "sound/soundfolder.h"
#include "sound/soundinfo.h"

#include <QList>
#include <QObject>
#include <atomic>
#include <memory>

namespace Orlenda {

struct SoundVoiceHolds;

// The decoded sounds of one folder and assignment, shared by the renderers
// that play them. Files are read and decoded by a worker thread of the
// bank's own, never by the caller of prepare and never on the audio thread.
// Every function but soundForAudio is for any thread but the audio thread;
// the bank is thread-safe. All decoded sounds together are kept under
// MaxTotalBytes by dropping the least recently used one that no renderer
// holds; it is decoded again when next prepared.
class SoundBank : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 MaxTotalBytes = 400LL * 1024 * 1024;
    static constexpr int DefaultOutputRate = 48000;

    explicit SoundBank(int outputRate = DefaultOutputRate, QObject* parent = nullptr);
    ~SoundBank() override;

    int outputRate() const { return mOutputRate; }

    // A new folder or assignment: sounds whose file changes are dropped (a
    // renderer playing one keeps its own reference until it lets go).
    void setFolder(const SoundFolder& folder);
    void setAssignment(const SoundAssignment& assignment);
    // Drops every decoded sound, so that files are read again when next
    // prepared (the author changed them).
    void forgetDecoded();
    SoundFolder folder() const;
    SoundAssignment assignment() const;

    // Queues the numbers not yet decoded and returns at once (live play: a
    // sound is silent until it is ready). Numbers outside 0..MaxNumber are
    // ignored.
    void prepare(const QList<int>& numbers);
    // Prepares and waits until every one of numbers is decoded or known to
    // be unusable (renders, so that they are repeatable).
    void prepareAndWait(const QList<int>& numbers);

    // What the table shows for number: file, length, rate, channels, state.
    // A number not prepared yet is Pending (or Missing when no file is
    // assigned).
    SoundInfo info(int number) const;

    // Bytes held by decoded sounds now.
    qint64 decodedBytes() const;

    // For SoundRenderer on the audio thread: the sound for number if it is
    // decoded, stored first in hold (a slot of the renderer's own, which
    // keeps the bank from dropping or freeing it until the slot is cleared).
    // Lock-free, allocates nothing.
    const DecodedSound* soundForAudio(int number, std::atomic<const DecodedSound*>& hold) const;
    // The sound in number's slot now, not held: whether a held one was
    // replaced or dropped. Lock-free.
    const DecodedSound* publishedForAudio(int number) const;

    // The renderer's slots; the bank reads them before it drops a sound.
    void addHolds(SoundVoiceHolds* holds);
    void removeHolds(SoundVoiceHolds* holds);

    // Lowers the total cap (tests of the least-recently-used rule).
    void setMaxTotalBytesForTesting(qint64 bytes);

signals:
    // A number's state changed (decoded, found unusable, dropped); emitted
    // from the worker thread, so connect queued.
    void soundChanged(int number);

private:
    struct Private;
    const int mOutputRate;
    std::unique_ptr<Private> d;
};

// The slots a renderer holds its sounds in, one per voice.
struct SoundVoiceHolds {
    static constexpr int Count = 8;
    std::atomic<const DecodedSound*> held[Count] = {};
};

} // namespace Orlenda
