#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSettings>
#include <QtTest>

#include <memory>

#include "app/settings.h"
#include "devices/edm.h"
#include "devices/edmdialogs.h"
#include "devices/edmmodel.h"
#include "devices/windspeed.h"
#include "fieldevents/fieldeventparticipantssortmodel.h"
#include "fieldeventscreenfixture.h"
#include "support/socatpair.h"
#include "support/standincable.h"
#include "support/testsupport.h"
#include "tools/total-station-standin/totalstationstandin.h"
#include "tools/wind-gauge-standin/windgaugestandin.h"

// The field event screen with the distance meter and the wind gauge, both
// stand-ins on ptys, and the dialogs the official answers.
class TestFieldEventMeasuring : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void edmButton_confirmsTheMeasuredMark_boardButtonRecalculatesIt();
    void windButton_showsTheGaugesWind_data();
    void windButton_showsTheGaugesWind();
};

namespace {

// The stand-in server's address (docs/testing.md).
const QString Host = QStringLiteral("127.0.16.1");

} // namespace

void TestFieldEventMeasuring::init()
{
    TestSupport::failOnUnexpectedWarnings();
    Settings::instance();
    QSettings().clear();
}

void TestFieldEventMeasuring::edmButton_confirmsTheMeasuredMark_boardButtonRecalculatesIt()
{
    SocatPair pair;
    TotalStationStandin station;
    QVERIFY(connectStandin(pair, station, "edm"));
    Settings::instance()->setValue("edm", "event_type", 3);
    Settings::instance()->setValue("edm", "number_boards", 2);
    FieldEventScreenFixture f({960, "H", "", 6, {1, 2}}, Host);
    QVERIFY(f.started);
    EDM edm;
    EDMModel model;
    model.setEDM(&edm);
    model.setDatabaseConnection(f.connection.get());
    EDMDialogs dialogs(&model, f.screen.get());
    f.devices.edmModel = &model;
    f.screen->setDevices(f.devices);
    QTRY_VERIFY(edm.isPortOpen());

    // The take-off boards, as the devices dialog measures them.
    for (const auto &[type, board, point] :
         {std::tuple{Reference1Measurement, 1, "board1a"}, std::tuple{Reference2Measurement, 1, "board1b"},
          std::tuple{Reference1Measurement, 2, "board2a"}, std::tuple{Reference2Measurement, 2, "board2b"}}) {
        model.setPendingMeasurementType(type);
        model.setTakeOffBoard(board);
        model.requestMeasurement();
        QVERIFY(model.isWaiting());
        station.measure(point);
        QTRY_VERIFY(!model.isWaiting());
    }
    model.setTakeOffBoard(1);

    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    f.click("btnCallParticipant");
    f.click("btnEDM");
    auto *waiting = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
    QVERIFY(waiting);
    QCOMPARE(waiting->labelText(), QStringLiteral("Waiting for laser distance measurement..."));
    station.measure("jump");
    // 6.47 m from board 1: stored, shown and sent, and the next athlete is up.
    QTRY_VERIFY(f.drawn(1)->resultOfAttempt(1));
    QCOMPARE(f.drawn(1)->resultOfAttempt(1)->value, 6.47);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(f.screen->currentPage(), int(FieldEventWidget::OverviewPage));
    QCOMPARE(f.currentDrawn(), 2u);

    // The athlete took off from board 2: back to the mark, recalculated.
    FieldEventParticipantsModel *grid = f.screen->gridModel();
    f.screen->onParticipantsViewClicked(f.screen->sortModel()->mapFromSource(
        grid->index(grid->rowOfParticipation(f.drawn(1)->id), FieldEventParticipantsModel::FirstAttemptColumn)));
    f.click("btnCallParticipant");
    QString title;
    QString replacement;
    // Asked whether to recalculate, then shown the new mark before it
    // replaces the stored one.
    ModalAnswerer yes({[&title](QWidget *dialog) {
                           title = dialog->windowTitle();
                           press(dialog, "Yes");
                       },
                       [&replacement](QWidget *dialog) {
                           replacement = dialog->objectName() + ": " + qobject_cast<QMessageBox *>(dialog)->text();
                           press(dialog, "Yes");
                       }});
    f.click("btnTakeOffBoard2");
    QCOMPARE(yes.answered(), 2);
    QCOMPARE(title, QStringLiteral("Recalculate result"));
    QVERIFY2(replacement.startsWith("msgOverwriteMark") && replacement.endsWith("Replace it with 3.47?"),
             qPrintable(replacement));
    QCOMPARE(f.drawn(1)->resultOfAttempt(1)->value, 3.47);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 5000));
    const QList<StandinCompetition::StoredResult> onServer = f.serverResults(f.drawn(1)->participation_id);
    QCOMPARE(onServer.size(), 1);
}

void TestFieldEventMeasuring::windButton_showsTheGaugesWind_data()
{
    QTest::addColumn<bool>("answers");
    QTest::addColumn<QString>("shown");
    QTest::newRow("gauge answers 1.2") << true << "1.2 m/s";
    QTest::newRow("gauge silent") << false << "N/A";
}

void TestFieldEventMeasuring::windButton_showsTheGaugesWind()
{
    QFETCH(bool, answers);
    QFETCH(QString, shown);
    SocatPair pair;
    WindGaugeStandin gauge;
    QVERIFY(connectStandin(pair, gauge, "windspeed"));
    gauge.setWind(1.2);
    gauge.setMode(answers ? WindGaugeStandin::Mode::Wind : WindGaugeStandin::Mode::Silent);
    FieldEventScreenFixture f({961, "H", "I", 6, {1, 2}}, Host);
    QVERIFY(f.started);
    Windspeed wind;
    f.devices.windspeed = &wind;
    f.screen->setDevices(f.devices);
    QTRY_VERIFY(wind.isPortOpen());

    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    f.click("btnCallParticipant");
    f.click("btnWind");
    QTRY_COMPARE(gauge.starts(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(f.widget<QLabel>("lblWind")->text(), shown, 8000);
    if (!answers)
        return;
    // The measured wind goes with the mark: no wind to type.
    f.type("6,12");
    ModalAnswerer none({});
    f.click("btnEnter");
    QCOMPARE(none.answered(), 0);
    QCOMPARE(f.drawn(1)->resultOfAttempt(1)->wind, 1.2);
}

STADIONIX_TEST_MAIN(TestFieldEventMeasuring)
#include "tst_fieldeventmeasuring.moc"
