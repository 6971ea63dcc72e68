#pragma once

#include <QString>

namespace Orlenda {

enum class SoundState {
    Usable,     // 使用可
    Missing,    // 見つかりません: no file assigned, or the file is gone
    Unreadable, // 読めません: not audio, damaged, or of a kind not played; reason says which
    TooLong,    // 長すぎます: over 60 s, or over 50 MB decoded as 32-bit float
    Pending,    // not decoded yet
};

// The table's text for a state ("使用可", "見つかりません", "読めません", "長すぎます").
QString soundStateText(SoundState state);

// What the assignment table shows for one sound number.
struct SoundInfo {
    int number = 0;
    QString file;        // the name in the folder; empty when none is assigned
    double seconds = 0;  // length at the file's own rate
    int sampleRate = 0;  // the file's own
    int channels = 0;
    SoundState state = SoundState::Pending;
    QString reason; // why not usable, in Japanese; empty when usable
};

// The longest sound played, and the most samples, as 32-bit float at the
// file's own rate; beyond either a sound is silent.
inline constexpr double MaxSoundSeconds = 60;
inline constexpr qint64 MaxSoundBytes = 50LL * 1024 * 1024;

} // namespace Orlenda
