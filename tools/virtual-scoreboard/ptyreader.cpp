#include "tools/virtual-scoreboard/ptyreader.h"

#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include "tools/common/rawport.h"

PtyReader::PtyReader(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(path)
    , m_retry(new QTimer(this))
{
    m_retry->setInterval(1000);
    connect(m_retry, &QTimer::timeout, this, &PtyReader::open);
    open();
}

PtyReader::~PtyReader()
{
    close();
}

void PtyReader::open()
{
    if (m_fd >= 0)
        return;
    const int fd = RawPort::open(m_path, O_RDONLY);
    if (fd < 0) {
        // Not there yet: a socat pair started later (or again) is picked up.
        m_retry->start();
        return;
    }
    m_retry->stop();
    m_fd = fd;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyReader::onReadable);
}

void PtyReader::close()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void PtyReader::onReadable()
{
    if (RawPort::readAvailable(m_fd, [this](const QByteArray &bytes) { emit received(bytes); }))
        return;
    // The pair ended: wait for it to come back.
    close();
    m_retry->start();
}
