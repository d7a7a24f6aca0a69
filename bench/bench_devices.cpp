// The device ports under load, through the real worker-thread pattern:
// - what emitting a frame costs the GUI thread while the worker sleeps its
//   pacing, or tries a bridge that does not answer;
// - frames through a pty: complete, in order, and their spacing against the
//   pause asked for;
// - a device gone for "10 minutes" of frames (6000 frames, 10 a second in
//   real use, sent here at 100 a second): memory and threads before and after.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cstdio>

#include "devices/portdevice.h"
#include "devices/transport/outputdevice.h"
#include "support/processstats.h"
#include "support/ptyend.h"
#include "support/socatpair.h"
#include "tools/wifi-bridge-standin/wifibridgestandin.h"

namespace {

QVariantMap serialPort(const QString &path)
{
    return QVariantMap{{"type", 1}, {"name", path}};
}

QVariantMap bridgePort(const QHostAddress &address)
{
    return QVariantMap{{"type", 2}, {"name", "bench bridge"}, {"ip", address.toIPv4Address()}};
}

// A bridge out of reach on a loopback address of the benchmark's own.
bool startUnreachableBridge(WifiBridgeStandin &bridge, const char *address)
{
    WifiBridgeStandin::Settings settings;
    settings.address = QHostAddress(QString::fromLatin1(address));
    settings.announceTo = settings.address;
    settings.silent = true;
    settings.unreachable = true;
    return bridge.start(settings);
}

bool opened(PortDevice &device)
{
    if (QTest::qWaitFor([&] { return device.isPortOpen(); }, 3000))
        return true;
    std::printf("the port did not open\n");
    return false;
}

// Starts a socat pair and opens the device on its first end.
bool openOnPty(SocatPair &pair, PortDevice &device)
{
    if (!pair.start()) {
        std::printf("no pty pair: %s\n", qPrintable(pair.error()));
        return false;
    }
    device.setPort(serialPort(pair.first()));
    return opened(device);
}

double percentile(QList<double> values, double p)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(std::min<qsizetype>(values.size() - 1, qsizetype(p * double(values.size()))));
}

// A frame like a scoreboard text command.
QByteArray frame(int number)
{
    return QByteArray("\x02") + QByteArray::number(number).rightJustified(6, '0') + "|Zoë Ærøvik   6.12 m|\x03";
}

void emitCost(const char *what, PortDevice &device, int msleep)
{
    QList<double> costs;
    QElapsedTimer timer;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray bytes = frame(i);
        timer.start();
        emit device.writeData(bytes, msleep);
        costs.append(double(timer.nsecsElapsed()) / 1e6);
        // The GUI thread goes on with other work between frames.
        if (i % 10 == 9)
            QCoreApplication::processEvents();
    }
    std::printf("RESULT : emit a frame, %s: median %.4f ms, 99th percentile %.4f ms, max %.3f ms (%lld frames)\n", what,
                percentile(costs, 0.5), percentile(costs, 0.99), percentile(costs, 1.0), qlonglong(costs.size()));
}

void guiThreadCost()
{
    SocatPair pair;
    {
        PortDevice device(PortDevice::WriteData);
        if (!openOnPty(pair, device))
            return;
        PtyEnd peer(pair.second());
        emitCost("serial pty, worker pacing 75 ms per frame", device, 75);
        device.closePort();
    }
    WifiBridgeStandin bridge;
    if (!startUnreachableBridge(bridge, "127.0.13.201"))
        return;
    {
        PortDevice device(PortDevice::WriteData);
        device.setPort(bridgePort(bridge.settings().address));
        QTest::qWait(200); // the worker is waiting on the connection now
        emitCost("bridge out of reach, worker connecting", device, 75);
        device.closePort();
    }
}

