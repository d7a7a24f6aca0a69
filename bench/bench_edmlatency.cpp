// From the last byte of a distance meter's frame on the pty to the distance
// in the judge's input, on the real field event screen: the EDM on one end
// of a socat pair, its port in its worker thread, the EDM model with its
// store and waiting dialog, and the frame written to the other end as the
// instrument sends it. 100 readings, each asked for with the EDM button,
// the first attempt of each of 100 athletes.
// Prints the median and the worst, to the input and to the confirmed mark.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cstdio>

#include "app/settings.h"
#include "devices/edm.h"
#include "devices/edmdialogs.h"
#include "devices/edmmodel.h"
#include "fieldevents/fieldeventscreenfixture.h"
#include "support/ptyend.h"
#include "support/socatpair.h"
#include "support/testsupport.h"
#include "tools/total-station-standin/totalstationstandin.h"

namespace {

constexpr int Readings = 100;

double percentile(QList<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(std::min<qsizetype>(values.size() - 1, qsizetype(p * values.size())));
}

int run()
{
    SocatPair pair;
    if (!pair.start()) {
        std::printf("no pty pair: %s\n", qPrintable(pair.error()));
        return 1;
    }
    QSettings().clear();
    Settings::instance()->setValue("edm", "type", 1);
    Settings::instance()->setValue("edm", "port", pair.first());
    Settings::instance()->setValue("edm", "event_type", int(DiscusThrow));
    PtyEnd instrument(pair.second());
    TotalStationStandin station;

    // One attempt each: no re-sort question after the third round.
    QList<unsigned> athletes;
    for (unsigned id = 1; id <= Readings; ++id)
        athletes << id;
    FieldEventScreenFixture f({970, "H", "", 6, athletes}, QStringLiteral("127.0.16.201"));
    if (!f.started || !QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000)) {
        std::printf("the heat did not open\n");
        return 1;
    }
    // Slots run in the order they were connected: the first sees the reading
    // come from the port, the next the distance handed to the screen, the
    // last the mark confirmed.
    QElapsedTimer timer;
    double toReading = -1;
    double toInput = -1;
    double toMark = -1;
    EDM edm;
    QObject::connect(&edm, &EDM::measurement, [&] { toReading = timer.nsecsElapsed() / 1e6; });
    EDMModel model;
    model.setEDM(&edm);
    model.setDatabaseConnection(f.connection.get());
    EDMDialogs dialogs(&model, f.screen.get());
    if (!QTest::qWaitFor([&] { return edm.isPortOpen(); }, 3000)) {
        std::printf("the EDM's port did not open\n");
        return 1;
    }
    model.setPendingMeasurementType(Reference1Measurement);
    model.requestMeasurement();
    instrument.write(station.frameOf("centre"));
    if (!QTest::qWaitFor([&] { return !model.isWaiting(); }, 3000)) {
        std::printf("the centre of the circle was not measured\n");
        return 1;
    }

    QObject::connect(&model, &EDMModel::edmResult, [&] { toInput = timer.nsecsElapsed() / 1e6; });
    f.devices.edmModel = &model;
    f.screen->setDevices(f.devices);
    QObject::connect(&model, &EDMModel::edmResult, [&] { toMark = timer.nsecsElapsed() / 1e6; });

    QList<double> readings;
    QList<double> inputs;
    QList<double> marks;
    for (int i = 0; i < Readings; ++i) {
        f.click(QStringLiteral("btnCallParticipant"));
        f.click(QStringLiteral("btnEDM"));
        QCoreApplication::processEvents();
        station.field().setPoint("mark", {3 + (i % 7) * 0.8 - 2.4, 20 + i * 0.35, 0});
        const QByteArray frame = station.frameOf("mark");
        toReading = toInput = toMark = -1;
        // A real event loop, as the program runs: QTest::qWaitFor sleeps
        // 10 ms between its rounds.
        QEventLoop loop;
        const QMetaObject::Connection quit =
            QObject::connect(&model, &EDMModel::edmResult, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        QTimer::singleShot(3000, &loop, &QEventLoop::quit);
        instrument.write(frame);
        timer.start();
        loop.exec();
        QObject::disconnect(quit);
        if (toMark < 0) {
            std::printf("reading %d did not arrive\n", i + 1);
            return 1;
        }
        readings << toReading;
        inputs << toInput;
        marks << toMark;
        QTest::qWait(20);
    }
    std::printf("RESULT : EDM frame on the pty to the distance in the judge's input: median %.2f ms, 90th "
                "percentile %.2f ms, worst %.2f ms (%lld readings)\n",
                percentile(inputs, 0.5), percentile(inputs, 0.9), percentile(inputs, 1), qlonglong(inputs.size()));
    std::printf("RESULT : of which the frame to the reading on the GUI thread (port worker, frame reader): median "
                "%.2f ms, worst %.2f ms\n",
                percentile(readings, 0.5), percentile(readings, 1));
    std::printf("RESULT : EDM frame on the pty to the mark confirmed (stored, queued, ranked, next athlete): median "
                "%.2f ms, worst %.2f ms\n",
                percentile(marks, 0.5), percentile(marks, 1));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TestSupport::prepareApplication();
    return run();
}
