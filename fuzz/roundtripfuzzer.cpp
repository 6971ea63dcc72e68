// What the writer makes of any document read from a file must read back to
// the same document: saved, reopened and saved again, the bytes are the same,
// the reopening asks nothing, and the second save succeeds.
#include "countingprompter.h"
#include "fuzzcheck.h"
#include "scratchfile.h"

#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"
#include "shared/failure.h"

#include <QList>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

using namespace Orlenda;

namespace {

// Lines 3 to 10 of a saved file: the acceleration rows.
constexpr int FirstAccelerationLine = 2;
constexpr int LastAccelerationLine = 9;

std::optional<QByteArray> savedBytes(const TrainData& data) {
    try {
        return encodeShiftJis(trainFileText(data));
    } catch (const StepFailure&) {
        return std::nullopt;
    }
}

QList<QByteArray> linesOf(const QByteArray& bytes) {
    return bytes.split('\n');
}

QString shown(const QByteArray& line) {
    QString text;
    for (char c : line) {
        const auto u = static_cast<unsigned char>(c);
        text += u >= 0x20 && u < 0x7F ? QString(QLatin1Char(c))
                                      : QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    return text;
}

[[noreturn]] void mismatch(const char* what, const QByteArray& before, const QByteArray& after) {
    const QList<QByteArray> a = linesOf(before);
    const QList<QByteArray> b = linesOf(after);
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a.at(i) == b.at(i))
        ++i;
    fuzzFailure(QStringLiteral("%1: first difference at line %2: \"%3\" became \"%4\"")
                    .arg(QLatin1String(what))
                    .arg(i + 1)
                    .arg(shown(a.value(i)), shown(b.value(i))));
}

bool nearlyEqualFloatTexts(const QByteArray& a, const QByteArray& b) {
    const double x = std::strtod(a.constData(), nullptr);
    const double y = std::strtod(b.constData(), nullptr);
    // One unit in the seventh significant digit at most.
    return std::isfinite(x) && std::isfinite(y) &&
           std::fabs(x - y) <= 1.5e-6 * std::fmax(std::fabs(x), std::fabs(y));
}

// Known and accepted: a float at the extremes of its range may move by one
// unit in its seventh digit when it is read back. Nothing else may change.
bool onlyFloatDrift(const QByteArray& before, const QByteArray& after) {
    const QList<QByteArray> a = linesOf(before);
    const QList<QByteArray> b = linesOf(after);
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.at(i) == b.at(i))
            continue;
        if (i < FirstAccelerationLine || i > LastAccelerationLine)
            return false;
        const QList<QByteArray> x = a.at(i).trimmed().split(',');
        const QList<QByteArray> y = b.at(i).trimmed().split(',');
        if (x.size() != 5 || y.size() != 5 || x.at(2) != y.at(2) || x.at(3) != y.at(3))
            return false;
        for (int column : {0, 1, 4}) {
            if (x.at(column) != y.at(column) && !nearlyEqualFloatTexts(x.at(column), y.at(column)))
                return false;
        }
    }
    return true;
}

// Reopens a file the writer made; it must read without a question and save again.
QByteArray reopenAndSave(ScratchFile& file, const QByteArray& saved) {
    TrainData data;
    CountingPrompter prompter;
    file.open(data, saved, prompter);
    if (prompter.count() > 0)
        fuzzFailure(QStringLiteral("a saved file asks questions when it is opened again"),
                    &prompter);
    const std::optional<QByteArray> again = savedBytes(data);
    if (!again)
        fuzzFailure(QStringLiteral("a saved file, opened again, cannot be saved"));
    return *again;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    static ScratchFile file;
    TrainData data;
    CountingPrompter prompter;
    file.open(data, fuzzBytes(bytes, size), prompter);
    checkQuestionCap(prompter, "one open");
    if (data.documentPath().isEmpty())
        return 0; // not opened: there is nothing to save
    // A text that the code page cannot hold is refused by Save, as it should be.
    const std::optional<QByteArray> first = savedBytes(data);
    if (!first)
        return 0;

    const QByteArray second = reopenAndSave(file, *first);
    if (second == *first)
        return 0;
    if (!onlyFloatDrift(*first, second))
        mismatch("a saved file read back differently", *first, second);
    const QByteArray third = reopenAndSave(file, second);
    if (third != second)
        mismatch("a saved file read back differently after a float settled", second, third);
    return 0;
}
