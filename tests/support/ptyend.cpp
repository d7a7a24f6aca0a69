#include "ptyend.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <utility>
#include <unistd.h>

PtyEnd::~PtyEnd()
{
    close();
}

bool PtyEnd::open(const QString &path)
{
    close();
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    return m_fd >= 0;
}

void PtyEnd::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void PtyEnd::readAvailable()
{
    if (m_fd < 0)
        return;
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(m_fd, buffer, sizeof buffer);
        if (count <= 0)
            return;
        m_received.append(buffer, qsizetype(count));
    }
}

QByteArray PtyEnd::received()
{
    readAvailable();
    return m_received;
}

QByteArray PtyEnd::take()
{
    readAvailable();
    return std::exchange(m_received, {});
}

bool PtyEnd::waitFor(const std::function<bool(const QByteArray &)> &test, int ms)
{
    const QDeadlineTimer deadline(ms);
    for (;;) {
        readAvailable();
        if (test(m_received))
            return true;
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (m_fd >= 0) {
            pollfd ready{m_fd, POLLIN, 0};
            ::poll(&ready, 1, 5);
        } else {
            QThread::msleep(5);
        }
    }
}

bool PtyEnd::waitForBytes(qsizetype count, int ms)
{
    return waitFor([count](const QByteArray &bytes) { return bytes.size() >= count; }, ms);
}

bool PtyEnd::anythingWithin(int ms)
{
    const qsizetype before = received().size();
    waitFor([before](const QByteArray &bytes) { return bytes.size() > before; }, ms);
    return received().size() > before;
}

bool PtyEnd::write(const QByteArray &data)
{
    qsizetype done = 0;
    const QDeadlineTimer deadline(2000);
    while (m_fd >= 0 && done < data.size() && !deadline.hasExpired()) {
        const ssize_t count = ::write(m_fd, data.constData() + done, size_t(data.size() - done));
        if (count > 0)
            done += count;
        else if (count < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        else
            QThread::msleep(1);
    }
    return done == data.size();
}

termios PtyEnd::attributes() const
{
    termios result;
    std::memset(&result, 0, sizeof result);
    if (m_fd >= 0)
        ::tcgetattr(m_fd, &result);
    return result;
}
