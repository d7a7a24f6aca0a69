// The schedule: a competition's events with their rounds and heats.
#include "meetwisereplyfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return MeetwiseReplyFuzz::run(QStringLiteral("/events/1"), data, size);
}
