#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include "records/resultmarks.h"
#include "support/testsupport.h"
#include "trackevents/trackparticipantsmodel.h"
#include "trackevents/trackparticipantssortfiltermodel.h"
#include "trackheat.h"

using Column = TrackParticipantsModel::Column;

class TestTrackParticipantsModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void resultColumn_showsMarksAndRoundedTimes_data();
    void resultColumn_showsMarksAndRoundedTimes();
    void infoColumn_isTheBestResultsInfo();
    void received_replacesInPlaceAppendsAndRemoves();
    void connectionDisposesRecords_rowsShowNothing();
    void proxy_listsLowestLaneFirstAndFollowsChanges();
    void drop_shiftsTheLanesBetween_data();
    void drop_shiftsTheLanesBetween();
    void drop_refusesWhatIsNoLaneMove_data();
    void drop_refusesWhatIsNoLaneMove();
    void resetLanes_restoresTheDraw();

private:
    void open(const QList<Participation *> &heat);
    QList<unsigned> lanesInProxyOrder() const;
    std::unique_ptr<QMimeData> dragOf(int proxyRow) const;

    QList<Participation *> m_heat;
    std::unique_ptr<TrackParticipantsModel> m_model;
    std::unique_ptr<TrackParticipantsSortFilterModel> m_proxy;
    std::unique_ptr<QAbstractItemModelTester> m_modelTester;
    std::unique_ptr<QAbstractItemModelTester> m_proxyTester;
};

