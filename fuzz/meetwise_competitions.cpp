// The competition server's list of competitions.
#include "meetwisereplyfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return MeetwiseReplyFuzz::run(QStringLiteral("/competitions"), data, size);
}
