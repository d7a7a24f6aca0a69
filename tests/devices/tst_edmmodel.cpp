#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

#include "app/settings.h"
#include "devices/edmmeasurement.h"
#include "devices/edmresult.h"
#include "devices/edmstore.h"
#include "devices/edmtakeoffboardmeasurement.h"
#include "edmfixture.h"
#include "support/testsupport.h"

// Calibration and distances of the EDM model on a real store, readings
// delivered through the EDM device's signal and the official answered by
// the test.
class TestEDMModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void examples_giveTheirDistances_data();
    void examples_giveTheirDistances();
    void switchingDiscusToShotPut_takesItsDeltaAndDropsTheCalibration();
    void testMeasurement_keepsTheTapeDistance_data();
    void testMeasurement_keepsTheTapeDistance();
    void crossbarQuestion_setsDeltaOnlyForANumber_data();
    void crossbarQuestion_setsDeltaOnlyForANumber();
    void requests_missingReferencesPendingAndCancelled();
    void readingThatGivesNoMark_isRefusedAndNothingStored_data();
    void readingThatGivesNoMark_isRefusedAndNothingStored();
    void markOnTheLineOfTheBoard_isZeroNotNaN();
    void readingDuringAQuestion_isIgnored();
    void recalculation_rebasesTheResultOnTheOtherBoard();
};

namespace {

// A long jump field seen from the origin: two take-off lines across the
// runway (y = 20 and y = 23), a landing mark 6.47 m beyond the first.
const EDMReading Board1a = readingAt(-8.61, 20);
const EDMReading Board1b = readingAt(-7.39, 20);
const EDMReading Board2a = readingAt(-8.61, 23);
const EDMReading Board2b = readingAt(-7.39, 23);
const EDMReading Jump = readingAt(-8.2, 26.47);

EDMReading polar(double horizontalDistance, double angle, double height = 0)
{
    const double radians = angle * M_PI / 180;
    return readingAt(horizontalDistance * std::sin(radians), horizontalDistance * std::cos(radians), height);
}

void calibrateTwoBoards(EDMFixture &f)
{
    QVERIFY(f.measure(Reference1Measurement, Board1a, 1));
    QVERIFY(f.measure(Reference2Measurement, Board1b, 1));
    QVERIFY(f.measure(Reference1Measurement, Board2a, 2));
    QVERIFY(f.measure(Reference2Measurement, Board2b, 2));
}

} // namespace

void TestEDMModel::init()
{
    TestSupport::failOnUnexpectedWarnings();
    Settings::instance();
    QSettings().clear();
}

void TestEDMModel::examples_giveTheirDistances_data()
{
    QTest::addColumn<unsigned>("eventType");
    QTest::addColumn<QList<EDMReading>>("references");
    QTest::addColumn<int>("markType");
    QTest::addColumn<EDMReading>("mark");
    QTest::addColumn<double>("expected");

    QTest::newRow("discus: 14.142 - 1.25 = 12.892") << unsigned(DiscusThrow) << QList<EDMReading>{polar(10, 0)}
                                                    << int(ResultMeasurement) << polar(10, 90) << 12.892;
    QTest::newRow("long jump: the mark's distance from the line through the board points, 6.464")
        << unsigned(LongOrTripleJump) << QList<EDMReading>{polar(5, 0), polar(5, 90)} << int(ResultMeasurement)
        << polar(10, 45) << 6.464;
    QTest::newRow("pole vault: crossbar 0.250 m above the one at 4.500 is 4.750")
        << unsigned(PoleVault) << QList<EDMReading>{polar(8, 0, 1.0)} << int(TestMeasurement) << polar(8, 0, 1.25)
        << 4.750;
    QTest::newRow("javelin: from the centre 8 m behind the arc")
        << unsigned(JavelinThrow) << QList<EDMReading>{polar(10, 0)} << int(ResultMeasurement) << polar(60, 0) << 42.0;
}

