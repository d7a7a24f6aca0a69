#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// What the LED boards read, for the targets of both makes.
namespace BoardFuzz {

// Reads the bytes with the decoder of the make as the board would: once
// whole, and once in pieces of one to eight bytes (the input's length says
// how long), as a port may deliver them. Both must read the same commands and
// reject the same number; the board takes what was read.
void decode(const QString &controller, const uint8_t *data, size_t size);

} // namespace BoardFuzz
