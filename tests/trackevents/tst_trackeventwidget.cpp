#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QtTest>

#include <memory>

#include "app/animatedbutton.h"
#include "records/disqualificationrulesmodel.h"
#include "records/resultmarks.h"
#include "support/testsupport.h"
#include "tests/schedule/modalanswerer.h"
#include "tests/sync/connectionfixture.h"
#include "trackevents/trackeventwidget.h"
#include "trackevents/trackparticipantsmodel.h"
#include "trackevents/trackparticipantssortfiltermodel.h"
#include "trackevents/tracktableview.h"
#include "trackheat.h"

using Column = TrackParticipantsModel::Column;

namespace {

// This test's own loopback address (docs/testing.md).
const QString Host = QStringLiteral("127.0.20.9");

// Heats of the demo competition: 101 and 102 are "100 m" heats of round 21.
QVariantMap heatData(unsigned heatId, int cached = 0)
{
    QVariantMap data = ConnectionFixture::heatData(heatId, QString(), 11, 21, cached);
    data.insert("event.eventName", "100 m ");
    data.insert("event.roundName", "Heats");
    data.insert("event.seqno", heatId - 100);
    return data;
}

// Drawn lanes of heat 101: participation 1001 in lane 2 up to 1007 in lane 8.
QMap<unsigned, unsigned> drawnLanes()
{
    QMap<unsigned, unsigned> lanes;
    for (unsigned id = 1001; id <= 1007; ++id)
        lanes.insert(id, id - 1001 + 2);
    return lanes;
}

} // namespace

class TestTrackEventWidget : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }
    void cleanup();

    void title_fromEventRoundAndSeqno_data();
    void title_fromEventRoundAndSeqno();
    void navigation_buttonsFollowTheIndexes_data();
    void navigation_buttonsFollowTheIndexes();
    void dragScrolling_byWholeRowsWithinRange_data();
    void dragScrolling_byWholeRowsWithinRange();

    void standin_dropMovesLanes_resetRestoresDraw();
    void standin_laneDialog_movesParticipant();
    void standin_dnsAndDqThroughDialogs_reachTheServer();
    void standin_noResult_removesTheResultAndStoresNone_data();
    void standin_noResult_removesTheResultAndStoresNone();
    void standin_nextAndPrevious_reuseTheScreen();
    void standin_twoInOneLane_warningNamesBoth();
    void standin_heatNotHereYet_saysSo_reloadButtonAsksAgain();

private:
    std::unique_ptr<TrackEventWidget> showWidget();
    bool openHeat(TrackEventWidget &widget, unsigned heatId, int cached = 0);
    int proxyRowOf(TrackEventWidget &widget, unsigned serverId) const;
    void clickCell(TrackEventWidget &widget, int proxyRow, int column);
    QMap<unsigned, unsigned> serverLanes();
    bool drained();

    std::unique_ptr<ConnectionFixture> m_fixture;
    QList<Participation *> m_ownHeat;
};

void TestTrackEventWidget::cleanup()
{
    m_fixture.reset();
    qDeleteAll(m_ownHeat);
    m_ownHeat.clear();
}

std::unique_ptr<TrackEventWidget> TestTrackEventWidget::showWidget()
{
    auto widget = std::make_unique<TrackEventWidget>();
    widget->resize(900, 700);
    widget->show();
    if (!QTest::qWaitForWindowExposed(widget.get()))
        qWarning("track screen not exposed");
    return widget;
}

bool TestTrackEventWidget::openHeat(TrackEventWidget &widget, unsigned heatId, int cached)
{
    widget.setEvent(m_fixture->connection.get(), heatData(heatId, cached));
    return QTest::qWaitFor([&widget] { return widget.proxyModel()->rowCount() == 7; }, 5000);
}

int TestTrackEventWidget::proxyRowOf(TrackEventWidget &widget, unsigned serverId) const
{
    for (int row = 0; row < widget.proxyModel()->rowCount(); ++row) {
        if (widget.proxyModel()->index(row, Column::IdColumn).data().toUInt() == serverId)
            return row;
    }
    return -1;
}

