#include "devices/transport/outputdevice.h"

#include <QCoreApplication>
#include <QThread>

OutputDevice::OutputDevice(int type, const QString &name, quint32 ip)
    : m_type(type)
    , m_name(name)
    , m_ip(ip)
{}

QString OutputDevice::noneName()
{
    return tr("None");
}

bool OutputDevice::isNoneName(const QString &name)
{
    return name == QLatin1String("None") || name == noneName();
}

void OutputDevice::onWriteData(QByteArray data, int msleep)
{
    if (stopRequested())
        return;
    write(data);
    // A frame dropped because the port is closed needs no pause after it.
    if (msleep > 0 && isOpen())
        QThread::msleep(static_cast<unsigned long>(msleep));
}

void OutputDevice::onCloseDevice()
{
    close();
    emit finished();
}
