#include "devices/portdevice.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <utility>

#include "app/settings.h"
#include "devices/transport/outputdevice.h"
#include "devices/transport/outputdevicefactory.h"
#include "devices/transport/transportlogging.h"

namespace {
// How long the destructor waits for a worker thread before giving up on it.
constexpr int joinTimeoutMs = 3000;
} // namespace

PortDevice::PortDevice(Wiring wiring, QObject *parent)
    : QObject(parent)
    , m_wiring(wiring)
{}

PortDevice::~PortDevice()
{
    release(false);
    waitForReleasedPorts(joinTimeoutMs);
}

QVariantMap PortDevice::descriptorFromSettings(const QString &group)
{
    Settings *settings = Settings::instance();
    return QVariantMap{
        {QStringLiteral("type"), settings->value(group, QStringLiteral("type"), 0).toUInt()},
        {QStringLiteral("name"), settings->value(group, QStringLiteral("port"), QString()).toString()},
        {QStringLiteral("ip"), settings->value(group, QStringLiteral("ip"), QString()).toString()},
    };
}

void PortDevice::waitWithEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void PortDevice::setPort(const QVariantMap &descriptor)
{
    m_wanted = descriptor;
    m_portWanted = true;
    ++m_requests;
    if (m_changing)
        return; // the change under way builds this one when its wait is over
    m_changing = true;
    const QPointer<PortDevice> self(this);
    while (m_portWanted) {
        m_portWanted = false;
        const QVariantMap next = m_wanted;
        const quint64 request = m_requests;
        if (releasePort()) {
            waitWithEventLoop(closeWaitMs);
            if (!self)
                return;
            if (request != m_requests)
                continue; // asked again (or closed) meanwhile
        }
        startTransport(next);
    }
    m_changing = false;
}

void PortDevice::closePort()
{
    m_portWanted = false;
    ++m_requests;
    if (releasePort())
        waitWithEventLoop(closeWaitMs);
}

bool PortDevice::releasePort()
{
    return release(true);
}

bool PortDevice::release(bool report)
{
    if (!m_transport)
        return false;
    // Nothing more reaches the old transport, and it drops what is queued.
    disconnect(this, &PortDevice::writeData, m_transport, nullptr);
    disconnect(this, &PortDevice::set_properties, m_transport, nullptr);
    m_transport->requestStop();
    emit closeDevice();
    disconnect(this, &PortDevice::closeDevice, m_transport, nullptr);
    ++m_generation;
    m_transport = nullptr;
    m_released.append(m_thread);
    m_thread = nullptr;
    m_port.clear();
    const bool wasOpen = std::exchange(m_portOpen, false);
    if (report && wasOpen)
        emit port_opened(false);
    return true;
}

bool PortDevice::waitForReleasedPorts(int ms)
{
    QDeadlineTimer deadline(ms);
    bool allEnded = true;
    for (const QPointer<QThread> &thread : std::as_const(m_released)) {
        if (!thread)
            continue;
        if (thread->wait(deadline)) {
            // Its own deleteLater may not come any more (the program ends).
            delete thread.data();
        } else {
            qCWarning(lcTransport) << "A device's port thread did not end in time";
            allEnded = false;
        }
    }
    m_released.removeAll(QPointer<QThread>());
    return allEnded;
}

void PortDevice::startTransport(const QVariantMap &descriptor)
{
    m_released.removeAll(QPointer<QThread>());
    OutputDevice *transport = OutputDeviceFactory::create(descriptor);
    if (!transport)
        return;
    auto *thread = new QThread;
    const quint64 generation = ++m_generation;
    connect(thread, &QThread::started, transport, &OutputDevice::process);
    // Direct (QThread::quit is thread-safe): the thread ends even when the
    // GUI thread is not running its event loop, as at exit.
    connect(transport, &OutputDevice::finished, thread, &QThread::quit, Qt::DirectConnection);
    connect(transport, &OutputDevice::finished, transport, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    if (m_wiring.testFlag(WriteData))
        connect(this, &PortDevice::writeData, transport, &OutputDevice::onWriteData);
    connect(this, &PortDevice::closeDevice, transport, &OutputDevice::onCloseDevice);
    if (m_wiring.testFlag(SetProperties))
        connect(this, &PortDevice::set_properties, transport, &OutputDevice::onSetProperties);
    if (m_wiring.testFlag(DataRead)) {
        connect(transport, &OutputDevice::dataRead, this, [this, generation](const QByteArray &data) {
            if (generation == m_generation)
                onPortDataRead(data);
        });
    }
    connect(transport, &OutputDevice::port_opened, this, [this, generation](bool open) {
        if (generation != m_generation)
            return;
        m_portOpen = open;
        emit port_opened(open);
    });
    transport->moveToThread(thread);
    m_transport = transport;
    m_thread = thread;
    m_port = descriptor;
    thread->start(QThread::InheritPriority);
    portStarted(descriptor);
}

void PortDevice::onPortDataRead(QByteArray data)
{
    Q_UNUSED(data)
}

void PortDevice::portStarted(const QVariantMap &descriptor)
{
    Q_UNUSED(descriptor)
}