void TestTrackEventWidget::clickCell(TrackEventWidget &widget, int proxyRow, int column)
{
    TrackTableView *table = widget.tableView();
    const QRect cell = table->visualRect(widget.proxyModel()->index(proxyRow, column));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

QMap<unsigned, unsigned> TestTrackEventWidget::serverLanes()
{
    QMap<unsigned, unsigned> lanes;
    for (unsigned id = 1001; id <= 1007; ++id) {
        const auto *p = m_fixture->server.competition().participation(id);
        lanes.insert(id, p ? p->data.value("initialorder").toInt() : 0);
    }
    return lanes;
}

bool TestTrackEventWidget::drained()
{
    DatabaseConnection *connection = m_fixture->connection.get();
    return QTest::qWaitFor(
        [connection] { return connection->pendingActionCount() == 0 && connection->requestsInFlight() == 0; }, 5000);
}

void TestTrackEventWidget::title_fromEventRoundAndSeqno_data()
{
    QTest::addColumn<QString>("eventName");
    QTest::addColumn<QString>("roundName");
    QTest::addColumn<QString>("title");

    QTest::newRow("event, round and heat")
        << QStringLiteral(" 100 m ") << QStringLiteral(" Heats ") << QStringLiteral("100 m - Heats - 3");
    QTest::newRow("round '*' leaves the round out")
        << QStringLiteral("4 x 100 m") << QStringLiteral("*") << QStringLiteral("4 x 100 m - 3");
    QTest::newRow("no round, no title") << QStringLiteral("100 m") << QString() << QString();
}

void TestTrackEventWidget::title_fromEventRoundAndSeqno()
{
    QFETCH(QString, eventName);
    QFETCH(QString, roundName);
    QFETCH(QString, title);

    const QVariantMap data{{"event.eventName", eventName}, {"event.roundName", roundName}, {"event.seqno", 3}};
    TrackEventWidget widget;
    widget.setEvent(nullptr, data);
    QCOMPARE(widget.findChild<QLabel *>("lblEventName")->text(), title);
}

void TestTrackEventWidget::navigation_buttonsFollowTheIndexes_data()
{
    QTest::addColumn<int>("previousRow");
    QTest::addColumn<int>("nextRow");

    QTest::newRow("both") << 0 << 2;
    QTest::newRow("first heat") << -1 << 1;
    QTest::newRow("last heat") << 1 << -1;
    QTest::newRow("only heat") << -1 << -1;
}

void TestTrackEventWidget::navigation_buttonsFollowTheIndexes()
{
    QFETCH(int, previousRow);
    QFETCH(int, nextRow);

    QStandardItemModel schedule(3, 5);
    const auto indexOf = [&schedule](int row) { return row < 0 ? QModelIndex() : schedule.index(row, 4); };
    auto widget = showWidget();
    QAbstractItemModelTester tester(widget->proxyModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_ownHeat = TrackHeat::heat(4);
    widget->model()->participationsReceived("7", m_ownHeat);
    widget->setNavigation(indexOf(previousRow), indexOf(nextRow));

    auto *previous = widget->findChild<AnimatedButton *>("btnPrevious");
    auto *next = widget->findChild<AnimatedButton *>("btnNext");
    QCOMPARE(previous->isEnabled(), previousRow >= 0);
    QCOMPARE(next->isEnabled(), nextRow >= 0);
    QCOMPARE(previous->toolTip(), QStringLiteral("Go to the previous heat"));
    QCOMPARE(next->toolTip(), QStringLiteral("Go to the next heat"));

    QSignalSpy opened(widget.get(), &TrackEventWidget::openTrackEvent);
    // A disabled button does nothing; slots called anyway must not either.
    widget->onBtnPreviousClicked();
    widget->onBtnNextClicked();
    QCOMPARE(opened.size(), int(previousRow >= 0) + int(nextRow >= 0));
    if (previousRow >= 0)
        QCOMPARE(opened.first().first().toModelIndex().row(), previousRow);
    if (nextRow >= 0)
        QCOMPARE(opened.last().first().toModelIndex().row(), nextRow);
    const int expectedRows = opened.isEmpty() ? 4 : 0;
    QCOMPARE(widget->proxyModel()->rowCount(), expectedRows);
}

void TestTrackEventWidget::dragScrolling_byWholeRowsWithinRange_data()
{
    QTest::addColumn<int>("startRow");
    QTest::addColumn<double>("rowsDragged");
    QTest::addColumn<int>("scrolled");

    QTest::newRow("less than a row stays") << 0 << 0.6 << 0;
    QTest::newRow("three rows up") << 0 << 3.2 << 3;
    QTest::newRow("back down two rows") << 5 << -2.0 << 3;
    QTest::newRow("not above the top") << 1 << -3.0 << 1;
}

void TestTrackEventWidget::dragScrolling_byWholeRowsWithinRange()
{
    QFETCH(int, startRow);
    QFETCH(double, rowsDragged);
    QFETCH(int, scrolled);

    auto widget = showWidget();
    widget->resize(600, 300);
    for (unsigned n = 1; n <= 40; ++n)
        m_ownHeat.append(TrackHeat::runner(n, n));
    widget->model()->participationsReceived("7", m_ownHeat);
    QScrollBar *bar = widget->tableView()->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 10);
    bar->setValue(startRow);
    const int rowHeight = widget->tableView()->rowHeight(0);

    const QPoint from(100, 200);
    widget->onParticipantMousePress(from);
    widget->onParticipantMouseMove(from - QPoint(0, int(rowsDragged * rowHeight)));
    widget->onParticipantMouseRelease(from);
    QCOMPARE(bar->value(), scrolled);

    // After the release, moving does not scroll.
    widget->onParticipantMouseMove(from - QPoint(0, 5 * rowHeight));
    QCOMPARE(bar->value(), scrolled);
}

void TestTrackEventWidget::standin_dropMovesLanes_resetRestoresDraw()
{
    m_fixture = std::make_unique<ConnectionFixture>(Host);
    QVERIFY(m_fixture->started);
    auto widget = showWidget();
    QAbstractItemModelTester tester(widget->proxyModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QTest::ignoreMessage(QtDebugMsg, "resultsReceived 7");
    QVERIFY(openHeat(*widget, 101));
    auto *reset = widget->findChild<AnimatedButton *>("btnResetLanes");
    QCOMPARE(reset->toolTip(), QStringLiteral("Reset lanes to initial value"));
    QVERIFY(!reset->isEnabled());
    QCOMPARE(widget->findChild<QLabel *>("lblEventName")->text(), QStringLiteral("100 m - Heats - 1"));
    for (int row = 0; row < 7; ++row)
        QCOMPARE(widget->proxyModel()->index(row, Column::LaneColumn).data().toUInt(), unsigned(row + 2));

    QList<QJsonObject> updates;
    connect(&m_fixture->server, &StandinServer::requestLogged, this, [&updates](const QJsonObject &entry) {
        if (entry.value("path").toString().contains("update_participation"))
            updates.append(entry);
    });

    // The lane 2 runner dragged onto lane 5, as the table hands it over.
    TrackParticipantsSortFilterModel *proxy = widget->proxyModel();
    std::unique_ptr<QMimeData> drag(proxy->mimeData({proxy->index(0, Column::LaneColumn)}));
    QVERIFY(proxy->canDropMimeData(drag.get(), Qt::MoveAction, -1, -1, proxy->index(3, Column::NameColumn)));
    QVERIFY(proxy->dropMimeData(drag.get(), Qt::MoveAction, -1, -1, proxy->index(3, Column::NameColumn)));
    QVERIFY(reset->isEnabled());
    QVERIFY(drained());
    QCOMPARE(updates.size(), 4);
    QMap<unsigned, unsigned> moved = drawnLanes();
    moved[1001] = 5;
    moved[1002] = 2;
    moved[1003] = 3;
    moved[1004] = 4;
    QCOMPARE(serverLanes(), moved);
    QCOMPARE(proxy->index(3, Column::IdColumn).data().toUInt(), 1001u);

    updates.clear();
    QTest::mouseClick(reset, Qt::LeftButton);
    QVERIFY(!reset->isEnabled());
    QVERIFY(drained());
    QCOMPARE(updates.size(), 7);
    QCOMPARE(serverLanes(), drawnLanes());
    for (int row = 0; row < 7; ++row)
        QCOMPARE(proxy->index(row, Column::IdColumn).data().toUInt(), unsigned(1001 + row));
    // Nothing but lanes went to the server.
    QCOMPARE(m_fixture->requestsTo("new_result") + m_fixture->requestsTo("update_result") +
                 m_fixture->requestsTo("delete_result"),
             0);
}

void TestTrackEventWidget::standin_laneDialog_movesParticipant()
{
    m_fixture = std::make_unique<ConnectionFixture>(Host);
    QVERIFY(m_fixture->started);
    auto widget = showWidget();
    QVERIFY(openHeat(*widget, 101));
    auto *reset = widget->findChild<AnimatedButton *>("btnResetLanes");

    ModalAnswerer answerer({[](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Lane selection"));
        QTest::mouseClick(dialog->findChild<QPushButton *>("btnToggleInputField"), Qt::LeftButton);
        auto *field = dialog->findChild<QLineEdit *>("txtLane");
        QTest::keyClicks(field, "11");
        QTest::keyClick(field, Qt::Key_Return);
    }});
    QTest::ignoreMessage(QtDebugMsg, "clicked on lane ");
    clickCell(*widget, proxyRowOf(*widget, 1003), Column::LaneColumn);
    QCOMPARE(answerer.answered(), 1);
    QVERIFY(reset->isEnabled());
    QCOMPARE(widget->proxyModel()->index(6, Column::IdColumn).data().toUInt(), 1003u);
    QCOMPARE(widget->proxyModel()->index(6, Column::LaneColumn).data().toUInt(), 11u);
    QVERIFY(drained());
    QMap<unsigned, unsigned> lanes = drawnLanes();
    lanes[1003] = 11;
    QCOMPARE(serverLanes(), lanes);
}

void TestTrackEventWidget::standin_dnsAndDqThroughDialogs_reachTheServer()
{
    m_fixture = std::make_unique<ConnectionFixture>(Host);
    QVERIFY(m_fixture->started);
    DisqualificationRulesModel rules;
    m_fixture->connection->requestDisqualificationRules(&rules, "en");
    QTRY_VERIFY_WITH_TIMEOUT(!rules.rules().isEmpty(), 5000);
    auto widget = showWidget();
    widget->setDisqualificationRules(rules.rules());
    QVERIFY(openHeat(*widget, 101));

    const auto press = [](const char *button) {
        return [button](QWidget *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Result selection"));
            QTest::mouseClick(dialog->findChild<QPushButton *>(button), Qt::LeftButton);
        };
    };
    {
        ModalAnswerer answerer({press("buttonDNS")});
        QTest::ignoreMessage(QtDebugMsg, "clicked on result ");
        clickCell(*widget, proxyRowOf(*widget, 1006), Column::ResultColumn);
        QCOMPARE(answerer.answered(), 1);
    }
    {
        ModalAnswerer answerer({[](QWidget *dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton *>("buttonDQ"), Qt::LeftButton);
            auto *choice = dialog->findChild<QComboBox *>("cmbDisqualificationRule");
            choice->setCurrentIndex(choice->findText("R-12 Stepped on or over the lane line"));
        }});
        clickCell(*widget, proxyRowOf(*widget, 1007), Column::ResultColumn);
        QCOMPARE(answerer.answered(), 1);
    }
    {
        // Cancelled: nothing changes.
        ModalAnswerer answerer({[](QWidget *dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton *>("btnCancel"), Qt::LeftButton);
        }});
        clickCell(*widget, proxyRowOf(*widget, 1001), Column::ResultColumn);
        QCOMPARE(answerer.answered(), 1);
    }

    const auto shown = [&widget, this](unsigned id, int column) {
        return widget->proxyModel()->index(proxyRowOf(*widget, id), column).data().toString();
    };
    QCOMPARE(shown(1006, Column::ResultColumn), QStringLiteral("DNS"));
    QCOMPARE(shown(1007, Column::ResultColumn), QStringLiteral("DQ"));
    QCOMPARE(shown(1007, Column::InfoColumn), QStringLiteral("DQ:R-12 Stepped on or over the lane line"));
    QCOMPARE(shown(1001, Column::ResultColumn), QStringLiteral("12.31"));

    QVERIFY(drained());
    // The server holds exactly these two changes: the times of the heat
    // became the marks, every other result and every lane is as it was.
    const QMap<unsigned, double> times{{1001, 12.31},
                                       {1002, 12.68},
                                       {1003, 11.89},
                                       {1004, 11.92},
                                       {1005, 12.37},
                                       {1006, ResultMarks::DidNotStart},
                                       {1007, ResultMarks::Disqualified}};
    for (auto it = times.cbegin(); it != times.cend(); ++it) {
        const auto results = m_fixture->serverResults(it.key());
        QCOMPARE(results.size(), 1);
        QCOMPARE(results.first().value, it.value());
        const QString info = it.key() == 1007 ? QStringLiteral("DQ:R-12 Stepped on or over the lane line") : QString();
        QCOMPARE(results.first().info, info);
    }
    QCOMPARE(serverLanes(), drawnLanes());
    QCOMPARE(m_fixture->requestsTo("new_result"), 0);
    QCOMPARE(m_fixture->requestsTo("delete_result"), 0);
}

