// The server's answers to the program's changes: each echoes the change with
// the server's id and the program's local id.
#include "meetwisereplyfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    for (const char *path : {"/update_participation", "/new_result", "/update_result", "/delete_result"})
        MeetwiseReplyFuzz::run(QString::fromLatin1(path), data, size);
    return 0;
}
