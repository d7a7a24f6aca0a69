#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include "app/settings.h"
#include "heatmaps.h"
#include "modalanswerer.h"
#include "records/heatevent.h"
#include "schedule/raceslistview.h"
#include "schedule/racesmodel.h"
#include "schedule/scheduletablesortfiltermodel.h"
#include "schedule/scheduletablewidget.h"
#include "support/testsupport.h"
#include "sync/folderinfodialog.h"
#include "sync/meetwisediscovery.h"

using HeatMaps::heat;

using TextMap = QMap<QString, QString>;
using Offsets = QList<qreal>;

namespace {

QStringList shownIds(const ScheduleTableWidget &widget)
{
    QStringList ids;
    const QAbstractItemModel *proxy = widget.proxyModel();
    for (int row = 0; row < proxy->rowCount(); ++row)
        ids << proxy->index(row, RacesModel::IdColumn).data().toString();
    return ids;
}

QVariant storedSetting(const QString &group, const QString &key)
{
    QSettings settings;
    settings.beginGroup(group);
    return settings.value(key);
}

// Many heats, so the list of a 1024 x 700 page must scroll.
QList<QVariantMap> manyHeats(int count)
{
    QList<QVariantMap> heats;
    for (int i = 0; i < count; ++i)
        heats << heat(
            QString::number(100 + i), QStringLiteral("Heat %1").arg(i + 1),
            QStringLiteral("%1%2").arg(8 + i / 6, 2, 10, QLatin1Char('0')).arg(i % 6 * 10, 2, 10, QLatin1Char('0')));
    return heats;
}

} // namespace

class TestScheduleTableWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void filters_restoredFromSettings_data();
    void filters_restoredFromSettings();
    void filterBoxesAndSearch_filterAndWriteSettings();
    void doubleClick_emitsTheOneHeatEvent_data();
    void doubleClick_emitsTheOneHeatEvent();
    void refresh_emitsRefreshSchedule();
    void databaseLink_prefilledFromSyncFile();
    void databaseLink_accepted_writesSyncFileAndEmits_data();
    void databaseLink_accepted_writesSyncFileAndEmits();
    void databaseLink_cancelled_changesNothing();
    void databaseLink_unwritableFolder_warnsAndStillEmits();
    void dragScrolling_byWholeRowsWithinRange_data();
    void dragScrolling_byWholeRowsWithinRange();
    void dragScrolling_withTheFingerOnTheList();
    void dragScrolling_nothingWithoutPressOrRows();

private:
    // A shown page of the size of the tablet's screen, filled with heats.
    std::unique_ptr<ScheduleTableWidget> shownPage(const QList<QVariantMap> &heats);

    QTemporaryDir m_folder;
    QUdpSocket m_pingSink;
};