void TestTrackEventWidget::standin_noResult_removesTheResultAndStoresNone_data()
{
    QTest::addColumn<unsigned>("heatId");
    QTest::addColumn<unsigned>("runner");
    QTest::addColumn<int>("removals");
    QTest::newRow("runner with a time: the time goes") << 101u << 1001u << 1;
    QTest::newRow("runner without a result: nothing stored or sent") << 102u << 1008u << 0;
}

void TestTrackEventWidget::standin_noResult_removesTheResultAndStoresNone()
{
    QFETCH(unsigned, heatId);
    QFETCH(unsigned, runner);
    QFETCH(int, removals);
    m_fixture = std::make_unique<ConnectionFixture>(Host);
    QVERIFY(m_fixture->started);
    auto widget = showWidget();
    QVERIFY(openHeat(*widget, heatId));
    QCOMPARE(int(m_fixture->serverResults(runner).size()), removals);

    ModalAnswerer answerer({[](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Result selection"));
        QTest::mouseClick(dialog->findChild<QPushButton *>("buttonNR"), Qt::LeftButton);
    }});
    QTest::ignoreMessage(QtDebugMsg, "clicked on result ");
    clickCell(*widget, proxyRowOf(*widget, runner), Column::ResultColumn);
    QCOMPARE(answerer.answered(), 1);
    QCOMPARE(widget->proxyModel()->index(proxyRowOf(*widget, runner), Column::ResultColumn).data().toString(),
             QString());

    QVERIFY(drained());
    QVERIFY(m_fixture->serverResults(runner).isEmpty());
    QCOMPARE(m_fixture->requestsTo("delete_result"), removals);
    QCOMPARE(m_fixture->requestsTo("new_result"), 0);
    QCOMPARE(m_fixture->requestsTo("update_result"), 0);
    // Nor is anything of it left in the store.
    QObject loaded;
    int stored = -1;
    for (const Participation *p : m_fixture->connection->store()->loadParticipations(heatId, &loaded)) {
        if (p->participation_id == runner)
            stored = int(p->results().size());
    }
    QCOMPARE(stored, 0);
}

