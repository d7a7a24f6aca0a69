#include "tools/common/serialside.h"

#include <QSerialPort>

QCommandLineOption SerialSide::commandLineOption()
{
    return QCommandLineOption(QStringLiteral("serial"),
                              QStringLiteral("Serial side: a pty (one end of a socat pair) or a serial port."),
                              QStringLiteral("path"));
}

bool SerialSide::open(const QString &path, QString *error)
{
    close();
    m_port = new QSerialPort(path, this);
    if (!m_port->open(QIODevice::ReadWrite)) {
        if (error)
            *error = QStringLiteral("cannot open %1: %2").arg(path, m_port->errorString());
        close();
        return false;
    }
    connect(m_port, &QSerialPort::readyRead, this, [this] { emit received(m_port->readAll()); });
    return true;
}

void SerialSide::close()
{
    if (!m_port)
        return;
    if (m_port->isOpen()) {
        m_port->flush();
        m_port->close();
    }
    delete m_port;
    m_port = nullptr;
}

QString SerialSide::path() const
{
    return m_port ? m_port->portName() : QStringLiteral("none");
}

void SerialSide::write(const QByteArray &bytes)
{
    if (!m_port || bytes.isEmpty())
        return;
    m_port->write(bytes);
    m_port->flush();
}