void TestScheduleTableWidget::initTestCase()
{
    // The settings object sets the INI format that QSettings below must use too.
    Settings::instance();
    QVERIFY(m_folder.isValid());
    // The folder dialog looks for servers and logs in on loopback only, where
    // nothing answers; its pings end in the test's own sink rather than in a
    // stand-in that another test runs on every address.
    qputenv(MeetwiseDiscovery::PingTargetsVariable, "127.0.18.40");
    qputenv(MeetwiseDiscovery::ListenAddressVariable, "127.0.18.41");
    QVERIFY(m_pingSink.bind(QHostAddress(QStringLiteral("127.0.18.40")), MeetwiseDiscovery::PingPort,
                            QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
    Settings::instance()->setValue(QStringLiteral("atletieknu"), QStringLiteral("host"),
                                   QStringLiteral("https://127.0.18.40:9/"));
}

void TestScheduleTableWidget::init()
{
    TestSupport::failOnUnexpectedWarnings();
    QSettings settings;
    settings.remove(QStringLiteral("schedule"));
    settings.remove(QStringLiteral("communication"));
    QFile::remove(m_folder.filePath(QStringLiteral("sync")));
}

std::unique_ptr<ScheduleTableWidget> TestScheduleTableWidget::shownPage(const QList<QVariantMap> &heats)
{
    auto page = std::make_unique<ScheduleTableWidget>();
    page->setDataFolder(m_folder.path());
    page->resize(1024, 700);
    page->racesModel()->heatEventsReceived(heats);
    page->show();
    if (!QTest::qWaitForWindowExposed(page.get()))
        return nullptr;
    return page;
}

void TestScheduleTableWidget::filters_restoredFromSettings_data()
{
    QTest::addColumn<QVariant>("storedTrack");
    QTest::addColumn<QVariant>("storedField");
    QTest::addColumn<bool>("trackChecked");
    QTest::addColumn<bool>("fieldChecked");
    QTest::addColumn<QStringList>("ids");

    QTest::newRow("first start shows both kinds")
        << QVariant() << QVariant() << true << true << QStringList{"t", "f", "x"};
    QTest::newRow("stored unchecked boxes win") << QVariant(0) << QVariant(0) << false << false << QStringList{"x"};
    QTest::newRow("track only") << QVariant(2) << QVariant(0) << true << false << QStringList{"t", "x"};
    QTest::newRow("field only") << QVariant(0) << QVariant(2) << false << true << QStringList{"f", "x"};
}

void TestScheduleTableWidget::filters_restoredFromSettings()
{
    QFETCH(QVariant, storedTrack);
    QFETCH(QVariant, storedField);
    QFETCH(bool, trackChecked);
    QFETCH(bool, fieldChecked);
    QFETCH(QStringList, ids);

    if (storedTrack.isValid())
        Settings::instance()->setValue("schedule", "filter_track", storedTrack);
    if (storedField.isValid())
        Settings::instance()->setValue("schedule", "filter_field", storedField);

    ScheduleTableWidget page;
    page.racesModel()->heatEventsReceived({heat("t", "800m Men", "0900"), heat("f", "Discus Women", "0910", "8", "H"),
                                           heat("x", "Combined Events Points", "0920", "8", "P")});

    auto *track = page.findChild<QCheckBox *>(QStringLiteral("chkTrackEvents"));
    auto *field = page.findChild<QCheckBox *>(QStringLiteral("chkFieldEvents"));
    QVERIFY(track && field);
    QCOMPARE(track->isChecked(), trackChecked);
    QCOMPARE(field->isChecked(), fieldChecked);
    QCOMPARE(page.proxyModel()->showTrackEvents(), trackChecked);
    QCOMPARE(page.proxyModel()->showFieldEvents(), fieldChecked);
    QCOMPARE(shownIds(page), ids);
    // The settings agree with the boxes from the start.
    QCOMPARE(storedSetting("schedule", "filter_track").toInt(), trackChecked ? 2 : 0);
    QCOMPARE(storedSetting("schedule", "filter_field").toInt(), fieldChecked ? 2 : 0);
}

void TestScheduleTableWidget::filterBoxesAndSearch_filterAndWriteSettings()
{
    auto page = shownPage({heat("t1", "100m Women", "0900"), heat("f1", "Long Jump Women", "0910", "8", "H"),
                           heat("f2", "High Jump Men", "0920", "8", "V"), heat("t2", "110m Hurdles Men", "0930")});
    QVERIFY(page);
    auto *track = page->findChild<QCheckBox *>(QStringLiteral("chkTrackEvents"));
    auto *field = page->findChild<QCheckBox *>(QStringLiteral("chkFieldEvents"));
    auto *search = page->findChild<QLineEdit *>(QStringLiteral("txtSearch"));
    QVERIFY(track && field && search);
    QCOMPARE(search->placeholderText(), QStringLiteral("Search..."));

    track->click();
    QCOMPARE(storedSetting("schedule", "filter_track").toInt(), 0);
    QCOMPARE(shownIds(*page), (QStringList{"f1", "f2"}));

    field->click();
    QCOMPARE(storedSetting("schedule", "filter_field").toInt(), 0);
    QCOMPARE(shownIds(*page), QStringList{});

    track->click();
    QCOMPARE(storedSetting("schedule", "filter_track").toInt(), 2);
    QCOMPARE(shownIds(*page), (QStringList{"t1", "t2"}));

    field->click();
    QTest::keyClicks(search, QStringLiteral("MEN"));
    QCOMPARE(shownIds(*page), (QStringList{"t1", "f1", "f2", "t2"}));
    search->clear();
    QTest::keyClicks(search, QStringLiteral("jump m"));
    QCOMPARE(shownIds(*page), QStringList{"f2"});

    // A new page (the next start) comes up as the boxes were left.
    field->click();
    ScheduleTableWidget next;
    QVERIFY(next.findChild<QCheckBox *>(QStringLiteral("chkTrackEvents"))->isChecked());
    QVERIFY(!next.findChild<QCheckBox *>(QStringLiteral("chkFieldEvents"))->isChecked());
}

void TestScheduleTableWidget::doubleClick_emitsTheOneHeatEvent_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("opens");

    QTest::newRow("heat with participants opens") << "b" << true;
    QTest::newRow("field event opens too") << "c" << true;
    QTest::newRow("zero participants does not open") << "z" << false;
    QTest::newRow("empty count does not open") << "e" << false;
}

void TestScheduleTableWidget::doubleClick_emitsTheOneHeatEvent()
{
    QFETCH(QString, id);
    QFETCH(bool, opens);

    auto page = shownPage({heat("a", "400m Men", "1100", "8"), heat("b", "200m Women", "0900", "7"),
                           heat("z", "Mile Walk", "1000", "0"), heat("c", "Hammer Men", "0800", "12", "H"),
                           heat("e", "5000m Women", "1200", "")});
    QVERIFY(page);
    QSignalSpy spy(page.get(), &ScheduleTableWidget::scheduleTableDoubleClicked);
    const QStringList ids = shownIds(*page);
    const QModelIndex index = page->proxyModel()->index(int(ids.indexOf(id)), 0);
    QVERIFY(index.isValid());
    RacesListView *list = page->listView();
    const QPoint centre = list->visualRect(index).center();
    QVERIFY(list->viewport()->rect().contains(centre));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    // Reaching the slot directly must not get round the rule either.
    page->onScheduleTableDoubleClicked(index);

    QCOMPARE(spy.count(), opens ? 2 : 0);
    for (const QList<QVariant> &emitted : spy) {
        const auto events = emitted.first().value<QList<HeatEvent *>>();
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first()->id(), id);
    }
    spy.clear();
    page->onScheduleTableDoubleClicked(QModelIndex());
    QCOMPARE(spy.count(), 0);
}