void TestEDMModel::examples_giveTheirDistances()
{
    QFETCH(unsigned, eventType);
    QFETCH(QList<EDMReading>, references);
    QFETCH(int, markType);
    QFETCH(EDMReading, mark);
    QFETCH(double, expected);

    EDMFixture f(eventType);
    f.official.crossbarAnswers = {QStringLiteral("4.500")};
    f.official.tapeAnswers = {4.75};
    QVERIFY(f.measure(Reference1Measurement, references.at(0)));
    if (references.size() > 1)
        QVERIFY(f.measure(Reference2Measurement, references.at(1)));
    QSignalSpy results(f.model.get(), &EDMModel::edmResult);
    QVERIFY(f.measure(EDMMeasurementType(markType), mark));
    QCOMPARE(results.size(), 1);
    const double result = results.first().first().toDouble();
    QVERIFY2(std::abs(result - expected) < 0.0005, qPrintable(QString::number(result, 'f', 6)));
    // The result is stored with links to the mark and the references.
    QCOMPARE(f.rows("edmeventresults"), 1);
    QCOMPARE(f.rows("edmeventmeasurements"), 1 + references.size());
}

void TestEDMModel::switchingDiscusToShotPut_takesItsDeltaAndDropsTheCalibration()
{
    EDMFixture f(DiscusThrow);
    f.official.tapeAnswers = {12.9};
    QVERIFY(f.measure(Reference1Measurement, polar(10, 0)));
    QVERIFY(f.measure(TestMeasurement, polar(10, 90)));
    QCOMPARE(f.model->testResults().size(), 1);
    QSignalSpy changed(f.model.get(), &EDMModel::calibrationChanged);
    f.model->setEventType(ShotPut);
    QCOMPARE(f.model->delta(), 1.0675);
    QVERIFY(!f.model->reference1());
    QVERIFY(f.model->testResults().isEmpty());
    QCOMPARE(changed.size(), 1);
    // Unchanged type: nothing happens.
    f.model->setEventType(ShotPut);
    QCOMPARE(changed.size(), 1);
}

void TestEDMModel::testMeasurement_keepsTheTapeDistance_data()
{
    QTest::addColumn<std::optional<double>>("tape");
    QTest::addColumn<QString>("text");
    QTest::newRow("tape 12.900") << std::optional<double>(12.9)
                                 << QStringLiteral("12.892 m (EDM) - 12.900 m (tape) = -0.008 m (%1)");
    QTest::newRow("question cancelled") << std::optional<double>() << QStringLiteral("12.892 m (EDM) (%1)");
}

void TestEDMModel::testMeasurement_keepsTheTapeDistance()
{
    QFETCH(std::optional<double>, tape);
    QFETCH(QString, text);
    EDMFixture f(DiscusThrow);
    f.official.tapeAnswers = {tape};
    QVERIFY(f.measure(Reference1Measurement, polar(10, 0)));
    QSignalSpy results(f.model.get(), &EDMModel::edmResult);
    QVERIFY(f.measure(TestMeasurement, polar(10, 90)));
    QCOMPARE(f.official.shown.last(), QStringLiteral("tape 1"));
    QCOMPARE(results.size(), 1);
    QCOMPARE(results.first().at(1).toDouble(), tape.value_or(-999.999));
    QCOMPARE(f.model->testResults().size(), 1);
    const EDMResult *test = f.model->testResults().first();
    const QString shown = test->text();
    QCOMPARE(shown, text.arg(test->since.toString(QStringLiteral("HH:mm:ss"))));

    // As it reads back after a restart.
    f.restart();
    QCOMPARE(f.model->eventType(), unsigned(DiscusThrow));
    QCOMPARE(f.model->testResults().size(), 1);
    QCOMPARE(f.model->testResults().first()->referenceResult, tape.value_or(-999.999));
    QCOMPARE(f.model->testResults().first()->text(), shown);
}

void TestEDMModel::crossbarQuestion_setsDeltaOnlyForANumber_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<double>("delta");
    QTest::newRow("4.500") << std::optional<QString>(QStringLiteral("4.500")) << 4.5;
    QTest::newRow("decimal comma") << std::optional<QString>(QStringLiteral(" 4,75 ")) << 4.75;
    QTest::newRow("cancelled") << std::optional<QString>() << 3.0;
    QTest::newRow("not a number") << std::optional<QString>(QStringLiteral("high")) << 3.0;
    QTest::newRow("nan") << std::optional<QString>(QStringLiteral("nan")) << 3.0;
}