void TestTrackEventWidget::standin_nextAndPrevious_reuseTheScreen()
{
    m_fixture = std::make_unique<ConnectionFixture>(Host);
    QVERIFY(m_fixture->started);
    // The schedule as the main window sees it: heat 101, heat 102, and once
    // more heat 102, listed as cached in the store.
    struct Row
    {
        unsigned heatId;
        int cached;
    };
    const QList<Row> rows{{101, 0}, {102, 0}, {102, 1}};
    QStandardItemModel schedule(3, 5);
    auto widget = showWidget();
    QVERIFY(openHeat(*widget, 101));
    widget->setNavigation(QModelIndex(), schedule.index(1, 4));

    // Stands in for the main window: the same screen loads the heat of the
    // index and gets its neighbours.
    QList<int> opened;
    connect(widget.get(), &TrackEventWidget::openTrackEvent, this, [&](const QModelIndex &index) {
        opened.append(index.row());
        const Row row = rows.at(index.row());
        widget->setEvent(m_fixture->connection.get(), heatData(row.heatId, row.cached));
        widget->setNavigation(schedule.index(index.row() - 1, 4), schedule.index(index.row() + 1, 4));
    });

    QTest::mouseClick(widget->findChild<AnimatedButton *>("btnNext"), Qt::LeftButton);
    QCOMPARE(opened, QList<int>{1});
    QTRY_COMPARE_WITH_TIMEOUT(widget->proxyModel()->rowCount(), 7, 5000);
    QCOMPARE(widget->proxyModel()->index(0, Column::IdColumn).data().toUInt(), 1008u);
    QCOMPARE(widget->findChild<QLabel *>("lblEventName")->text(), QStringLiteral("100 m - Heats - 2"));
    QVERIFY(widget->findChild<AnimatedButton *>("btnPrevious")->isEnabled());

    // A cached heat comes from the store at once, while the signal runs, and
    // must stay in the table.
    QTest::mouseClick(widget->findChild<AnimatedButton *>("btnNext"), Qt::LeftButton);
    QCOMPARE(opened, (QList<int>{1, 2}));
    QCOMPARE(widget->proxyModel()->rowCount(), 7);
    QCOMPARE(widget->proxyModel()->index(0, Column::IdColumn).data().toUInt(), 1008u);
    QVERIFY(!widget->findChild<AnimatedButton *>("btnNext")->isEnabled());
}

