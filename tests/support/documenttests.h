#pragma once

// Helpers shared by the document and command-line tests.

#include "document/fieldreader.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilereader.h"
#include "document/trainfilewriter.h"
#include "shared/failure.h"
#include "support/scriptedprompter.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace Orlenda {

// A fresh document, a prompter that answers yes, and a folder for files.
struct DocumentTest : ::testing::Test {
    QTemporaryDir dir;
    TrainData data;
    ScriptedPrompter prompter;
};

inline QString dataFile(const char* name) {
    return QStringLiteral(ORLENDA_TEST_DATA "/") + QLatin1String(name);
}

// Writes bytes to a file in dir and returns its path.
inline QString writtenFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromUtf8(name));
    writeWholeFile(path, bytes);
    return path;
}

// Saves data as a train file in dir, as the editor would, and returns its path.
inline QString savedDocument(const QTemporaryDir& dir, const char* name, const TrainData& data) {
    return writtenFile(dir, name, encodeShiftJis(trainFileText(data)));
}

// The lines of the file written for data, without their CR LF.
inline QStringList writtenLines(const TrainData& data) {
    QStringList lines = trainFileText(data).split(QStringLiteral("\r\n"));
    lines.removeLast(); // after the last line's CR LF
    return lines;
}

// Reads the lines of a current-format file after its first line; returns the
// questions asked so far.
inline int readBody(TrainData& data, ScriptedPrompter& prompter, const QStringList& lines,
                    std::int32_t version = CurrentFormatVersion) {
    data.setFormatVersion(version);
    FieldReader reader(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    openDat(data, reader, prompter);
    return prompter.count();
}

// The kind of StepFailure that f raises; Unexpected when it raises none.
inline Failure failureOf(auto&& f) {
    try {
        f();
    } catch (const StepFailure& e) {
        return e.kind();
    }
    return Failure::Unexpected;
}

// The text of the prompt that reports kind.
inline QString failureText(Failure kind) {
    return errorPromptText(failureDescription(kind));
}

inline QStringList questionTexts(const ScriptedPrompter& prompter) {
    QStringList texts;
    for (const ScriptedPrompter::Question& q : prompter.questions())
        texts << q.text;
    return texts;
}

// Checks text fields given as field, text, field, text...; a mismatch names its field.
inline void expectTexts(const TrainData&) {}
template <typename... Rest>
void expectTexts(const TrainData& data, TextId id, const char* text, Rest... rest) {
    EXPECT_EQ(data.text(id), QString::fromUtf8(text)) << textFieldInfo(id).name;
    expectTexts(data, rest...);
}

} // namespace Orlenda
