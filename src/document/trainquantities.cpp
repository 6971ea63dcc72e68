#include "document/trainquantities.h"

#include "document/numbertext.h"
#include "shared/failure.h"

namespace Orlenda {

std::int16_t consistValue(QStringView text) {
    try {
        return toInt16Clamped(strictNumber(text));
    } catch (const StepFailure& failure) {
        // Beyond the double range: the leading number saturates with its sign.
        if (failure.kind() == Failure::Overflow)
            return toInt16Clamped(leadingNumber(text));
        return 0;
    }
}

} // namespace Orlenda
