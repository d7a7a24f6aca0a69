#include <QRandomGenerator>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

#include "app/settings.h"
#include "devices/edmframereader.h"
#include "devices/edmresult.h"
#include "devices/edmtakeoffboardmeasurement.h"
#include "edmfixture.h"
#include "support/socatpair.h"
#include "support/testsupport.h"
#include "tools/total-station-standin/totalstationstandin.h"

// The EDM against the stand-in total station: a calibration and a
// competition over a pty, the program restarted on its store, and the
// distances of many throws, jumps and crossbar heights against the true
// ones of the stand-in's field.
class TestEDMCompetition : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void longJumpOverPty_calibrationSurvivesRestart_oldResultsArePurged();
    void accuracy_tenThousandMarks_withinOneMillimetre();
};

namespace {

// Asks the model for a reading, has the instrument measure the point and
// waits until the model has it.
bool aim(EDMFixture &f, TotalStationStandin &station, EDMMeasurementType type, const QString &point, int board = 1)
{
    f.model->setPendingMeasurementType(type);
    f.model->setTakeOffBoard(board);
    f.model->requestMeasurement();
    if (!f.model->isWaiting())
        return false;
    station.measure(point);
    return QTest::qWaitFor([&f] { return !f.model->isWaiting(); }, 3000);
}

double lastResult(const QSignalSpy &results)
{
    return results.isEmpty() ? -1 : results.last().first().toDouble();
}

} // namespace

void TestEDMCompetition::init()
{
    TestSupport::failOnUnexpectedWarnings();
    Settings::instance();
    QSettings().clear();
}

