#include "devices/deviceset.h"

#include <QCoreApplication>

#include "devices/countdownclock.h"
#include "devices/edm.h"
#include "devices/edmmodel.h"
#include "devices/scoreboard.h"
#include "devices/thirdpartyresult.h"
#include "devices/videoscoreboard.h"
#include "devices/windspeed.h"

namespace {
// How long closeAll() waits for the worker threads after the close wait.
constexpr int threadEndTimeoutMs = 2000;
} // namespace

DeviceSet::DeviceSet(QObject *parent)
    : DeviceSet(QCoreApplication::applicationDirPath(), parent)
{}

DeviceSet::DeviceSet(const QString &programFolder, QObject *parent)
    : QObject(parent)
    , m_scoreboard(new Scoreboard(programFolder, this))
    , m_videoScoreboard(new VideoScoreboard(this))
    , m_thirdPartyResult(new ThirdPartyResult(this))
    , m_windspeed(new Windspeed(this))
    , m_edm(new EDM(this))
    , m_edmModel(new EDMModel(this))
    , m_countdownClock(new CountdownClock(programFolder, this))
{
    m_edmModel->setEDM(m_edm);
}

DeviceSet::~DeviceSet()
{
    closeAll();
}

QList<PortDevice *> DeviceSet::portDevices() const
{
    return {m_scoreboard, m_videoScoreboard, m_windspeed, m_edm, m_countdownClock, m_thirdPartyResult};
}

void DeviceSet::closeAll()
{
    bool released = false;
    const QList<PortDevice *> devices = portDevices();
    for (PortDevice *device : devices)
        released = device->releasePort() || released;
    if (released)
        PortDevice::waitWithEventLoop(PortDevice::closeWaitMs);
    for (PortDevice *device : devices)
        device->waitForReleasedPorts(threadEndTimeoutMs);
}
