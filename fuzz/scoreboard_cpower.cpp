// The bytes a C-Power controller reads: packets from 0xA5 to 0xAE, stuffed,
// with header, length and checksum (clear, text, colour, data, brightness).
// Any bytes read without a crash, the same in whatever pieces they arrive.
#include "boardfuzz.h"
#include "devices/glowmatrixdecoder.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    BoardFuzz::decode(QString::fromLatin1(GlowmatrixDecoder::Controller), data, size);
    return 0;
}
