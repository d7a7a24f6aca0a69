#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <atomic>

// A port transport: the one thing that touches a device's hardware. It is
// created on the GUI thread, moved to a worker thread of its own and started
// by process(); from then on it is used only through queued signals (see
// PortDevice, which does all of that). The socket or serial port it drives is
// created in process(), so it belongs to the worker thread.
//
// A device that is unplugged, switched off or out of range is normal: a
// transport then reports port_opened(false), drops what it is given without
// blocking the worker for long, and tries the port again now and then, so
// that the device is picked up again by itself when it comes back.
class OutputDevice : public QObject
{
    Q_OBJECT

public:
    // The "type" of a port descriptor.
    enum Type { SerialPortType = 1, WifiToSerialType = 2, NoneType = 3 };

    OutputDevice(int type, const QString &name, quint32 ip = 0);

    int type() const { return m_type; }
    QString name() const { return m_name; }
    // IPv4 address in host order; 0 for anything but a Wi-Fi bridge.
    quint32 ip() const { return m_ip; }

    // The text shown for the "no device" port, and whether a port name is it
    // (in English or in the language of the interface).
    static QString noneName();
    static bool isNoneName(const QString &name);

    virtual QString displayName() const = 0;
    // Closes the port if it is open, opens it and emits port_opened().
    virtual void open() = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    virtual void write(const QByteArray &data) = 0;

    // Thread-safe, called from the device object's thread just before it
    // sends closeDevice(): frames still queued for this transport are dropped
    // without being written or paced, so closing is not held up by them.
    void requestStop() { m_stopRequested.store(true); }

public slots:
    // Worker-thread entry point, run when the thread starts.
    virtual void process() = 0;
    // write(data), then, when msleep > 0 and the port is open, pauses the
    // worker thread that long; this is how device protocols space out their
    // frames.
    virtual void onWriteData(QByteArray data, int msleep);
    // Closes the port and emits finished(), which ends the worker thread.
    virtual void onCloseDevice();
    virtual void onSetProperties(QVariantMap map) = 0;

signals:
    void port_opened(bool open);
    void dataRead(QByteArray data);
    void finished();

protected:
    bool stopRequested() const { return m_stopRequested.load(); }

private:
    const int m_type;
    const QString m_name;
    const quint32 m_ip;
    std::atomic<bool> m_stopRequested{false};
};