void TestScheduleTableWidget::refresh_emitsRefreshSchedule()
{
    auto page = shownPage({});
    QVERIFY(page);
    QSignalSpy spy(page.get(), &ScheduleTableWidget::refreshSchedule);
    auto *refresh = page->findChild<QPushButton *>(QStringLiteral("btnRefresh"));
    QVERIFY(refresh);
    QTest::mouseClick(refresh, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
}

void TestScheduleTableWidget::databaseLink_prefilledFromSyncFile()
{
    // As the connection writes the file: lower-case section, values unquoted.
    QFile file(m_folder.filePath(QStringLiteral("sync")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
    file.write("[general]\ntype=meetwise\nip=127.0.18.40\nuser=judge\npass=pw\ncompetition=12\nsessions=1,2\n"
               "dates=20240615,20240616\nsessionID=0a1b\n");
    file.close();

    auto page = shownPage({});
    QVERIFY(page);
    TextMap seen;
    bool meetwiseChecked = false;
    QVariantMap configuration;
    ModalAnswerer answerer({[&](QWidget *modal) {
        auto *dialog = qobject_cast<FolderInfoDialog *>(modal);
        if (!dialog)
            return;
        meetwiseChecked = dialog->findChild<QPushButton *>(QStringLiteral("btnMeetwise"))->isChecked();
        for (QLineEdit *edit : dialog->findChildren<QLineEdit *>())
            seen.insert(edit->objectName(), edit->text());
        configuration = dialog->configuration();
        dialog->reject();
    }});
    page->onBtnDatabaseLinkClicked();
    QCOMPARE(answerer.answered(), 1);
    QVERIFY(meetwiseChecked);
    const TextMap expected{{"txtIp", "127.0.18.40"},
                           {"txtUser", "judge"},
                           {"txtPass", "pw"},
                           {"txtSynchronisationCode", ""},
                           {"txtServerTimeOffset", ""}};
    QCOMPARE(seen, expected);
    configuration.remove(QStringLiteral("sessionID"));
    QCOMPARE(configuration, (QVariantMap{{"ip", "127.0.18.40"},
                                         {"user", "judge"},
                                         {"pass", "pw"},
                                         {"competition", "12"},
                                         {"competitionname", ""},
                                         {"sessions", "1,2"},
                                         {"dates", "20240615,20240616"}}));
}

void TestScheduleTableWidget::databaseLink_accepted_writesSyncFileAndEmits_data()
{
    QTest::addColumn<QByteArray>("syncFile");
    QTest::addColumn<QString>("kindButton");
    QTest::addColumn<TextMap>("entries");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVariantMap>("data");

    // The server cannot be reached: the stored choice is what is accepted.
    QTest::newRow("Meetwise server")
        << QByteArray("[general]\ntype=meetwise\nip=127.0.18.40\nuser=official\npass=s3cret\ncompetition=17\n"
                      "competitionname=Midsummer Club Evening\nsessions=\"3,4\"\ndates=\"20240615,20240616\"\n")
        << "btnMeetwise" << TextMap() << 1 << "meetwise"
        << QVariantMap{{"ip", "127.0.18.40"},
                       {"user", "official"},
                       {"pass", "s3cret"},
                       {"competition", "17"},
                       {"competitionname", "Midsummer Club Evening"},
                       {"sessions", "3,4"},
                       {"dates", "20240615,20240616"}};
    QTest::newRow("AtletiekNu service") << QByteArray() << "btnAtletiekNu"
                                        << TextMap{{"txtSynchronisationCode", "ZX81"}, {"txtServerTimeOffset", "-250"}}
                                        << 2 << "atletieknu"
                                        << QVariantMap{{"code", "ZX81"}, {"servertimeoffset", "-250"}};
}

void TestScheduleTableWidget::databaseLink_accepted_writesSyncFileAndEmits()
{
    QFETCH(QByteArray, syncFile);
    QFETCH(QString, kindButton);
    QFETCH(TextMap, entries);
    QFETCH(int, kind);
    QFETCH(QString, type);
    QFETCH(QVariantMap, data);

    const QString path = m_folder.path() + QDir::separator() + QStringLiteral("sync");
    if (!syncFile.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
        file.write(syncFile);
    }
    auto page = shownPage({});
    QVERIFY(page);
    QSignalSpy spy(page.get(), &ScheduleTableWidget::setDatabaseConnectionData);
    ModalAnswerer answerer({[&](QWidget *modal) {
        auto *dialog = qobject_cast<FolderInfoDialog *>(modal);
        if (!dialog)
            return;
        auto *toggle = dialog->findChild<QPushButton *>(kindButton);
        if (!toggle->isChecked())
            QTest::mouseClick(toggle, Qt::LeftButton);
        for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
            auto *edit = dialog->findChild<QLineEdit *>(it.key());
            edit->clear();
            QTest::keyClicks(edit, it.value());
        }
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("btnOK"));
        QVERIFY(ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
    }});
    page->onBtnDatabaseLinkClicked();
    QCOMPARE(answerer.answered(), 1);

    QCOMPARE(storedSetting("communication", "database").toInt(), kind);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().at(0).toString(), type);
    QVariantMap emitted = spy.first().at(1).toMap();
    if (type == QLatin1String("meetwise")) {
        // Made by the dialog's own client for these settings.
        QVERIFY(emitted.take(QStringLiteral("sessionID"))
                    .toString()
                    .startsWith(QLatin1String("SID:MW:127.0.18.40:official:")));
    }
    QCOMPARE(emitted, data);

    QVERIFY(QFile::exists(path));
    QSettings sync(path, QSettings::IniFormat);
    for (auto it = data.cbegin(); it != data.cend(); ++it)
        QCOMPARE(sync.value(it.key()).toString(), it.value().toString());
    QCOMPARE(sync.value(QStringLiteral("type")).toString(), type);
}

void TestScheduleTableWidget::databaseLink_cancelled_changesNothing()
{
    auto page = shownPage({});
    QVERIFY(page);
    QSignalSpy spy(page.get(), &ScheduleTableWidget::setDatabaseConnectionData);
    ModalAnswerer answerer({[](QWidget *modal) {
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("btnAtletiekNu")), Qt::LeftButton);
        QTest::keyClicks(modal->findChild<QLineEdit *>(QStringLiteral("txtSynchronisationCode")),
                         QStringLiteral("AB12"));
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("btnCancel")), Qt::LeftButton);
    }});
    page->onBtnDatabaseLinkClicked();
    QCOMPARE(answerer.answered(), 1);
    QCOMPARE(spy.count(), 0);
    QVERIFY(!storedSetting("communication", "database").isValid());
    QVERIFY(!QFile::exists(m_folder.filePath(QStringLiteral("sync"))));
}

