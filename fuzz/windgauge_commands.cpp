// The stand-in wind gauge reading the program's commands from its byte
// stream: any bytes, cut into blocks anyhow, never crash it, and a good start
// command after them is still taken.
//
// The first byte gives the size of the blocks (1 to 256) in which the rest
// arrives, as a port delivers it.
#include "devices/windspeedcommand.h"
#include "fuzzsupport.h"
#include "tools/wind-gauge-standin/windgaugestandin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    WindGaugeStandin gauge;
    // Its answer then depends on no clock.
    gauge.setMode(WindGaugeStandin::Mode::Blank);
    for (const QByteArray &block : FuzzInput(data, size).portBlocks())
        gauge.receive(block);

    const int starts = gauge.starts();
    gauge.receive(WindspeedCommand::start(5));
    FUZZ_CHECK(gauge.starts() == starts + 1 && gauge.measuringSeconds() == 5,
               QStringLiteral("%1 starts, %2 s").arg(gauge.starts()).arg(gauge.measuringSeconds()));
    return 0;
}
