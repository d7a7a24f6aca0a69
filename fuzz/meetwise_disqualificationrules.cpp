// The competition server's disqualification rules, as the track dialogs offer them.
#include "meetwisereplyfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return MeetwiseReplyFuzz::run(QStringLiteral("/disqualificationrules"), data, size);
}
