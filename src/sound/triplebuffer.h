#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace Orlenda {

// Hands the newest value of a fixed-size T from one writer thread to one
// reader thread (the audio thread) without locks or allocation: the writer
// fills the spare buffer and swaps it with the shared index; the reader
// swaps the shared index for its own when a newer value is there. Neither
// ever waits for the other, and the reader never sees a half-written value.
template <typename T>
class TripleBuffer {
public:
    TripleBuffer() = default;
    explicit TripleBuffer(const T& initial) { mBuffers.fill(initial); }

    // Writer thread only.
    void publish(const T& value) {
        mBuffers[mWriteIndex] = value;
        const std::uint8_t previous =
            mShared.exchange(std::uint8_t(mWriteIndex | FreshBit), std::memory_order_acq_rel);
        mWriteIndex = previous & IndexMask;
    }

    // Reader thread only: the newest value published, or the one read last
    // when nothing new came. The reference stays valid until the next read.
    const T& read() {
        if (mShared.load(std::memory_order_relaxed) & FreshBit) {
            const std::uint8_t previous =
                mShared.exchange(std::uint8_t(mReadIndex), std::memory_order_acq_rel);
            mReadIndex = previous & IndexMask;
        }
        return mBuffers[mReadIndex];
    }

    // Reader thread only: whether a value newer than the last read waits.
    bool hasNew() const { return mShared.load(std::memory_order_acquire) & FreshBit; }

private:
    static constexpr std::uint8_t FreshBit = 4;
    static constexpr std::uint8_t IndexMask = 3;
    std::array<T, 3> mBuffers{};
    std::atomic<std::uint8_t> mShared{1};
    std::uint8_t mWriteIndex = 0; // the writer's own
    std::uint8_t mReadIndex = 2;  // the reader's own
};

} // namespace Orlenda