void TestEDMModel::crossbarQuestion_setsDeltaOnlyForANumber()
{
    QFETCH(std::optional<QString>, answer);
    QFETCH(double, delta);
    EDMFixture f(PoleVault);
    f.model->setDelta(3.0);
    f.official.crossbarAnswers = {answer};
    QVERIFY(f.measure(Reference1Measurement, polar(8, 0, 1.0)));
    QCOMPARE(f.official.shown.last(), QStringLiteral("crossbar 1.000"));
    QCOMPARE(f.model->delta(), delta);
}

void TestEDMModel::requests_missingReferencesPendingAndCancelled()
{
    Settings::instance()->setValue("edm", "number_boards", 2);
    EDMFixture f(LongOrTripleJump);
    QVERIFY(f.measure(Reference1Measurement, Board1a, 1));
    QVERIFY(f.measure(Reference2Measurement, Board1b, 1));
    // Two boards configured, one measured: no test, no result.
    for (const EDMMeasurementType type : {TestMeasurement, ResultMeasurement}) {
        f.official.shown.clear();
        QVERIFY(!f.measure(type, Jump));
        QCOMPARE(f.official.shown, QStringList{"missing references"});
    }
    QVERIFY(f.measure(Reference1Measurement, Board2a, 2));
    QVERIFY(f.measure(Reference2Measurement, Board2b, 2));
    QVERIFY(f.model->referencesComplete(ResultMeasurement));

    // A second request while one waits does nothing; cancelling ends it.
    f.official.shown.clear();
    f.model->setPendingMeasurementType(ResultMeasurement);
    f.model->requestMeasurement();
    f.model->requestMeasurement();
    QCOMPARE(f.official.shown, QStringList{"waiting"});
    QVERIFY(f.edm->isRequestPending());
    f.official.cancel();
    QVERIFY(!f.edm->isRequestPending());
    QVERIFY(!f.model->isWaiting());
    // A reading of the instrument now is not taken.
    QSignalSpy results(f.model.get(), &EDMModel::edmResult);
    QVERIFY(f.measure(ResultMeasurement, Jump));
    QCOMPARE(results.size(), 1);
    QVERIFY(!f.official.waiting);
}

void TestEDMModel::readingThatGivesNoMark_isRefusedAndNothingStored_data()
{
    QTest::addColumn<unsigned>("eventType");
    QTest::addColumn<QList<EDMReading>>("references");
    QTest::addColumn<int>("markType");
    QTest::addColumn<EDMReading>("mark");
    QTest::addColumn<QString>("shown");

    QTest::newRow("board point measured twice") << unsigned(LongOrTripleJump) << QList<EDMReading>{Board1a, Board1a}
                                                << int(TestMeasurement) << Jump << "measure again: same point";
    QTest::newRow("mark on a board point") << unsigned(LongOrTripleJump) << QList<EDMReading>{Board1a, Board1b}
                                           << int(ResultMeasurement) << Board1a << "measure again: same point";
    QTest::newRow("inside the circle: -0.75")
        << unsigned(DiscusThrow) << QList<EDMReading>{polar(10, 0)} << int(ResultMeasurement) << polar(10.5, 0)
        << "measure again: impossible distance";
    // A mark of -1 would be taken as a failed attempt.
    QTest::newRow("0.25 m from the centre: -1.00")
        << unsigned(DiscusThrow) << QList<EDMReading>{polar(10, 0)} << int(ResultMeasurement) << polar(10.25, 0)
        << "measure again: impossible distance";
}

void TestEDMModel::readingThatGivesNoMark_isRefusedAndNothingStored()
{
    QFETCH(unsigned, eventType);
    QFETCH(QList<EDMReading>, references);
    QFETCH(int, markType);
    QFETCH(EDMReading, mark);
    QFETCH(QString, shown);

    EDMFixture f(eventType);
    QVERIFY(f.measure(Reference1Measurement, references.at(0)));
    if (references.size() > 1)
        QVERIFY(f.measure(Reference2Measurement, references.at(1)));
    const int readings = f.rows("edmmeasurements");
    QSignalSpy results(f.model.get(), &EDMModel::edmResult);
    QVERIFY(f.measure(EDMMeasurementType(markType), mark));
    QCOMPARE(f.official.shown.last(), shown);
    QCOMPARE(results.size(), 0);
    QCOMPARE(f.rows("edmeventresults"), 0);
    QCOMPARE(f.rows("edmmeasurements"), readings);
    QVERIFY(f.model->testResults().isEmpty());
}

