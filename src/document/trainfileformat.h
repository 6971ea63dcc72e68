#pragma once

#include <QString>
#include <QStringView>

namespace Orlenda {

// A current-format train file starts with one field of the product word and
// the format version, the word's Latin letters in any case.
inline constexpr QStringView ProductWord = u"QRL";

// Format versions whose layout differs from the one before.
inline constexpr int SixDelaysVersion = 1210000;
inline constexpr int CarLengthVersion = 1220000;
inline constexpr int CurrentFormatVersion = 2000000;

// Versions of the current format that are read without a question.
inline constexpr int OldestSupportedVersion = 1200000;
inline constexpr int NewestSupportedVersion = CurrentFormatVersion;

// One open asks at most this many questions in all, whichever reader or
// step asks them: a broken file never floods the user.
inline constexpr int MaxQuestionsPerOpen = 20;

// The first field of every file written.
inline QString currentFormatHead() {
    return ProductWord.toString() + QString::number(CurrentFormatVersion);
}

} // namespace Orlenda
