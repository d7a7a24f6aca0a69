#include "devices/transport/serialport.h"

#include "devices/transport/transportlogging.h"

SerialPort::SerialPort(const QString &name)
    : OutputDevice(SerialPortType, name)
{}

SerialPort::~SerialPort()
{
    delete m_port;
}

void SerialPort::process()
{
    m_port = new QSerialPort;
    connect(m_port, &QSerialPort::readyRead, this, &SerialPort::onReadData);
    // Queued: the port is closed from here, which must not happen inside the
    // serial port's own notification.
    connect(m_port, &QSerialPort::errorOccurred, this, &SerialPort::onError, Qt::QueuedConnection);
    open();
}

void SerialPort::open()
{
    if (!m_port)
        return;
    close();
    m_lastOpen.start();
    m_port->setPortName(name());
    m_port->setBaudRate(static_cast<qint32>(m_baudRate), QSerialPort::AllDirections);
    m_port->setDataBits(static_cast<QSerialPort::DataBits>(m_dataBits));
    m_port->setParity(static_cast<QSerialPort::Parity>(m_parity));
    m_port->setStopBits(static_cast<QSerialPort::StopBits>(m_stopBits));
    m_port->setFlowControl(static_cast<QSerialPort::FlowControl>(m_flowControl));
    if (name().isEmpty() || isNoneName(name())) {
        emit port_opened(false);
        return;
    }
    if (m_port->open(QIODevice::ReadWrite)) {
        m_port->clear();
        m_lastFailure.clear();
        qCDebug(lcTransport).noquote() << QStringLiteral("Opened serial port ") + name();
        emit port_opened(true);
        return;
    }
    const QString failure = QStringLiteral("Could not open serial port %1 because %2 - %3")
                                .arg(name(), m_port->errorString())
                                .arg(int(m_port->error()));
    if (failure != m_lastFailure) {
        qCDebug(lcTransport).noquote() << failure;
        m_lastFailure = failure;
    }
    emit port_opened(false);
}

bool SerialPort::isOpen() const
{
    return m_port && m_port->isOpen();
}

void SerialPort::close()
{
    if (isOpen())
        m_port->close();
}

void SerialPort::write(const QByteArray &data)
{
    if (!m_port)
        return;
    if (!isOpen()) {
        if (m_lastOpen.isValid() && m_lastOpen.elapsed() < reopenIntervalMs)
            return;
        open();
    }
    if (!isOpen())
        return;
    m_port->write(data);
    m_port->waitForBytesWritten(100);
}

void SerialPort::onReadData()
{
    const QByteArray bytes = m_port->readAll();
    if (!bytes.isEmpty())
        emit dataRead(bytes);
}

void SerialPort::onError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::UnknownError:
        break;
    default:
        // Open failures are open()'s to report; a write that timed out is no
        // lost device.
        return;
    }
    if (!isOpen())
        return;
    qCDebug(lcTransport).noquote()
        << QStringLiteral("Serial port %1 lost: %2 - %3").arg(name(), m_port->errorString()).arg(int(error));
    m_port->close();
    m_port->clearError();
    m_lastOpen.start();
    emit port_opened(false);
}

void SerialPort::onSetProperties(QVariantMap map)
{
    quint32 baudRate = m_baudRate;
    quint32 dataBits = m_dataBits;
    quint32 parity = m_parity;
    quint32 stopBits = m_stopBits;
    const auto take = [&map](const char *key, quint32 &value) {
        const auto found = map.constFind(QLatin1String(key));
        if (found != map.constEnd())
            value = found->toUInt();
    };
    take("baud", baudRate);
    take("databits", dataBits);
    take("parity", parity);
    take("stopbits", stopBits);
    if (baudRate == m_baudRate && dataBits == m_dataBits && parity == m_parity && stopBits == m_stopBits)
        return;
    m_baudRate = baudRate;
    m_dataBits = dataBits;
    m_parity = parity;
    m_stopBits = stopBits;
    open();
}
