#include "devices/edm.h"

EDM::EDM(QObject *parent)
    : QObject(parent)
{}

void EDM::closePort()
{
    // No port transport yet: nothing to close.
}
