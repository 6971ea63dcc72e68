// Opening any file exactly as the editor and orlenda-cli do: the file
// boundary, the choice of reader and the reader itself, counted as one.
#include "countingprompter.h"
#include "fuzzcheck.h"
#include "scratchfile.h"

#include "document/traindata.h"
#include "document/trainfilewriter.h"

#include <cstdint>

using namespace Orlenda;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    static ScratchFile file;
    static const QString newDocument = trainFileText(TrainData());
    TrainData data;
    CountingPrompter prompter;
    file.open(data, fuzzBytes(bytes, size), prompter);
    checkQuestionCap(prompter, "one open");
    // A file that is refused must leave nothing of itself in the document.
    if (data.documentPath().isEmpty() && trainFileText(data) != newDocument)
        fuzzFailure(QStringLiteral("a file that was not opened changed the document"), &prompter);
    return 0;
}