// Tests without the port lock listen here.
static const QString OwnAddress = QStringLiteral("127.0.19.12");

void TestTrackEventWidget::standin_twoInOneLane_warningNamesBoth()
{
    m_fixture = std::make_unique<ConnectionFixture>(OwnAddress);
    QVERIFY(m_fixture->started);
    auto widget = showWidget();
    QVERIFY(openHeat(*widget, 101));
    auto *warning = widget->findChild<QLabel *>("lblLaneWarning");
    QVERIFY(!warning->isVisible());
    const auto athlete = [&widget, this](unsigned serverId) {
        const int row = proxyRowOf(*widget, serverId);
        return widget->proxyModel()->index(row, Column::BibColumn).data().toString() + QLatin1Char(' ') +
               widget->proxyModel()->index(row, Column::NameColumn).data().toString();
    };
    const QString first = athlete(1001);
    const QString second = athlete(1002);

    // The runner of lane 2 moved into lane 3, where another one runs.
    ModalAnswerer answerer(
        {[](QWidget *dialog) { QTest::mouseClick(dialog->findChild<QPushButton *>("btnLane3"), Qt::LeftButton); }});
    QTest::ignoreMessage(QtDebugMsg, "clicked on lane ");
    clickCell(*widget, proxyRowOf(*widget, 1001), Column::LaneColumn);
    QCOMPARE(answerer.answered(), 1);
    QVERIFY(warning->isVisible());
    QCOMPARE(warning->text(), QStringLiteral("Lane 3 is shared: %1 and %2").arg(first, second));

    // Back in the drawn lanes, the warning goes.
    QTest::mouseClick(widget->findChild<AnimatedButton *>("btnResetLanes"), Qt::LeftButton);
    QVERIFY(!warning->isVisible());
    QVERIFY(drained());
}