void TestScheduleTableWidget::databaseLink_unwritableFolder_warnsAndStillEmits()
{
    // A folder below a plain file can never be created.
    QFile blocker(m_folder.filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto page = shownPage({});
    QVERIFY(page);
    page->setDataFolder(blocker.fileName() + QStringLiteral("/data"));
    QSignalSpy spy(page.get(), &ScheduleTableWidget::setDatabaseConnectionData);

    QString warning;
    ModalAnswerer answerer(
        {[](QWidget *modal) {
             QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("btnAtletiekNu")), Qt::LeftButton);
             QTest::keyClicks(modal->findChild<QLineEdit *>(QStringLiteral("txtSynchronisationCode")),
                              QStringLiteral("AB12"));
             QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("btnOK")), Qt::LeftButton);
         },
         [&warning](QWidget *modal) {
             auto *box = qobject_cast<QMessageBox *>(modal);
             if (!box)
                 return;
             warning = box->text();
             box->accept();
         }});
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^Could not write the server settings to .*blocker")));
    page->onBtnDatabaseLinkClicked();
    QCOMPARE(answerer.answered(), 2);
    QVERIFY2(warning.contains(QStringLiteral("blocker")), qPrintable(warning));
    // The connection still gets the choice; it keeps it in memory.
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().at(0).toString(), QStringLiteral("atletieknu"));
}