void TestEDMModel::markOnTheLineOfTheBoard_isZeroNotNaN()
{
    // Three points on one line from the station: rounding leaves the cosine
    // of the angle at the board point at 1.000000000000003.
    EDMFixture f(LongOrTripleJump);
    QVERIFY(f.measure(Reference1Measurement, polar(5, 0)));
    QVERIFY(f.measure(Reference2Measurement, polar(6, 0)));
    QSignalSpy results(f.model.get(), &EDMModel::edmResult);
    QVERIFY(f.measure(TestMeasurement, polar(6.005, 0)));
    QCOMPARE(results.size(), 1);
    QCOMPARE(results.first().first().toDouble(), 0.0);
    QSqlQuery query(f.connection->store()->database());
    QVERIFY(query.exec("SELECT calculated_result FROM edmeventresults") && query.next());
    QVERIFY(!query.isNull(0));
    QCOMPARE(query.value(0).toDouble(), 0.0);
}

void TestEDMModel::readingDuringAQuestion_isIgnored()
{
    // Readings without a request (the standalone page) may come while the
    // official types the tape distance of the previous one.
    EDMFixture f(DiscusThrow);
    QVERIFY(f.measure(Reference1Measurement, polar(10, 0)));
    f.model->setAcceptUnrequested(true);
    f.official.duringTapeQuestion = [&f] {
        const EDMReading late = polar(20, 90);
        emit f.edm->measurement(late.distance, late.verticalAngle, late.horizontalAngle, late.horizontalDistance);
    };
    f.official.tapeAnswers = {12.9};
    QSignalSpy results(f.model.get(), &EDMModel::edmResult);
    QVERIFY(f.measure(TestMeasurement, polar(10, 90)));
    QCOMPARE(results.size(), 1);
    QCOMPARE(f.official.shown.count(QStringLiteral("tape 1")), 1);
    QCOMPARE(f.rows("edmeventresults"), 1);
}

void TestEDMModel::recalculation_rebasesTheResultOnTheOtherBoard()
{
    Settings::instance()->setValue("edm", "number_boards", 2);
    EDMFixture f(LongOrTripleJump);
    calibrateTwoBoards(f);
    QSignalSpy results(f.model.get(), &EDMModel::edmResult);
    QVERIFY(f.measure(ResultMeasurement, Jump, 1));
    const double fromBoard1 = results.first().first().toDouble();
    QVERIFY(std::abs(fromBoard1 - 6.47) < 1e-9);

    // The judge passes the shown mark, cut to the centimetre.
    const double fromBoard2 = f.model->recalculateResult(2, 6.47);
    QVERIFY(std::abs(fromBoard2 - 3.47) < 1e-9);
    const auto boardPoints = [&f](int board) {
        return QList<unsigned>{f.model->takeOffBoardPoint(board, 1)->measurementId(),
                               f.model->takeOffBoardPoint(board, 2)->measurementId()};
    };
    const auto linkedReferences = [&f] {
        QList<unsigned> ids;
        QSqlQuery query(f.connection->store()->database());
        query.exec("SELECT measurement FROM edmeventmeasurements JOIN edmmeasurements ON edmmeasurements.id = "
                   "measurement WHERE type IN (2, 3) ORDER BY type");
        while (query.next())
            ids << query.value(0).toUInt();
        return ids;
    };
    QCOMPARE(linkedReferences(), boardPoints(2));
    // And back.
    QVERIFY(std::abs(f.model->recalculateResult(1, 3.47) - 6.47) < 1e-9);
    QCOMPARE(linkedReferences(), boardPoints(1));
    // No result near that mark, or a board without its points: unchanged.
    QCOMPARE(f.model->recalculateResult(2, 9.99), 9.99);
    const QList<unsigned> linked = linkedReferences();
    Settings::instance()->setValue("edm", "number_boards", 1);
    f.model->setEventType(NoEventType);
    f.model->setEventType(LongOrTripleJump);
    QVERIFY(f.measure(Reference1Measurement, Board1a, 1));
    QVERIFY(f.measure(Reference2Measurement, Board1b, 1));
    QCOMPARE(f.model->recalculateResult(2, 6.47), 6.47);
    QCOMPARE(linkedReferences(), linked);
}

STADIONIX_TEST_MAIN(TestEDMModel)
#include "tst_edmmodel.moc"
