#pragma once

#include "app/settings.h"
#include "support/socatpair.h"

// A device of the program on the first end of a new socat pair, its stand-in
// (anything with openSerial(path)) on the other: the settings group of the
// device names the pty as its serial port.
template <typename Standin> bool connectStandin(SocatPair &pair, Standin &standin, const char *group)
{
    if (!pair.start() || !standin.openSerial(pair.second()))
        return false;
    Settings::instance()->setValue(group, "type", 1);
    Settings::instance()->setValue(group, "port", pair.first());
    return true;
}