void TestScheduleTableWidget::dragScrolling_byWholeRowsWithinRange_data()
{
    // Positions are in rows of the list; a negative start or result counts
    // from the scroll bar's maximum (-1 is the maximum itself).
    QTest::addColumn<int>("start");
    QTest::addColumn<Offsets>("fingerAt");
    QTest::addColumn<int>("expected");

    QTest::newRow("drag shorter than a row does not scroll") << 5 << Offsets{-0.9} << 5;
    QTest::newRow("three and a half rows up scrolls three") << 5 << Offsets{-3.5} << 8;
    QTest::newRow("two rows down scrolls back two") << 5 << Offsets{2.2} << 3;
    QTest::newRow("small moves add up to a row") << 5 << Offsets{-0.4, -0.8, -1.2} << 6;
    QTest::newRow("after a scroll rows count from the new point") << 5 << Offsets{-1.5, -2.3} << 6;
    QTest::newRow("back and forth") << 5 << Offsets{-2.1, -1.0, 0.5} << 5;
    QTest::newRow("drag to exactly the end") << -3 << Offsets{-2.1} << -1;
    QTest::newRow("drag past the end is not applied") << -3 << Offsets{-3.2} << -3;
    QTest::newRow("drag to the top") << 2 << Offsets{2.5} << 0;
    QTest::newRow("drag past the top is not applied") << 1 << Offsets{2.5} << 1;
}