void TestEDMCompetition::longJumpOverPty_calibrationSurvivesRestart_oldResultsArePurged()
{
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    Settings::instance()->setValue("edm", "type", 1);
    Settings::instance()->setValue("edm", "port", pair.first());
    // As the devices dialog stores them.
    Settings::instance()->setValue("edm", "event_type", 3);
    Settings::instance()->setValue("edm", "number_boards", 2);
    TotalStationStandin station;
    QVERIFY(station.openSerial(pair.second()));
    const TotalStationField &field = station.field();
    const auto fromBoard = [&field](int board, const QString &point) {
        const QString line = QStringLiteral("board%1").arg(board);
        return TotalStationField::distanceToLine(field.point(point), field.point(line + 'a'), field.point(line + 'b'));
    };

    EDMFixture f(LongOrTripleJump);
    QTRY_VERIFY(f.edm->isPortOpen());
    QSignalSpy readings(f.model.get(), &EDMModel::edmMeasurement);
    QSignalSpy results(f.model.get(), &EDMModel::edmResult);

    // Readings nobody asked for are not taken.
    station.measure("jump");
    QTest::qWait(300);
    QCOMPARE(readings.size(), 0);

    // The four take-off board points, through what a line does to frames.
    station.splitNext(3, 30);
    QVERIFY(aim(f, station, Reference1Measurement, "board1a", 1));
    station.garbageBeforeNext(60);
    QVERIFY(aim(f, station, Reference2Measurement, "board1b", 1));
    station.send(TotalStationStandin::noise(4096));
    station.wrongBlockCheckNext();
    f.model->setPendingMeasurementType(Reference1Measurement);
    f.model->setTakeOffBoard(2);
    f.model->requestMeasurement();
    station.measure("board2a");
    QTest::qWait(300);
    QVERIFY(f.model->isWaiting());
    station.measure("board2a");
    QTRY_VERIFY(!f.model->isWaiting());
    // Two frames in one block: the first answers; the second is no answer
    // to the next request.
    f.model->setPendingMeasurementType(Reference2Measurement);
    f.model->requestMeasurement();
    station.send(station.frameOf("board2b") + station.frameOf("jump"));
    QTRY_VERIFY(!f.model->isWaiting());
    QCOMPARE(readings.size(), 4);
    QVERIFY(f.model->referencesComplete(ResultMeasurement));

    // A test against the tape, on board 1.
    const double tape = std::round(fromBoard(1, "test") * 100) / 100;
    f.official.tapeAnswers = {tape};
    QVERIFY(aim(f, station, TestMeasurement, "test", 1));
    QVERIFY(std::abs(lastResult(results) - fromBoard(1, "test")) < 0.001);
    QCOMPARE(f.model->testResults().size(), 1);
    QCOMPARE(f.model->testResults().first()->referenceResult, tape);

    // Ten jumps, in the frame kinds and units the instrument may be set to.
    QRandomGenerator random(1016);
    for (int jump = 0; jump < 10; ++jump) {
        station.setFormat(
            {jump % 2 ? TotalStationStandin::FrameKind::Slope : TotalStationStandin::FrameKind::Horizontal,
             jump % 3 ? TotalStationStandin::DistanceUnit::Metres : TotalStationStandin::DistanceUnit::Feet,
             jump % 4 ? TotalStationStandin::AngleUnit::DegreesMinutesSeconds
                      : TotalStationStandin::AngleUnit::DecimalDegrees});
        const QString name = QStringLiteral("mark%1").arg(jump);
        station.field().setPoint(name, {-8 + random.bounded(0.8) - 0.4, 23 + random.bounded(6.0), 0});
        QVERIFY(aim(f, station, ResultMeasurement, name, 1));
        QCOMPARE(results.size(), 2 + jump);
        QVERIFY2(
            std::abs(lastResult(results) - fromBoard(1, name)) < 0.001,
            qPrintable(QStringLiteral("%1: %2 for %3").arg(name).arg(lastResult(results)).arg(fromBoard(1, name))));
    }
    QCOMPARE(f.rows("edmeventresults"), 11);

    // The program starts again on the same store: the calibration is there.
    f.restart();
    QTRY_VERIFY(f.edm->isPortOpen());
    QCOMPARE(f.model->eventType(), unsigned(LongOrTripleJump));
    QCOMPARE(f.model->takeOffBoardMeasurements().size(), 4);
    QCOMPARE(f.model->testResults().size(), 1);
    QSignalSpy resultsAfter(f.model.get(), &EDMModel::edmResult);
    QVERIFY(aim(f, station, ResultMeasurement, "jump", 2));
    QVERIFY(std::abs(lastResult(resultsAfter) - fromBoard(2, "jump")) < 0.001);

    // Two days later the results go, with their links and marks; the board
    // points stay.
    QSqlQuery age(f.connection->store()->database());
    QVERIFY(age.exec("UPDATE edmeventresults SET since = datetime('now', '-2 days', '-1 seconds')"));
    f.restart();
    QCOMPARE(f.rows("edmeventresults"), 0);
    QCOMPARE(f.rows("edmeventmeasurements"), 0);
    QCOMPARE(f.rows("edmmeasurements"), 4);
    QVERIFY(f.model->testResults().isEmpty());
    QCOMPARE(f.model->takeOffBoardMeasurements().size(), 4);
    QVERIFY(f.model->referencesComplete(ResultMeasurement));
}

