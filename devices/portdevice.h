#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QVariantMap>

class OutputDevice;
class QThread;

// The base of every device object (scoreboard, countdown clock, video
// scoreboard, result output, EDM, wind gauge): a QObject on the GUI thread
// that owns one port transport (see devices/transport/) running in a worker
// thread of its own. Device object and transport meet only through queued
// signals, so a device protocol never blocks the GUI, and what crosses to
// the worker is bytes or plain values, never records or the store.
//
// How a device object uses it:
// - Pass the wiring of its port to the constructor: closeDevice() and
//   port_opened() are always connected; writeData(), set_properties() and
//   the transport's dataRead() (to onPortDataRead()) as the device needs.
// - In its constructor, call setPort(descriptorFromSettings(group)) with its
//   settings group, and setPort() again when the devices dialog picks
//   another port. A descriptor of no known "type" leaves it without a port:
//   then writeData() reaches nothing.
// - Emit writeData(bytes, msleep) to send a frame; msleep pauses the worker
//   after it, which spaces frames out. Frames go out in emission order.
// - Override onPortDataRead() for what the device answers (runs on the GUI
//   thread), and portStarted() for what must reach a new transport first
//   (serial settings through set_properties()).
// - port_opened(bool) tells whether the port is open; it is relayed from the
//   current transport only, never from one that was replaced.
//
// A transport is replaced or closed by emitting closeDevice() to it and
// waiting closeWaitMs with the event loop running. A second setPort() that
// arrives during that wait (a double tap) does not build a transport of its
// own: the latest port asked for is the one built, once. The destructor
// closes the port and waits (bounded) for every worker thread this object
// started, so none outlives the program.
class PortDevice : public QObject
{
    Q_OBJECT

public:
    enum Wire { WriteData = 0x1, SetProperties = 0x2, DataRead = 0x4 };
    Q_DECLARE_FLAGS(Wiring, Wire)

    static constexpr int closeWaitMs = 200;

    explicit PortDevice(Wiring wiring, QObject *parent = nullptr);
    ~PortDevice() override;

    // The port descriptor stored in a settings group: "type" (default 0),
    // "name" from "port" and "ip" (decimal text).
    static QVariantMap descriptorFromSettings(const QString &group);

    void setPort(const QVariantMap &descriptor);
    // Tells the transport to close and waits closeWaitMs for it.
    void closePort();

    bool hasPort() const { return m_transport != nullptr; }
    // The descriptor of the current transport (empty without one).
    QVariantMap port() const { return m_port; }
    // The last state the current transport reported.
    bool isPortOpen() const { return m_portOpen; }

    // Tells the transport to close without waiting for it; false when there
    // is none. For closing several devices at once (see DeviceSet).
    bool releasePort();
    // Waits up to ms for the worker threads of closed transports to end;
    // false when one is still running.
    bool waitForReleasedPorts(int ms);

    // A wait of ms milliseconds in a local event loop: the GUI goes on.
    static void waitWithEventLoop(int ms);

signals:
    void writeData(QByteArray data, int msleep);
    void closeDevice();
    void set_properties(QVariantMap map);
    void port_opened(bool open);

protected slots:
    virtual void onPortDataRead(QByteArray data);

protected:
    // Right after a new transport's thread has started.
    virtual void portStarted(const QVariantMap &descriptor);

private:
    bool release(bool report);
    void startTransport(const QVariantMap &descriptor);

    const Wiring m_wiring;
    OutputDevice *m_transport = nullptr;
    QThread *m_thread = nullptr;
    QVariantMap m_port;
    bool m_portOpen = false;
    // Threads of transports told to close, until they have ended.
    QList<QPointer<QThread>> m_released;
    // Changes of port: the one wanted, and a count of setPort()/closePort()
    // calls so that a change waiting for the old transport sees newer ones.
    QVariantMap m_wanted;
    bool m_portWanted = false;
    bool m_changing = false;
    quint64 m_requests = 0;
    // Which transport may still talk to this object.
    quint64 m_generation = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(PortDevice::Wiring)
