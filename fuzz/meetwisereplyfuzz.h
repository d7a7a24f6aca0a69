#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// Hands a fuzz input to the competition-server client as the body of the
// reply to a request for the given path, and uses what the client makes of
// it as the program does. Every reply target is this with its own path.
class MeetwiseReplyFuzz
{
public:
    static int run(const QString &path, const uint8_t *data, size_t size);
};
