#include "socatpair.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

SocatPair::SocatPair() = default;

SocatPair::~SocatPair()
{
    stop();
}

bool SocatPair::start(int timeoutMs)
{
    stop();
    const QString socat = QStandardPaths::findExecutable(QStringLiteral("socat"));
    if (socat.isEmpty()) {
        m_error = QStringLiteral("socat is not installed");
        return false;
    }
    m_socat = std::make_unique<QProcess>();
    m_socat->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    m_socat->setStandardErrorFile(QProcess::nullDevice());
    m_socat->start(socat,
                   {QStringLiteral("-d"), QStringLiteral("-d"), QStringLiteral("pty,raw,echo=0,link=%1").arg(first()),
                    QStringLiteral("pty,raw,echo=0,link=%1").arg(second())});
    if (!m_socat->waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("socat did not start: %1").arg(m_socat->errorString());
        m_socat.reset();
        return false;
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (!(QFileInfo::exists(first()) && QFileInfo::exists(second()))) {
        if (deadline.hasExpired() || m_socat->state() != QProcess::Running) {
            m_error = QStringLiteral("socat made no pty pair in %1 ms").arg(timeoutMs);
            stop();
            return false;
        }
        QThread::msleep(10);
    }
    return true;
}

void SocatPair::stop()
{
    if (m_socat) {
        if (m_socat->state() != QProcess::NotRunning) {
            m_socat->terminate();
            if (!m_socat->waitForFinished(3000)) {
                m_socat->kill();
                m_socat->waitForFinished(3000);
            }
        }
        m_socat.reset();
    }
    // socat removes its links when it ends; make sure of it.
    QFile::remove(first());
    QFile::remove(second());
}

bool SocatPair::isRunning() const
{
    return m_socat && m_socat->state() == QProcess::Running;
}
