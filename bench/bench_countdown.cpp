// The attempt clock's ticks at the board: a C-Power board of 128x32 as the
// clock on one end of a socat pair, the virtual scoreboard reading the other
// end. The clock counts down from 61 s; each tick's frame is timed when the
// board has decoded it. Prints the spacing of the frames (median, the worst
// distance from one second) and how far the last frame is from where a
// perfect clock would be, for the Changhong and the C-Power board.
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/settings.h"
#include "devices/countdownclock.h"
#include "support/socatpair.h"
#include "tools/virtual-scoreboard/virtualscoreboard.h"

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

void measure(const QString &layoutName, int seconds)
{
    const QString build = QStringLiteral(STADIONIX_BUILD_DIR);
    SocatPair pair;
    if (!pair.start())
        qFatal("socat: %s", qPrintable(pair.error()));
    VirtualScoreboard board;
    VirtualScoreboard::Settings settings;
    QString error;
    if (!VirtualScoreboard::readLayout(build + "/countdownclocklayouts/" + layoutName + ".json", &settings, &error))
        qFatal("layout: %s", qPrintable(error));
    settings.ptyPath = pair.second();
    board.start(settings);
    Settings *stored = Settings::instance();
    stored->setValue("countdown", "layout", layoutName);
    stored->setValue("countdown", "type", 1);
    stored->setValue("countdown", "port", pair.first());
    stored->setValue("countdown", "start_countdown_after_call", true);
    CountdownClock clock(build);
    if (!QTest::qWaitFor([&] { return clock.isPortOpen(); }, 5000))
        qFatal("the clock's port did not open");

    QElapsedTimer elapsed;
    QList<qint64> arrivals; // ms, when the board showed each value
    QObject::connect(&board, &VirtualScoreboard::changed, [&] { arrivals.append(elapsed.elapsed()); });
    clock.setCountdownValue(seconds, false);
    if (!QTest::qWaitFor([&] { return arrivals.size() == 1; }, 5000))
        qFatal("the board did not show the clock");
    arrivals.clear();
    elapsed.start();
    clock.startPauseCountdown(false);
    if (!QTest::qWaitFor([&] { return arrivals.size() == seconds + 1; }, (seconds + 5) * 1000))
        qFatal("%d of %d frames", int(arrivals.size()), seconds + 1);

    QList<double> spacing;
    double worst = 0;
    for (int i = 1; i < arrivals.size(); ++i) {
        spacing.append(double(arrivals.at(i) - arrivals.at(i - 1)));
        worst = std::max(worst, std::abs(spacing.last() - 1000));
    }
    // Against a perfect clock started with the first frame.
    double drift = 0;
    for (int i = 1; i < arrivals.size(); ++i)
        drift = std::max(drift, std::abs(double(arrivals.at(i) - arrivals.at(0) - 1000 * i)));
    std::printf("RESULT : %s, %d ticks: spacing median %.0f ms, min %.0f ms, max %.0f ms, worst off one second "
                "%.0f ms; farthest from a perfect clock %.0f ms; board rejected %d\n",
                qPrintable(layoutName), int(spacing.size()), median(spacing),
                *std::min_element(spacing.cbegin(), spacing.cend()),
                *std::max_element(spacing.cbegin(), spacing.cend()), worst, drift, board.rejected());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Chronavel"));
    QCoreApplication::setApplicationName(QStringLiteral("Stadionix"));
    const int seconds = argc > 1 ? QByteArray(argv[1]).toInt() : 60;
    measure(QStringLiteral("attempt-clock-cpower-128x32"), seconds);
    measure(QStringLiteral("attempt-clock-changhong-96x32"), seconds);
    return 0;
}
