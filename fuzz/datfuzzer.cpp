// The current-format reader on any text. The version comes from the first
// field as the open dispatch reads it, but without the unsupported-version
// question, so that every layout of the format is reachable.
#include "countingprompter.h"
#include "fuzzcheck.h"

#include "document/fieldreader.h"
#include "document/numbertext.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilereader.h"
#include "shared/failure.h"

#include <cstdint>

using namespace Orlenda;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FieldReader reader(decodeTrainFileBytes(fuzzBytes(bytes, size)));
    std::int32_t version = 0;
    if (!reader.atEnd()) {
        try {
            version = toInt32(leadingNumber(reader.readFieldView().mid(3)));
        } catch (const StepFailure&) {
        }
    }
    TrainData data;
    data.setFormatVersion(version);
    CountingPrompter prompter;
    openDat(data, reader, prompter);
    checkQuestionCap(prompter, "the current-format reader");
    return 0;
}