void TestTrackEventWidget::standin_heatNotHereYet_saysSo_reloadButtonAsksAgain()
{
    m_fixture = std::make_unique<ConnectionFixture>(OwnAddress);
    QVERIFY(m_fixture->started);
    // Slow retries: only the button brings the heat in this test's time.
    m_fixture->connection->setRetransmitInterval(60000);
    QVERIFY(m_fixture->server.setDown(true));
    auto widget = showWidget();
    widget->setEvent(m_fixture->connection.get(), heatData(101));
    auto *message = widget->findChild<QLabel *>("lblHeatMessage");
    auto *reload = widget->findChild<AnimatedButton *>("btnResetLanes");
    QVERIFY(QTest::qWaitFor([&message] { return message->isVisible(); }, 5000));
    QCOMPARE(message->text(),
             QStringLiteral("This heat is not on this tablet yet; it loads as soon as the server answers"));
    QVERIFY(reload->isEnabled());
    QCOMPARE(reload->toolTip(), QStringLiteral("Load this heat again"));

    QVERIFY(m_fixture->server.setDown(false));
    QTest::ignoreMessage(QtDebugMsg, "resultsReceived 7");
    QTest::mouseClick(reload, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&widget] { return widget->proxyModel()->rowCount() == 7; }, 5000));
    QVERIFY(!message->isVisible());
    QVERIFY(!reload->isEnabled());
    QCOMPARE(reload->toolTip(), QStringLiteral("Reset lanes to initial value"));
}

STADIONIX_TEST_MAIN(TestTrackEventWidget)
#include "tst_trackeventwidget.moc"
