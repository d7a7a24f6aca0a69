#include "devices/edm.h"

EDM::EDM(QObject *parent)
    : QObject(parent)
{
}
