#pragma once

#include <QByteArray>
#include <QString>

namespace Orlenda {

class CountingPrompter;

// However broken a file, one open asks at most this many questions in all.
inline constexpr int QuestionCap = 20;

// Prints what went wrong, with the questions asked so far, and aborts, which
// libFuzzer reports as a crash and keeps the input.
[[noreturn]] void fuzzFailure(const QString& what, const CountingPrompter* prompter = nullptr);

// Fails when the prompter was asked more than QuestionCap questions.
void checkQuestionCap(const CountingPrompter& prompter, const char* reading);
// The same for a whole open, the dispatch's own questions included.
void checkOpenQuestionCap(const CountingPrompter& prompter);

QByteArray fuzzBytes(const unsigned char* data, std::size_t size);

} // namespace Orlenda
