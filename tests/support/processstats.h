#pragma once

#include <QByteArray>
#include <QFile>

#include <ctime>

// What the running process uses, from the kernel: for tests and benchmarks
// that check that something does not spin, grow or leak threads.
namespace ProcessStats {

// A field of /proc/self/status ("Threads", "VmRSS"), as a number (kB for sizes).
inline qint64 statusField(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

inline int threadCount()
{
    return int(statusField("Threads"));
}

inline qint64 residentKiB()
{
    return statusField("VmRSS");
}

// CPU time of the whole process (every thread), in milliseconds.
inline double cpuTimeMs()
{
    timespec time;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return double(time.tv_sec) * 1000.0 + double(time.tv_nsec) / 1.0e6;
}

} // namespace ProcessStats
