// Reading any bytes as a recovery copy: the header alone, as the recovery
// window lists copies, then the whole copy with its checks, then its body as
// a new document, as 新規として開く reads even a damaged copy.
#include "countingprompter.h"
#include "fuzzcheck.h"

#include "document/recoverycopy.h"
#include "document/traindata.h"

#include <cstdint>

using namespace Orlenda;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const QByteArray copyBytes = fuzzBytes(bytes, size);
    const auto header = parseRecoveryCopyHeader(copyBytes);
    if (header) {
        if (header->bodyOffset > copyBytes.size() || header->bodyOffset > MaxRecoveryHeaderSize)
            fuzzFailure(QStringLiteral("the header ends outside its bound"));
        if (!header->time.isValid())
            fuzzFailure(QStringLiteral("a header was accepted without a valid time"));
    }
    const auto copy = parseRecoveryCopy(copyBytes);
    if (copy && !header)
        fuzzFailure(QStringLiteral("a copy was accepted without a header"));
    // What checks out has exactly the length its header announces.
    if (copy && header->hasChecksum() &&
        header->bodyOffset + header->bodyLength != copyBytes.size())
        fuzzFailure(QStringLiteral("a copy of the wrong length passed its check"));

    TrainData data;
    CountingPrompter prompter;
    restoreRecoveryText(data, recoveryCopyBodyText(copyBytes), prompter);
    checkQuestionCap(prompter, "restoring a copy as a new document");
    if (!data.documentPath().isEmpty())
        fuzzFailure(QStringLiteral("a copy opened as new took a path"), &prompter);
    return 0;
}
