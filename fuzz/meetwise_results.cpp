// A heat's participations with their results, as a field event or track heat opens.
#include "meetwisereplyfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return MeetwiseReplyFuzz::run(QStringLiteral("/results/107"), data, size);
}
