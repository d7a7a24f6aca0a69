#include "devices/countdownclock.h"

#include <QCoreApplication>

#include "app/settings.h"
#include "devices/layoutfileloader.h"
#include "devices/scoreboarddriverinterface.h"
#include "devices/scoreboarddriverloader.h"
#include "devices/scoreboarditemfiller.h"
#include "devices/transport/transportlogging.h"

namespace {

const QString Group = QStringLiteral("countdown");
const QLatin1String FirstType("ie 1.0.1");
const QLatin1String SecondType("cv 1.0.1");

} // namespace

CountdownClock::CountdownClock(QObject *parent)
    : CountdownClock(QCoreApplication::applicationDirPath(), parent)
{}

CountdownClock::CountdownClock(const QString &programFolder, QObject *parent)
    : PortDevice(WriteData, parent)
    , m_folder(programFolder)
    , m_countdown(new AttemptCountdown(this))
{
    loadDrivers();
    loadLayouts();
    setPort(descriptorFromSettings(Group));
    selectLayout(Settings::instance()->value(Group, QStringLiteral("layout"), QString()).toString());
    connect(m_countdown, &AttemptCountdown::showRemaining, this, &CountdownClock::send);
    connect(m_countdown, &AttemptCountdown::valueUpdated, this, &CountdownClock::valueUpdated);
}

CountdownClock::~CountdownClock() = default;

void CountdownClock::loadDrivers()
{
    useDrivers(ScoreboardDriverLoader::load(m_folder + QStringLiteral("/scoreboarddrivers")));
}

void CountdownClock::useDrivers(const QList<ScoreboardDriverInterface *> &drivers)
{
    m_drivers = drivers;
    m_firstDriver = nullptr;
    m_secondDriver = nullptr;
    for (ScoreboardDriverInterface *driver : drivers) {
        const QString name = driver->name();
        qCDebug(lcTransport).noquote() << "Scoreboard driver: " + name;
        if (!m_firstDriver && name.toLower().contains(FirstType))
            m_firstDriver = driver;
        if (!m_secondDriver && name.toLower().contains(SecondType))
            m_secondDriver = driver;
    }
    chooseDriver();
}

void CountdownClock::loadLayouts()
{
    m_layouts.clear();
    m_summaries.clear();
    const QList<LayoutFileLoader::File> files = LayoutFileLoader::load(
        m_folder + QStringLiteral("/countdownclocklayouts"), QStringLiteral("countdownclocklayout"));
    for (const LayoutFileLoader::File &file : files) {
        m_layouts.append(file.layout);
        m_summaries.append({{QStringLiteral("name"), file.layout.value(QLatin1String("name")).toString()},
                            {QStringLiteral("type"), file.layout.value(QLatin1String("layoutname")).toString()},
                            {QStringLiteral("filename"), file.fileName}});
    }
}

void CountdownClock::selectLayout(const QString &layoutName)
{
    m_layoutName = layoutName;
    m_layout = QJsonObject();
    for (const QJsonObject &layout : std::as_const(m_layouts)) {
        if (layout.value(QLatin1String("layoutname")).toString() == layoutName) {
            m_layout = layout;
            break;
        }
    }
    chooseDriver();
}

void CountdownClock::chooseDriver()
{
    m_driver = nullptr;
    m_text5 = false;
    m_brightnessDriver = m_firstDriver;
    const QJsonObject range = m_layout.value(QLatin1String("set_brightness")).toObject();
    m_brightnessMinimum = range.value(QLatin1String("minimum")).toInt();
    m_brightnessMaximum = range.value(QLatin1String("maximum")).toInt();
    m_brightnessStep = 1;
    if (m_layout.isEmpty())
        return;
    const QString controller = m_layout.value(QLatin1String("controllertype")).toString();
    if (controller.toLower() == FirstType) {
        m_driver = m_firstDriver;
        m_text5 = m_layout.value(QLatin1String("mode")).toString() == QLatin1String("TEXT5");
        return;
    }
    if (controller.toLower() == SecondType) {
        m_driver = m_secondDriver;
        return;
    }
    // An LED board of a delivered make as the clock: its driver, exactly by
    // name as for the scoreboard, with the board's brightness.
    for (ScoreboardDriverInterface *driver : std::as_const(m_drivers)) {
        if (driver->name() == controller) {
            m_driver = driver;
            m_brightnessDriver = driver;
            m_brightnessMinimum = driver->brightnessMinimum();
            m_brightnessMaximum = driver->brightnessMaximum();
            m_brightnessStep = driver->brightnessStep();
            return;
        }
    }
}

void CountdownClock::send()
{
    if (m_layout.isEmpty() || !m_driver || !hasPort())
        return;
    const QJsonObject clock = m_layout.value(QLatin1String("countdown_clock")).toObject();
    const QJsonObject item = ScoreboardItemFiller::countdownItem(clock, clock.value(QLatin1String("alert")).toInt(),
                                                                 m_countdown->remaining());
    if (!item.value(QLatin1String("enabled")).toBool())
        return;
    const QByteArray bytes = m_text5 ? m_driver->text5Command(item, 1) : m_driver->textCommand(item, 1);
    if (!bytes.isEmpty())
        emit writeData(bytes, 0);
}

void CountdownClock::setCountdownValue(int seconds, bool store)
{
    const unsigned value = unsigned(qMax(0, seconds));
    if (store)
        AttemptCountdown::storeValue(value);
    m_countdown->setValue(value);
}

void CountdownClock::startPauseCountdown(bool manual)
{
    m_countdown->startPause(manual);
}

void CountdownClock::resetCountdown()
{
    m_countdown->reset();
}

bool CountdownClock::isCountdownRunning() const
{
    return m_countdown->isRunning();
}

void CountdownClock::stopCountdown()
{
    m_countdown->stop();
}

void CountdownClock::onTimerTimeout()
{
    m_countdown->tick();
}

void CountdownClock::stepBrightness()
{
    if (!m_brightnessDriver || !hasPort())
        return;
    m_brightness += m_brightnessStep;
    if (m_brightness > m_brightnessMaximum)
        m_brightness = m_brightnessMinimum;
    emit writeData(m_brightnessDriver->brightnessCommand(1, QString::number(m_brightness)), 0);
    emit brightnessUpdated(uint(m_brightness), uint(m_brightnessMaximum));
}