void TestTrackParticipantsModel::init()
{
    TestSupport::failOnUnexpectedWarnings();
    m_model = std::make_unique<TrackParticipantsModel>();
    m_proxy = std::make_unique<TrackParticipantsSortFilterModel>();
    m_proxy->setSourceModel(m_model.get());
    m_modelTester = std::make_unique<QAbstractItemModelTester>(m_model.get(),
                                                               QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_proxyTester = std::make_unique<QAbstractItemModelTester>(m_proxy.get(),
                                                               QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestTrackParticipantsModel::cleanup()
{
    m_proxyTester.reset();
    m_modelTester.reset();
    m_proxy.reset();
    m_model.reset();
    qDeleteAll(m_heat);
    m_heat.clear();
}

void TestTrackParticipantsModel::open(const QList<Participation *> &heat)
{
    for (Participation *p : heat) {
        if (!m_heat.contains(p))
            m_heat.append(p);
    }
    m_model->participationsReceived(QStringLiteral("101"), heat);
}

QList<unsigned> TestTrackParticipantsModel::lanesInProxyOrder() const
{
    QList<unsigned> lanes;
    for (int row = 0; row < m_proxy->rowCount(); ++row)
        lanes.append(m_proxy->index(row, Column::LaneColumn).data().toUInt());
    return lanes;
}

std::unique_ptr<QMimeData> TestTrackParticipantsModel::dragOf(int proxyRow) const
{
    // What the table hands over when a whole row is dragged.
    QModelIndexList row;
    for (int column = Column::LaneColumn; column < Column::ColumnCount; ++column)
        row.append(m_proxy->index(proxyRow, column));
    return std::unique_ptr<QMimeData>(m_proxy->mimeData(row));
}

void TestTrackParticipantsModel::resultColumn_showsMarksAndRoundedTimes_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("text");

    QTest::newRow("did not finish") << ResultMarks::DidNotFinish << QStringLiteral("TTB") << QStringLiteral("DNF");
    QTest::newRow("did not start") << ResultMarks::DidNotStart << QStringLiteral("TTB") << QStringLiteral("DNS");
    QTest::newRow("disqualified") << ResultMarks::Disqualified << QStringLiteral("TTB") << QStringLiteral("DQ");
    QTest::newRow("rup") << ResultMarks::Rup << QStringLiteral("TTB") << QStringLiteral("RUP");
    QTest::newRow("no reaction time") << ResultMarks::NoReactionTime << QStringLiteral("TTB")
                                      << QStringLiteral("no reaction time");
    QTest::newRow("no result") << ResultMarks::NoResult << QStringLiteral("TTB") << QStringLiteral("NR");
    QTest::newRow("9.999 rounds up to the hundredth") << 9.999 << QStringLiteral("FST") << QStringLiteral("10.00");
    QTest::newRow("10.231 rounds up") << 10.231 << QStringLiteral("FST") << QStringLiteral("10.24");
    QTest::newRow("exact hundredths stay") << 10.0 << QStringLiteral("FST") << QStringLiteral("10.00");
    QTest::newRow("10.001 rounds up") << 10.001 << QStringLiteral("FST") << QStringLiteral("10.01");
    QTest::newRow("a minute and more") << 65.4 << QStringLiteral("FST") << QStringLiteral("1:05.40");
    QTest::newRow("an hour and more") << 3725.5 << QStringLiteral("FST") << QStringLiteral("1:02:05.50");
    QTest::newRow("hand time in tenths") << 10.01 << QStringLiteral("MNL") << QStringLiteral("10.1");
}

void TestTrackParticipantsModel::resultColumn_showsMarksAndRoundedTimes()
{
    QFETCH(double, value);
    QFETCH(QString, type);
    QFETCH(QString, text);

    Participation *timed = TrackHeat::runner(1, 4);
    TrackHeat::addTime(timed, value, type);
    Participation *untimed = TrackHeat::runner(2, 5);
    open({timed, untimed});

    QCOMPARE(m_model->index(0, Column::ResultColumn).data().toString(), text);
    QCOMPARE(m_model->index(1, Column::ResultColumn).data().toString(), QString());
}

void TestTrackParticipantsModel::infoColumn_isTheBestResultsInfo()
{
    Participation *disqualified = TrackHeat::runner(1, 3);
    TrackHeat::addTime(disqualified, ResultMarks::Disqualified, QStringLiteral("TTB"),
                       QStringLiteral("DQ:R-12 Stepped on or over the lane line"));
    Participation *timed = TrackHeat::runner(2, 4);
    TrackHeat::addTime(timed, 11.5);
    open({disqualified, timed, TrackHeat::runner(3, 5)});

    QCOMPARE(m_model->index(0, Column::InfoColumn).data().toString(),
             QStringLiteral("DQ:R-12 Stepped on or over the lane line"));
    QCOMPARE(m_model->index(0, Column::ResultColumn).data().toString(), QStringLiteral("DQ"));
    QCOMPARE(m_model->index(1, Column::InfoColumn).data().toString(), QString());
    QCOMPARE(m_model->index(2, Column::InfoColumn).data().toString(), QString());
    QCOMPARE(m_model->index(0, Column::LocalIdColumn).data().toUInt(), 11u);
    QCOMPARE(m_model->index(0, Column::IdColumn).data().toUInt(), 1001u);
    QCOMPARE(m_model->index(0, Column::BibColumn).data().toString(), QStringLiteral("101"));
    QCOMPARE(m_model->index(0, Column::NameColumn).data().toString(), QStringLiteral("Runner 1"));
}

void TestTrackParticipantsModel::received_replacesInPlaceAppendsAndRemoves()
{
    open(TrackHeat::heat(3));
    QSignalSpy received(m_model.get(), &TrackParticipantsModel::results_received);
    QSignalSpy inserted(m_model.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(m_model.get(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);

    // Runner 2 comes again as a new record with a time; runner 3 is gone;
    // runner 4 is new.
    Participation *again = TrackHeat::runner(2, 7);
    TrackHeat::addTime(again, 12.5);
    Participation *fourth = TrackHeat::runner(4, 8);
    open({TrackHeat::runner(1, 1), again, fourth});

    QCOMPARE(received.size(), 1);
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(removed.size(), 1);
    QCOMPARE(removed.first().at(1).toInt(), 2);
    QCOMPARE(m_model->rowCount(), 3);
    QCOMPARE(m_model->participationAt(1), again);
    QCOMPARE(m_model->index(1, Column::LaneColumn).data().toUInt(), 7u);
    QCOMPARE(m_model->index(1, Column::ResultColumn).data().toString(), QStringLiteral("12.50"));
    QCOMPARE(m_model->participationAt(2), fourth);
    QVERIFY(!changed.isEmpty());

    // A list without a shown participation removes its row, whatever else.
    open({again, fourth});
    QCOMPARE(m_model->rowCount(), 2);
    QCOMPARE(m_model->index(0, Column::IdColumn).data().toUInt(), 1002u);
    QCOMPARE(lanesInProxyOrder(), (QList<unsigned>{7, 8}));
}

void TestTrackParticipantsModel::connectionDisposesRecords_rowsShowNothing()
{
    open(TrackHeat::heat(3));
    // The connection deletes the records of a heat when it opens another.
    Participation *gone = m_heat.takeAt(1);
    delete gone;

    QCOMPARE(m_model->rowCount(), 3);
    QCOMPARE(m_model->index(1, Column::NameColumn).data(), QVariant());
    QCOMPARE(m_model->participations().size(), 2);
    QVERIFY(m_model->lanesUnchanged());
    m_model->clear();
    QCOMPARE(m_proxy->rowCount(), 0);
}

void TestTrackParticipantsModel::proxy_listsLowestLaneFirstAndFollowsChanges()
{
    open({TrackHeat::runner(1, 6), TrackHeat::runner(2, 2), TrackHeat::runner(3, 9), TrackHeat::runner(4, 4)});
    QCOMPARE(lanesInProxyOrder(), (QList<unsigned>{2, 4, 6, 9}));

    m_heat.at(2)->initial_order = 1;
    m_model->refresh();
    QCOMPARE(lanesInProxyOrder(), (QList<unsigned>{1, 2, 4, 6}));
    QCOMPARE(m_proxy->participationAt(0), m_heat.at(2));
}

void TestTrackParticipantsModel::drop_shiftsTheLanesBetween_data()
{
    QTest::addColumn<int>("dragged");
    QTest::addColumn<int>("dropRow");
    QTest::addColumn<int>("onRow");
    // Lanes of runners 1..6 after the move, and the changed runners with
    // their new lanes in the order the changes are reported.
    QTest::addColumn<QList<unsigned>>("lanes");
    QTest::addColumn<QList<QPair<unsigned, unsigned>>>("changes");

    using Changes = QList<QPair<unsigned, unsigned>>;
    QTest::newRow("lane 2 onto lane 5") << 1 << -1 << 4 << QList<unsigned>{1, 5, 2, 3, 4, 6}
                                        << Changes{{2, 5}, {3, 2}, {4, 3}, {5, 4}};
    QTest::newRow("lane 5 onto lane 2") << 4 << -1 << 1 << QList<unsigned>{1, 3, 4, 5, 2, 6}
                                        << Changes{{5, 2}, {2, 3}, {3, 4}, {4, 5}};
    QTest::newRow("neighbours swap") << 2 << -1 << 3 << QList<unsigned>{1, 2, 4, 3, 5, 6} << Changes{{3, 4}, {4, 3}};
    QTest::newRow("below the last row lands on it")
        << 0 << 6 << -1 << QList<unsigned>{6, 1, 2, 3, 4, 5} << Changes{{1, 6}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}};
    QTest::newRow("between rows lands on the row below")
        << 5 << 2 << -1 << QList<unsigned>{1, 2, 4, 5, 6, 3} << Changes{{6, 3}, {3, 4}, {4, 5}, {5, 6}};
}

void TestTrackParticipantsModel::drop_shiftsTheLanesBetween()
{
    QFETCH(int, dragged);
    QFETCH(int, dropRow);
    QFETCH(int, onRow);
    QFETCH(QList<unsigned>, lanes);
    using Changes = QList<QPair<unsigned, unsigned>>;
    QFETCH(Changes, changes);

    open(TrackHeat::heat(6));
    QSignalSpy moved(m_proxy.get(), &TrackParticipantsSortFilterModel::lanes_moved);
    const std::unique_ptr<QMimeData> drag = dragOf(dragged);
    QCOMPARE(drag->data(QStringLiteral("row")), QByteArray::number(dragged));
    QVERIFY(drag->hasFormat(QStringLiteral("col")));
    const QModelIndex target = onRow >= 0 ? m_proxy->index(onRow, Column::NameColumn) : QModelIndex();

    QVERIFY(m_proxy->dropMimeData(drag.get(), Qt::MoveAction, dropRow, -1, target));

    QList<unsigned> after;
    for (const Participation *p : std::as_const(m_heat))
        after.append(p->initial_order);
    QCOMPARE(after, lanes);
    QCOMPARE(moved.size(), 1);
    Changes reported;
    for (const QVariant &change : moved.first().first().toList()) {
        const QVariantMap map = change.toMap();
        const unsigned localId = map.value("localID").toUInt();
        QCOMPARE(map.value("id").toUInt(), localId - 10 + 1000);
        reported.append({localId - 10, map.value("initial_order").toUInt()});
    }
    QCOMPARE(reported, changes);
    QCOMPARE(lanesInProxyOrder(), (QList<unsigned>{1, 2, 3, 4, 5, 6}));
    QVERIFY(!m_model->lanesUnchanged());
}

void TestTrackParticipantsModel::drop_refusesWhatIsNoLaneMove_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("onRow");

    QTest::newRow("onto itself") << QStringLiteral("row") << QByteArray("2") << int(Qt::MoveAction) << 2;
    QTest::newRow("a copy") << QStringLiteral("row") << QByteArray("2") << int(Qt::CopyAction) << 4;
    QTest::newRow("text from elsewhere") << QStringLiteral("text/plain") << QByteArray("2") << int(Qt::MoveAction) << 4;
    QTest::newRow("row out of range") << QStringLiteral("row") << QByteArray("6") << int(Qt::MoveAction) << 4;
    QTest::newRow("row no number") << QStringLiteral("row") << QByteArray("two") << int(Qt::MoveAction) << 4;
    QTest::newRow("onto the empty viewport") << QStringLiteral("row") << QByteArray("2") << int(Qt::MoveAction) << -1;
}

void TestTrackParticipantsModel::drop_refusesWhatIsNoLaneMove()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, payload);
    QFETCH(int, action);
    QFETCH(int, onRow);

    open(TrackHeat::heat(6));
    QSignalSpy moved(m_proxy.get(), &TrackParticipantsSortFilterModel::lanes_moved);
    QMimeData data;
    data.setData(format, payload);
    const QModelIndex target = onRow >= 0 ? m_proxy->index(onRow, Column::NameColumn) : QModelIndex();

    QVERIFY(!m_proxy->dropMimeData(&data, Qt::DropAction(action), -1, -1, target));
    QCOMPARE(moved.size(), 0);
    QCOMPARE(lanesInProxyOrder(), (QList<unsigned>{1, 2, 3, 4, 5, 6}));
    QVERIFY(m_model->lanesUnchanged());
}

void TestTrackParticipantsModel::resetLanes_restoresTheDraw()
{
    open(TrackHeat::heat(5, 2));
    const std::unique_ptr<QMimeData> drag = dragOf(0);
    QVERIFY(m_proxy->dropMimeData(drag.get(), Qt::MoveAction, -1, -1, m_proxy->index(3, 0)));
    QVERIFY(!m_model->lanesUnchanged());
    QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);

    m_model->resetLanes();

    QVERIFY(m_model->lanesUnchanged());
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.first().at(0).toModelIndex(), m_model->index(0, 0));
    QCOMPARE(changed.first().at(1).toModelIndex(), m_model->index(4, Column::ColumnCount - 1));
    for (int row = 0; row < 5; ++row)
        QCOMPARE(m_proxy->participationAt(row), m_heat.at(row));
}

STADIONIX_TEST_MAIN(TestTrackParticipantsModel)
#include "tst_trackparticipantsmodel.moc"