void pacing()
{
    SocatPair pair;
    PortDevice device(PortDevice::WriteData);
    if (!openOnPty(pair, device))
        return;
    PtyEnd peer(pair.second());
    for (const int pause : {20, 75, 150}) {
        constexpr int frames = 40;
        QByteArray expected;
        for (int i = 0; i < frames; ++i) {
            expected += frame(i);
            emit device.writeData(frame(i), pause);
        }
        QList<qint64> arrivals;
        QElapsedTimer clock;
        clock.start();
        peer.waitFor(
            [&](const QByteArray &bytes) {
                const qint64 now = clock.nsecsElapsed();
                while (arrivals.size() < bytes.count('\x03'))
                    arrivals.append(now);
                return bytes.size() >= expected.size();
            },
            frames * (pause + 50) + 5000);
        const QByteArray got = peer.take();
        QList<double> gaps;
        for (int i = 1; i < arrivals.size(); ++i)
            gaps.append(double(arrivals.at(i) - arrivals.at(i - 1)) / 1e6);
        double mean = 0;
        for (double gap : gaps)
            mean += gap / double(gaps.size());
        std::printf("RESULT : pty, %d frames with pause %d ms: %s; spacing mean %.1f ms, min %.1f ms, max %.1f ms\n",
                    frames, pause, got == expected ? "complete and in order" : "INCOMPLETE OR OUT OF ORDER", mean,
                    percentile(gaps, 0), percentile(gaps, 1.0));
    }
}

void deadDevice(const char *what, PortDevice &device)
{
    constexpr int frames = 6000;
    constexpr int intervalMs = 10;
    int sent = 0;
    qint64 rssAfterWarmUp = 0;
    int threadsAfterWarmUp = 0;
    QList<qint64> samples;
    QTimer writer;
    writer.setInterval(intervalMs);
    QObject::connect(&writer, &QTimer::timeout, &device, [&] {
        emit device.writeData(frame(sent), 75);
        ++sent;
        if (sent == 500) {
            rssAfterWarmUp = ProcessStats::residentKiB();
            threadsAfterWarmUp = ProcessStats::threadCount();
        }
        if (sent % 1000 == 0)
            samples.append(ProcessStats::residentKiB());
        if (sent == frames)
            writer.stop();
    });
    const double cpuBefore = ProcessStats::cpuTimeMs();
    QElapsedTimer clock;
    clock.start();
    writer.start();
    if (!QTest::qWaitFor([&] { return sent >= frames; }, frames * intervalMs * 3))
        std::printf("the frames were not all sent in time\n");
    QTest::qWait(500);
    const double cpu = (ProcessStats::cpuTimeMs() - cpuBefore) / double(clock.elapsed()) * 100;
    QStringList series;
    for (qint64 kib : std::as_const(samples))
        series << QString::number(kib);
    std::printf("RESULT : %s, %d frames in %.0f s: resident %lld KiB after 500 frames, %lld KiB at the end "
                "(growth %lld KiB; every 1000 frames: %s KiB); threads %d then %d; CPU %.1f %%\n",
                what, sent, double(clock.elapsed()) / 1000, qlonglong(rssAfterWarmUp),
                qlonglong(ProcessStats::residentKiB()), qlonglong(ProcessStats::residentKiB() - rssAfterWarmUp),
                qPrintable(series.join(QLatin1Char(' '))), threadsAfterWarmUp, ProcessStats::threadCount(), cpu);
}

void goneForTenMinutes()
{
    {
        SocatPair pair;
        PortDevice device(PortDevice::WriteData);
        if (!openOnPty(pair, device))
            return;
        pair.stop(); // the adapter is pulled
        deadDevice("serial device pulled", device);
    }
    WifiBridgeStandin bridge;
    if (!startUnreachableBridge(bridge, "127.0.13.202"))
        return;
    PortDevice device(PortDevice::WriteData);
    device.setPort(bridgePort(bridge.settings().address));
    deadDevice("bridge out of reach", device);
}

} // namespace

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    guiThreadCost();
    pacing();
    goneForTenMinutes();
    return 0;
}
