#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

// The serial side of a stand-in device: a pty (one end of a socat pair), a
// pipe or a file, used without Qt's serial port so that a pty that goes away
// and comes back is simply opened again by its path.
namespace RawPort {

// Opens it non-blocking, never as the controlling terminal, and raw when it
// is a terminal; -1 when it is not there (yet).
inline int open(const QString &path, int access)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), access | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0 && ::isatty(fd)) {
        termios raw;
        if (::tcgetattr(fd, &raw) == 0) {
            ::cfmakeraw(&raw);
            ::tcsetattr(fd, TCSANOW, &raw);
        }
    }
    return fd;
}

// Hands everything there is to take() in pieces; false when the other end
// is gone (a socat pair ended).
template <typename Take> bool readAvailable(int fd, Take take)
{
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count > 0) {
            take(QByteArray(buffer, qsizetype(count)));
            continue;
        }
        return count < 0 && (errno == EAGAIN || errno == EINTR);
    }
}

} // namespace RawPort