void TestScheduleTableWidget::dragScrolling_byWholeRowsWithinRange()
{
    QFETCH(int, start);
    QFETCH(Offsets, fingerAt);
    QFETCH(int, expected);

    auto page = shownPage(manyHeats(40));
    QVERIFY(page);
    QScrollBar *bar = page->listView()->verticalScrollBar();
    const int rowHeight = page->listView()->sizeHintForRow(0);
    QVERIFY(rowHeight > 30);
    QVERIFY2(bar->maximum() > 10, "the list must be longer than the page");
    const auto value = [bar](int encoded) { return encoded >= 0 ? encoded : bar->maximum() + encoded + 1; };
    bar->setValue(value(start));

    const QPoint press(500, 350);
    page->onScheduleMousePress(press);
    for (qreal rows : fingerAt)
        page->onScheduleMouseMove(press + QPoint(0, qRound(rows * rowHeight)));
    page->onScheduleMouseRelease(press);
    QCOMPARE(bar->value(), value(expected));
    QVERIFY(bar->value() >= bar->minimum() && bar->value() <= bar->maximum());
}

void TestScheduleTableWidget::dragScrolling_withTheFingerOnTheList()
{
    auto page = shownPage(manyHeats(40));
    QVERIFY(page);
    QWidget *viewport = page->listView()->viewport();
    QScrollBar *bar = page->listView()->verticalScrollBar();
    const int rowHeight = page->listView()->sizeHintForRow(0);

    const auto move = [viewport](QPoint position, Qt::MouseButtons buttons) {
        QMouseEvent event(QEvent::MouseMove, position, viewport->mapToGlobal(position), Qt::NoButton, buttons, {});
        QApplication::sendEvent(viewport, &event);
    };

    const QPoint press(400, viewport->height() - 20);
    QTest::mousePress(viewport, Qt::LeftButton, {}, press);
    move(press - QPoint(0, 2 * rowHeight + rowHeight / 2), Qt::LeftButton);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, press - QPoint(0, 2 * rowHeight + rowHeight / 2));
    QCOMPARE(bar->value(), 2);

    // A right-button press starts no drag.
    QTest::mousePress(viewport, Qt::RightButton, {}, press);
    move(press - QPoint(0, 3 * rowHeight), Qt::RightButton);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, press);
    QCOMPARE(bar->value(), 2);
}

void TestScheduleTableWidget::dragScrolling_nothingWithoutPressOrRows()
{
    auto page = shownPage(manyHeats(40));
    QVERIFY(page);
    QScrollBar *bar = page->listView()->verticalScrollBar();
    const int rowHeight = page->listView()->sizeHintForRow(0);
    bar->setValue(4);

    // Moves before any press, and after the release.
    page->onScheduleMouseMove(QPoint(300, 100));
    page->onScheduleMousePress(QPoint(300, 600));
    page->onScheduleMouseRelease(QPoint(300, 600));
    page->onScheduleMouseMove(QPoint(300, 600 - 3 * rowHeight));
    QCOMPARE(bar->value(), 4);

    // A schedule that empties while a finger is down.
    page->onScheduleMousePress(QPoint(300, 600));
    page->racesModel()->heatEventsReceived({});
    const int before = bar->value();
    page->onScheduleMouseMove(QPoint(300, 100));
    QCOMPARE(bar->value(), before);
}

STADIONIX_TEST_MAIN(TestScheduleTableWidget)
#include "tst_scheduletablewidget.moc"
