#include <QtTest>

#include <memory>

#include "devices/edmmeasurement.h"
#include "devices/edmresult.h"
#include "devices/edmresultmeasurement.h"
#include "devices/edmstore.h"
#include "devices/edmtakeoffboardmeasurement.h"
#include "support/tempstore.h"
#include "support/testsupport.h"

// The EDM's records in the store file, on the competition store's connection.
class TestEDMStore : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }
    void records_roundTrip();
    void purge_removesResultsOlderThanTwoDaysWithTheirLinks();
};

void TestEDMStore::records_roundTrip()
{
    TempStore file;
    EDMStore store(file.get());
    EDMMeasurement m(&store);
    m.type = Reference1Measurement;
    m.setReading({10.5, 91.25, 123.4567, 10.49});
    m.save();
    QVERIFY(m.id != 0);
    m.distance = 11.0;
    m.save();
    std::unique_ptr<EDMMeasurement> loaded(store.measurement(m.id));
    QVERIFY(loaded);
    QCOMPARE(loaded->distance, 11.0);
    QCOMPARE(loaded->horizontalAngle, 123.4567);
    QCOMPARE(loaded->verticalAngle, 91.25);
    QCOMPARE(loaded->horizontalDistance, 10.49);
    QCOMPARE(loaded->since.toString(Qt::ISODate), m.since.toString(Qt::ISODate));
    QList<EDMMeasurement *> ofType = store.measurementsOfType(Reference1Measurement);
    QCOMPARE(ofType.size(), 1);
    qDeleteAll(ofType);

    EDMTakeOffBoardMeasurement board(&store);
    board.takeoffBoard = 2;
    board.seqno = 1;
    board.setMeasurementId(m.id);
    board.save();
    std::unique_ptr<EDMTakeOffBoardMeasurement> found(store.findTakeOffBoardMeasurement(2, 1));
    QVERIFY(found);
    QCOMPARE(found->measurementId(), m.id);
    QVERIFY(found->measurement());
    QCOMPARE(found->measurement()->distance, 11.0);
    QVERIFY(!store.findTakeOffBoardMeasurement(1, 1));

    EDMResult result(&store);
    result.eventType = 1;
    result.resultType = EDMResult::AttemptResult;
    result.calculatedResult = 52.31;
    result.save();
    // The window's bounds are exclusive; of two in one second the later wins.
    EDMResult later(&store);
    later.eventType = 1;
    later.calculatedResult = 52.315;
    later.since = result.since;
    later.save();
    std::unique_ptr<EDMResult> inside(store.latestResultInWindow(1, 1, 52.30, 52.32));
    QVERIFY(inside);
    QCOMPARE(inside->id, later.id);
    QVERIFY(!store.latestResultInWindow(1, 1, 52.315, 52.40));
    EDMResultMeasurement link(&store);
    link.eventResult = result.id;
    link.measurement = m.id;
    link.save();
    const QList<EDMResultLink> linked = store.measurementsOfResult(result.id);
    QCOMPARE(linked.size(), 1);
    QCOMPARE(linked.first().linkId, link.id);
    QCOMPARE(linked.first().measurementId, m.id);
    QCOMPARE(linked.first().type, int(Reference1Measurement));
    QCOMPARE(linked.first().reading.distance, 11.0);

    // Marked deleted: gone from the store.
    auto *gone = new EDMMeasurement(&store);
    gone->save();
    const unsigned goneId = gone->id;
    gone->deleted = true;
    gone->save();
    QVERIFY(!std::unique_ptr<EDMMeasurement>(store.measurement(goneId)));
}

void TestEDMStore::purge_removesResultsOlderThanTwoDaysWithTheirLinks()
{
    TempStore file;
    EDMStore store(file.get());
    const QDateTime now = QDateTime::currentDateTime();
    // A calibration of three days ago that is still in use: its reference is
    // linked to the old results and to one of yesterday, and a take-off board
    // point uses another reading of then.
    EDMMeasurement reference(&store);
    reference.type = Reference1Measurement;
    reference.since = now.addDays(-3);
    reference.save();
    EDMMeasurement boardPoint(&store);
    boardPoint.type = Reference2Measurement;
    boardPoint.since = now.addDays(-3);
    boardPoint.save();
    EDMTakeOffBoardMeasurement board(&store);
    board.setMeasurementId(boardPoint.id);
    board.save();

    struct Aged
    {
        qint64 ageSeconds;
        bool purged;
    };
    const Aged ages[] = {{2 * 86400 + 1, true}, {86400 + 23 * 3600, false}, {10 * 86400, true}};
    QList<unsigned> results, links, marks;
    for (const Aged &aged : ages) {
        EDMMeasurement mark(&store);
        mark.type = ResultMeasurement;
        mark.since = now.addSecs(-aged.ageSeconds);
        mark.save();
        EDMResult r(&store);
        r.since = now.addSecs(-aged.ageSeconds);
        r.save();
        for (unsigned measurement : {mark.id, reference.id, boardPoint.id}) {
            EDMResultMeasurement link(&store);
            link.eventResult = r.id;
            link.measurement = measurement;
            link.save();
            if (measurement == mark.id)
                links << link.id;
        }
        results << r.id;
        marks << mark.id;
    }
    store.purgeOldResults();
    const auto count = [&file](const char *table, unsigned id) {
        return file.scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE id = %2").arg(QLatin1String(table)).arg(id))
            .toInt();
    };
    for (int i = 0; i < int(std::size(ages)); ++i) {
        const int expected = ages[i].purged ? 0 : 1;
        QCOMPARE(count("edmeventresults", results[i]), expected);
        QCOMPARE(count("edmeventmeasurements", links[i]), expected);
        QCOMPARE(count("edmmeasurements", marks[i]), expected);
    }
    QCOMPARE(file.scalar("SELECT count(*) FROM edmeventmeasurements").toInt(), 3);
    QCOMPARE(count("edmmeasurements", reference.id), 1);
    QCOMPARE(count("edmmeasurements", boardPoint.id), 1);

    // Once nothing uses them any more, they go too.
    file.scalar("DELETE FROM edmtakeoffboardmeasurements");
    file.scalar(QStringLiteral("UPDATE edmeventresults SET since = '2000-01-01 00:00:00'"));
    store.purgeOldResults();
    QCOMPARE(file.scalar("SELECT count(*) FROM edmmeasurements").toInt(), 0);
    QCOMPARE(file.scalar("SELECT count(*) FROM edmeventmeasurements").toInt(), 0);
}

STADIONIX_TEST_MAIN(TestEDMStore)
#include "tst_edmstore.moc"
