// A track heat's participations with lanes, bibs and teams.
#include "meetwisereplyfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return MeetwiseReplyFuzz::run(QStringLiteral("/participations/107"), data, size);
}
