#pragma once

#include "document/openfile.h"

#include <QByteArray>
#include <QString>

namespace Orlenda {

class CountingPrompter;

// However broken a file, one open asks at most this many questions in all,
// and so does each reader on its own.
inline constexpr int QuestionCap = MaxQuestionsPerOpen;

// Prints what went wrong, with the questions asked so far, and aborts, which
// libFuzzer reports as a crash and keeps the input.
[[noreturn]] void fuzzFailure(const QString& what, const CountingPrompter* prompter = nullptr);

// Fails when the prompter was asked more than QuestionCap questions.
void checkQuestionCap(const CountingPrompter& prompter, const char* reading);

QByteArray fuzzBytes(const unsigned char* data, std::size_t size);

} // namespace Orlenda
