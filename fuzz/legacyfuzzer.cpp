// The legacy reader on any text, taking over after the first field as it
// does behind the open dispatch.
#include "countingprompter.h"
#include "fuzzcheck.h"

#include "document/fieldreader.h"
#include "document/legacyreader.h"
#include "document/textfile.h"
#include "document/traindata.h"

#include <cstdint>

using namespace Orlenda;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FieldReader reader(decodeTrainFileBytes(fuzzBytes(bytes, size)));
    if (!reader.atEnd())
        reader.readFieldView();
    TrainData data;
    CountingPrompter prompter;
    openTrn(data, reader.text(), reader.position(), prompter);
    checkQuestionCap(prompter, "the legacy reader");
    return 0;
}
