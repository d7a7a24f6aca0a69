#pragma once

#include <QElapsedTimer>
#include <QSerialPort>

#include "devices/transport/outputdevice.h"

// A device on a serial port (a USB adapter, or a pty given by its full path).
//
// A port that vanishes (an adapter pulled) makes the serial driver report
// errors over and over; the transport then closes it and reports
// port_opened(false). Opening is tried again by the next write, but at most
// once per reopenIntervalMs, so a missing device costs neither CPU nor log
// lines; frames in between are dropped.
class SerialPort : public OutputDevice
{
    Q_OBJECT

public:
    static constexpr int reopenIntervalMs = 1000;

    explicit SerialPort(const QString &name);
    ~SerialPort() override;

    QString displayName() const override { return name(); }
    void open() override;
    bool isOpen() const override;
    void close() override;
    void write(const QByteArray &data) override;

public slots:
    void process() override;
    // Takes "baud", "databits", "parity" and "stopbits" (the numeric values
    // of QSerialPort's enumerations) that the map holds; when any differs
    // from the current value, reopens the port with the new settings.
    void onSetProperties(QVariantMap map) override;

private slots:
    void onReadData();
    void onError(QSerialPort::SerialPortError error);

private:
    QSerialPort *m_port = nullptr;
    quint32 m_baudRate = 9600;
    quint32 m_dataBits = 8;
    quint32 m_parity = 0;
    quint32 m_stopBits = 1;
    quint32 m_flowControl = 0;
    QElapsedTimer m_lastOpen;
    // The last failure logged, so that a port that stays away is logged once.
    QString m_lastFailure;
};
