// A mark the store refuses (the disk is full) is not shown as entered: the
// grid shows what the store holds, and the judge's entry stays typed for
// Enter to be pressed again once there is room.
#include <QSignalSpy>
#include <QtTest>

#include "fieldeventscreenfixture.h"
#include "support/storefaults.h"
#include "support/testsupport.h"

class TestFieldEventRefusedEntry : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }
    void fullStore_markNotShownAndEntryKeptForEnter();
};

void TestFieldEventRefusedEntry::fullStore_markNotShownAndEntryKeptForEnter()
{
    // This test's own loopback address: it takes no lock on the port.
    FieldEventScreenFixture f({952, "H", "", 6, {1, 2, 3}}, QStringLiteral("127.0.12.3"));
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    Participation *first = f.drawn(1);
    FieldEventParticipantsModel *grid = f.screen->gridModel();
    const auto shown = [&] {
        return grid->index(grid->rowOfParticipation(first->id), FieldEventParticipantsModel::columnOfAttempt(1))
            .data()
            .toString();
    };
    const auto posted = [&] {
        int count = 0;
        for (const QJsonObject &entry : f.server().requestLog())
            count += entry.value("path").toString() == QLatin1String("/new_result") ? 1 : 0;
        return count;
    };
    f.click("btnCallParticipant");
    f.type("7,12");

    QVERIFY(StoreFaults::fill(f.connection->store()));
    QSignalSpy refused(f.connection.get(), &DatabaseConnection::changeNotStored);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Statement failed.*disk is full")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("A change could not be stored")));
    f.click("btnEnter");
    QCOMPARE(refused.size(), 1);
    QCOMPARE(first->resultTextOfAttempt(1), QString());
    QCOMPARE(shown(), QString());
    QCOMPARE(f.screen->currentPage(), int(FieldEventWidget::InputPage));
    QCOMPARE(f.widget<QLabel>("lblResult")->text(), QStringLiteral("7.12"));
    QCOMPARE(f.currentDrawn(), 1u);
    // A post would be on its way from the moment of the change.
    QCOMPARE(f.connection->requestsInFlight(), 0);
    QCOMPARE(posted(), 0);

    // Room again: Enter stores the same entry and the screen moves on.
    StoreFaults::makeRoom(f.connection->store());
    f.click("btnEnter");
    QCOMPARE(first->resultTextOfAttempt(1), QStringLiteral("7.12"));
    QCOMPARE(shown(), QStringLiteral("7.12"));
    QCOMPARE(f.screen->currentPage(), int(FieldEventWidget::OverviewPage));
    QCOMPARE(f.currentDrawn(), 2u);
    QVERIFY(QTest::qWaitFor([&] { return f.serverResults(first->participation_id).size() == 1; }, 3000));
}

STADIONIX_TEST_MAIN(TestFieldEventRefusedEntry)
#include "tst_fieldeventrefusedentry.moc"
