#include "devices/attemptcountdown.h"

#include <QTimer>

#include "app/settings.h"

namespace {
const QString Group = QStringLiteral("countdown");
} // namespace

AttemptCountdown::AttemptCountdown(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
    , m_remaining(storedValue())
    , m_startAfterCall(Settings::instance()->value(Group, QStringLiteral("start_countdown_after_call"), false).toBool())
{
    // A coarse timer may fire up to 5 % late, 50 ms a second: an athlete
    // watches the clock against the official's watch.
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(TickMs);
    connect(m_timer, &QTimer::timeout, this, &AttemptCountdown::tick);
}

unsigned AttemptCountdown::storedValue()
{
    return Settings::instance()->value(Group, QStringLiteral("value"), 60).toUInt();
}

void AttemptCountdown::storeValue(unsigned seconds)
{
    Settings::instance()->setValue(Group, QStringLiteral("value"), seconds);
}

bool AttemptCountdown::isRunning() const
{
    return m_timer->isActive();
}

void AttemptCountdown::start()
{
    m_state = Running;
    m_timer->start();
}

void AttemptCountdown::stop()
{
    m_timer->stop();
}

void AttemptCountdown::rearm()
{
    m_timer->stop();
    m_state = Ready;
    m_remaining = storedValue();
    emit valueUpdated(m_remaining);
    m_shownOnce = false;
}

void AttemptCountdown::startPause(bool manual, bool rearmFinished)
{
    if (m_timer->isActive()) {
        m_state = Paused;
        m_timer->stop();
        return;
    }
    switch (m_state) {
    case Finished:
        if (rearmFinished)
            rearm();
        emit showRemaining();
        break;
    case Ready:
        if (manual || m_startAfterCall) {
            emit showRemaining();
            start();
        } else if (!m_shownOnce) {
            emit showRemaining();
            m_shownOnce = true;
        } else {
            start();
        }
        break;
    case Paused:
        start();
        break;
    case Initial:
    case Running:
        break;
    }
}

void AttemptCountdown::reset()
{
    rearm();
}

void AttemptCountdown::setValue(unsigned seconds)
{
    m_state = Ready;
    m_remaining = seconds;
    emit showRemaining();
}

void AttemptCountdown::tick()
{
    if (m_remaining > 0) {
        --m_remaining;
        emit showRemaining();
        emit valueUpdated(m_remaining);
    } else {
        m_state = Finished;
        m_timer->stop();
    }
}
