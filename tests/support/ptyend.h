#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <termios.h>

// The test's end of a pty (see SocatPair): what a device under test writes
// to its end is read here, and what is written here the device reads. The
// waits keep the Qt event loop running, so queued signals of the code under
// test are delivered meanwhile.
class PtyEnd
{
public:
    PtyEnd() = default;
    explicit PtyEnd(const QString &path) { open(path); }
    ~PtyEnd();
    PtyEnd(const PtyEnd &) = delete;
    PtyEnd &operator=(const PtyEnd &) = delete;

    bool open(const QString &path);
    void close();
    bool isOpen() const { return m_fd >= 0; }

    // What has arrived so far (read now, without waiting), kept until take().
    QByteArray received();
    // Everything received, and forgets it.
    QByteArray take();
    // Waits until received() holds at least count bytes, or ms passed.
    bool waitForBytes(qsizetype count, int ms);
    // Waits until received() satisfies the test, or ms passed.
    bool waitFor(const std::function<bool(const QByteArray &)> &test, int ms);
    // Reads for ms and returns whether anything arrived.
    bool anythingWithin(int ms);

    bool write(const QByteArray &data);

    // The line settings of the pty (shared by both users of one pty).
    termios attributes() const;

private:
    void readAvailable();

    int m_fd = -1;
    QByteArray m_received;
};
