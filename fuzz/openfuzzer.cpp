// Opening any file exactly as the editor and orlenda-cli do: the file
// boundary, the choice of reader and the reader itself, counted as one.
#include "countingprompter.h"
#include "fuzzcheck.h"
#include "scratchfile.h"

#include "document/traindata.h"

#include <cstdint>

using namespace Orlenda;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    static ScratchFile file;
    TrainData data;
    CountingPrompter prompter;
    file.open(data, fuzzBytes(bytes, size), prompter);
    checkQuestionCap(prompter, "one open");
    return 0;
}
