#include "devices/transport/none.h"

None::None(const QString &name)
    : OutputDevice(NoneType, name)
{}

void None::process()
{
    open();
}

void None::open()
{
    emit port_opened(false);
}

void None::onWriteData(QByteArray data, int msleep)
{
    // Dropped, and without the pause: nothing is there to pace.
    Q_UNUSED(data)
    Q_UNUSED(msleep)
}