void TestEDMCompetition::accuracy_tenThousandMarks_withinOneMillimetre()
{
    // A store in memory: ten thousand results with a sync each would take
    // minutes on a disk.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("WAL journal not available"));
    EDMFixture f(NoEventType, QStringLiteral("file:accuracy?mode=memory&cache=shared"));
    QSignalSpy results(f.model.get(), &EDMModel::edmResult);
    EDMFrameReader reader;
    QRandomGenerator random(20260613);
    const auto uniform = [&random](double from, double to) { return from + random.bounded(to - from); };
    // Feeds the frame of a point, as the instrument sends it, to the model.
    const auto deliver = [&](TotalStationStandin &station, EDMMeasurementType type, const FieldPoint &point) {
        f.model->setPendingMeasurementType(type);
        EDMReading reading;
        if (reader.read(station.frameOf(point), &reading) == EDMFrameReader::Outcome::Reading)
            emit f.edm->measurement(reading.distance, reading.verticalAngle, reading.horizontalAngle,
                                    reading.horizontalDistance);
    };

    struct Kind
    {
        unsigned eventType;
        double range; // farthest mark from the reference
    };
    const Kind kinds[] = {{DiscusThrow, 75},   {ShotPut, 25},  {HammerThrow, 85},
                          {JavelinThrow, 108}, {PoleVault, 0}, {LongOrTripleJump, 18}};
    const int fields = 100;
    const int marksPerField = 100;
    double largestError = 0;
    QString largestCase;
    for (int i = 0; i < fields; ++i) {
        const Kind kind = kinds[i % std::size(kinds)];
        TotalStationStandin station;
        station.setFormat(
            {random.bounded(2) ? TotalStationStandin::FrameKind::Slope : TotalStationStandin::FrameKind::Horizontal,
             random.bounded(2) ? TotalStationStandin::DistanceUnit::Metres : TotalStationStandin::DistanceUnit::Feet,
             random.bounded(2) ? TotalStationStandin::AngleUnit::DegreesMinutesSeconds
                               : TotalStationStandin::AngleUnit::DecimalDegrees});
        TotalStationField &field = station.field();
        f.model->setEventType(kind.eventType);
        FieldPoint a{0, 0, 0};
        FieldPoint b{0, 0, 0};
        if (kind.eventType == LongOrTripleJump) {
            // Beside the runway, the take-off line across it.
            field.setStation({uniform(4, 15) * (random.bounded(2) ? 1 : -1), uniform(-5, 15), uniform(1.2, 1.8)});
            a = {-0.61, 0, 0};
            b = {0.61, 0, 0};
            deliver(station, Reference1Measurement, a);
            deliver(station, Reference2Measurement, b);
        } else if (kind.eventType == PoleVault) {
            field.setStation({uniform(-8, 8), uniform(-15, -5), uniform(1.2, 1.8)});
            a = {0, 0, std::round(uniform(2, 5) * 1000) / 1000};
            f.official.crossbarAnswers = {QString::number(a.z, 'f', 3)};
            deliver(station, Reference1Measurement, a);
        } else {
            // Beside the circle, looking into the sector.
            field.setStation({uniform(-30, 30), uniform(-30, -3), uniform(1.2, 1.8)});
            deliver(station, Reference1Measurement, a);
        }
        for (int m = 0; m < marksPerField; ++m) {
            FieldPoint mark;
            double truth = 0;
            if (kind.eventType == LongOrTripleJump) {
                mark = {uniform(-1, 1), uniform(1, kind.range), 0};
                truth = TotalStationField::distanceToLine(mark, a, b);
            } else if (kind.eventType == PoleVault) {
                mark = {uniform(-0.05, 0.05), uniform(-0.05, 0.05), uniform(2, 6.5)};
                truth = mark.z;
            } else {
                const double delta = EDMModel::defaultDelta(kind.eventType);
                const double r = uniform(delta + 1, kind.range);
                const double angle = uniform(-17.46, 17.46) * M_PI / 180;
                mark = {r * std::sin(angle), r * std::cos(angle), 0};
                truth = TotalStationField::planeDistance(mark, a) - delta;
            }
            const qsizetype before = results.size();
            deliver(station, ResultMeasurement, mark);
            QVERIFY2(
                results.size() == before + 1,
                qPrintable(
                    QStringLiteral("field %1 mark %2: no result; %3").arg(i).arg(m).arg(f.official.shown.join(", "))));
            const double error = std::abs(results.last().first().toDouble() - truth);
            if (error > largestError) {
                largestError = error;
                largestCase = QStringLiteral("field %1 (event type %2) mark %3: %4 m")
                                  .arg(i)
                                  .arg(kind.eventType)
                                  .arg(m)
                                  .arg(truth, 0, 'f', 4);
            }
        }
    }
    QCOMPARE(results.size(), fields * marksPerField);
    qInfo().noquote() << QStringLiteral("largest error over %1 marks: %2 mm (%3)")
                             .arg(results.size())
                             .arg(largestError * 1000, 0, 'f', 3)
                             .arg(largestCase);
    QVERIFY(largestError < 0.001);
}

STADIONIX_TEST_MAIN(TestEDMCompetition)
#include "tst_edmcompetition.moc"
