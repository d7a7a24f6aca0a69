// The bytes a Changhong board reads: lines of ASCII commands ended by a
// carriage return (clear, text with colour, box and font letter, brightness,
// colour). Any bytes read without a crash, the same in whatever pieces they
// arrive.
#include "boardfuzz.h"
#include "devices/lanternixdecoder.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    BoardFuzz::decode(QString::fromLatin1(LanternixDecoder::Controller), data, size);
    return 0;
}
