// Binding a data folder to a server in the folder dialog: the stand-in
// competition server found over real UDP on loopback and asked over HTTP,
// answers sent by hand, the choice of competition, sessions and days, and
// the settings read back from the folder's "sync" file.
#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

#include "discoverablestandin.h"
#include "app/settings.h"
#include "support/testsupport.h"
#include "sync/atletieknusettingswidget.h"
#include "sync/folderinfodialog.h"
#include "sync/meetwisecipher.h"
#include "sync/meetwisedatesmodel.h"
#include "sync/meetwisediscovery.h"
#include "sync/meetwisesessionsmodel.h"
#include "sync/meetwisesettingswidget.h"

namespace {

const QHostAddress ServerAddress(QStringLiteral("127.0.18.11"));
const QHostAddress PageAddress(QStringLiteral("127.0.18.12"));
// No server here: requests are refused at once, and pings end in the test's
// own sink rather than in a stand-in that another test runs on every address.
const QHostAddress Nowhere(QStringLiteral("127.0.18.15"));

using Answers = QList<QPair<QString, QByteArray>>;

QByteArray answer(const QString &plain, quint64 key = 271828)
{
    return "MWSTADIONIXPINGANSWER;" + QByteArray::number(key) + ';' + MeetwiseCipher::encipher(plain, key).toLatin1();
}

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

QStringList keys(const CheckableListModel *model)
{
    QStringList list;
    for (int row = 0; row < model->rowCount(); ++row)
        list << model->key(row);
    return list;
}

// A tap in the middle of a row's text, away from its box.
void tapRow(QListView *list, const QString &key)
{
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QModelIndex index = list->model()->index(row, 0);
        if (index.data(Qt::UserRole).toString() == key) {
            const QRect rect = list->visualRect(index);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(rect.right() - 10, rect.center().y()));
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no row %1").arg(key)));
}

} // namespace

class TestFolderInfoDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void discoveredServer_listedOnce_competitionSessionsAndDaysChosen();
    void answers_data();
    void answers();
    void competitionDays_data();
    void competitionDays();
    void storedSettings_chosenAgainOnceServerListsThem();
    void storedSettings_serverUnreachable_keptAsTheyWere();
    void typedAddress_asksThatServer();
    void toggles_exactlyOneCheckedAndItsPageShown_data();
    void toggles_exactlyOneCheckedAndItsPageShown();
    void okButton_onlyForCompleteSettings_data();
    void okButton_onlyForCompleteSettings();

private:
    // The dialog for the test's folder, its Meetwise page pinging only the
    // given address and listening on the page's own.
    std::unique_ptr<FolderInfoDialog> dialog(const QHostAddress &pingTarget = Nowhere);
    void writeSync(const QByteArray &contents);

    StandinServer m_server;
    QUdpSocket m_pingSink;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestFolderInfoDialog::initTestCase()
{
    QString error;
    QVERIFY2(startDiscoverableStandin(m_server, ServerAddress, &error), qPrintable(error));
    QVERIFY(
        m_pingSink.bind(Nowhere, MeetwiseDiscovery::PingPort, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
    // A code typed on the AtletiekNu page goes nowhere but loopback.
    Settings::instance()->setValue(QStringLiteral("atletieknu"), QStringLiteral("host"),
                                   QStringLiteral("https://%1:9/").arg(Nowhere.toString()));
}

void TestFolderInfoDialog::init()
{
    TestSupport::failOnUnexpectedWarnings();
    m_folder = std::make_unique<QTemporaryDir>();
    Settings::instance()->setValue(QStringLiteral("communication"), QStringLiteral("database"), 3);
}

void TestFolderInfoDialog::cleanup()
{
    m_folder.reset();
}

std::unique_ptr<FolderInfoDialog> TestFolderInfoDialog::dialog(const QHostAddress &pingTarget)
{
    // The page reads where to ping when it is made, as the program does.
    qputenv(MeetwiseDiscovery::PingTargetsVariable, pingTarget.toString().toLatin1());
    qputenv(MeetwiseDiscovery::ListenAddressVariable, PageAddress.toString().toLatin1());
    auto made = std::make_unique<FolderInfoDialog>(m_folder->filePath(QStringLiteral("sync")));
    qunsetenv(MeetwiseDiscovery::PingTargetsVariable);
    qunsetenv(MeetwiseDiscovery::ListenAddressVariable);
    made->show();
    return made;
}

void TestFolderInfoDialog::writeSync(const QByteArray &contents)
{
    QFile file(m_folder->filePath(QStringLiteral("sync")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
    file.write(contents);
}

void TestFolderInfoDialog::discoveredServer_listedOnce_competitionSessionsAndDaysChosen()
{
    auto folderDialog = dialog(ServerAddress);
    auto *btnMeetwise = folderDialog->findChild<QPushButton *>(QStringLiteral("btnMeetwise"));
    auto *btnAtletiekNu = folderDialog->findChild<QPushButton *>(QStringLiteral("btnAtletiekNu"));
    auto *ok = folderDialog->findChild<QPushButton *>(QStringLiteral("btnOK"));
    MeetwiseSettingsWidget *page = folderDialog->meetwisePage();
    QAbstractItemModelTester sessionsTester(page->sessionsModel());
    QAbstractItemModelTester datesTester(page->datesModel());
    // No kind yet: nothing is pinged before the Meetwise page is chosen.
    QVERIFY(!page->isVisible());
    QVERIFY(!page->discovery()->isRunning());

    QTest::mouseClick(btnMeetwise, Qt::LeftButton);
    QVERIFY(page->isVisible());
    QVERIFY(!btnAtletiekNu->isChecked());
    auto *cmbServer = page->findChild<QComboBox *>(QStringLiteral("cmbServer"));
    auto *cmbCompetition = page->findChild<QComboBox *>(QStringLiteral("cmbCompetition"));
    QTRY_COMPARE(items(cmbServer), QStringList{"Stadionix stand-in - 127.0.18.11"});
    QTRY_COMPARE(items(cmbCompetition), (QStringList{"Northern Lakes Open 2026", "Midsummer Club Evening"}));
    QCOMPARE(cmbCompetition->currentText(), QStringLiteral("Northern Lakes Open 2026"));
    QCOMPARE(keys(page->sessionsModel()), (QStringList{"1", "2", "3"}));
    QCOMPARE(page->sessionsModel()->index(1).data().toString(), QStringLiteral("Saturday afternoon"));
    QCOMPARE(keys(page->datesModel()), (QStringList{"20260613", "20260614"}));
    QVERIFY(ok->isEnabled());

    tapRow(page->findChild<QListView *>(QStringLiteral("lstSessions")), QStringLiteral("2"));
    tapRow(page->findChild<QListView *>(QStringLiteral("lstDays")), QStringLiteral("20260614"));

    // The next pings are answered as well: the server stays listed once.
    const int pings = m_server.requestLog().size();
    QTRY_VERIFY_WITH_TIMEOUT(m_server.requestLog().size() > pings + 1, MeetwiseDiscovery::EchoInterval + 2000);
    QCOMPARE(items(cmbServer), QStringList{"Stadionix stand-in - 127.0.18.11"});

    QCOMPARE(folderDialog->databaseType(), QStringLiteral("meetwise"));
    QVariantMap map = folderDialog->configuration();
    const QString sessionId = map.take(QStringLiteral("sessionID")).toString();
    QVERIFY2(sessionId.startsWith(QLatin1String("SID:MW:127.0.18.11:official:")), qPrintable(sessionId));
    QCOMPARE(map, (QVariantMap{{"ip", "127.0.18.11"},
                               {"user", "official"},
                               {"pass", "lap&time=42"},
                               {"competition", "1"},
                               {"competitionname", "Northern Lakes Open 2026"},
                               {"sessions", "2"},
                               {"dates", "20260614"}}));
    // The page's own client asked for the competitions with that header.
    bool asked = false;
    for (const QJsonObject &entry : m_server.requestLog())
        asked |= entry.value("path").toString() == QLatin1String("/competitions") &&
                 entry.value("sessionid").toString().startsWith(QLatin1String("SID:MW:127.0.18.11:official:"));
    QVERIFY(asked);
}

void TestFolderInfoDialog::answers_data()
{
    QTest::addColumn<Answers>("answers");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QStringList>("servers");
    QTest::addColumn<QStringList>("credentials"); // of the first server

    QTest::newRow("two answers from one address keep one entry, the later credentials")
        << Answers{{"127.0.18.13", answer("Hall A;judge;first;x;")}, {"127.0.18.13", answer("Hall B;clerk;second;x;")}}
        << QString() << QStringList{"Hall B - 127.0.18.13"} << QStringList{"clerk", "second"};
    QTest::newRow("two addresses, two entries")
        << Answers{{"127.0.18.13", answer("Hall A;judge;first;x;")}, {"127.0.18.14", answer("Hall B;clerk;second;x;")}}
        << QString() << QStringList{"Hall A - 127.0.18.13", "Hall B - 127.0.18.14"} << QStringList{"judge", "first"};
    QTest::newRow("only the key field gives no server")
        << Answers{{"127.0.18.13", "MWSTADIONIXPINGANSWER;271828;"}} << QString() << QStringList() << QStringList();
    QByteArray wrongVersion = QByteArray::fromBase64(MeetwiseCipher::encipher("Hall A;judge;first;x;", 9).toLatin1());
    wrongVersion[0] = 4;
    QTest::newRow("a wrong cipher version is dropped")
        << Answers{{"127.0.18.13", "MWSTADIONIXPINGANSWER;9;" + wrongVersion.toBase64()}}
        << "Invalid version or not a cyphertext." << QStringList() << QStringList();
    QTest::newRow("other datagrams are no answers")
        << Answers{{"127.0.18.13", "MWSTADIONIXPING;64;"}, {"127.0.18.13", "hello"}} << QString() << QStringList()
        << QStringList();
}

void TestFolderInfoDialog::answers()
{
    QFETCH(Answers, answers);
    QFETCH(QString, warning);
    QFETCH(QStringList, servers);
    QFETCH(QStringList, credentials);

    Settings::instance()->setValue(QStringLiteral("communication"), QStringLiteral("database"), 1);
    auto folderDialog = dialog();
    MeetwiseSettingsWidget *page = folderDialog->meetwisePage();
    QTRY_VERIFY(page->discovery()->isRunning());
    auto *cmbServer = page->findChild<QComboBox *>(QStringLiteral("cmbServer"));
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));

    const QUdpSocket *answersIn = page->discovery()->findChild<QUdpSocket *>();
    QVERIFY(answersIn);
    QHash<QString, std::shared_ptr<QUdpSocket>> senders;
    for (const auto &[from, datagram] : answers) {
        auto &socket = senders[from];
        if (!socket) {
            socket = std::make_shared<QUdpSocket>();
            QVERIFY(socket->bind(QHostAddress(from), 0));
        }
        QVERIFY(socket->writeDatagram(datagram, PageAddress, MeetwiseDiscovery::AnswerPort) > 0);
        // One after the other, as they would come: each taken in before the next.
        QTRY_VERIFY(!answersIn->hasPendingDatagrams());
    }
    QTRY_COMPARE(items(cmbServer), servers);
    if (servers.isEmpty())
        return;
    // The first server is chosen; requests to it are refused, since nothing
    // serves there, and the official is told.
    const QVariantMap map = page->configuration();
    QCOMPARE((QStringList{map.value("user").toString(), map.value("pass").toString()}), credentials);
    QTRY_VERIFY(
        page->findChild<QLabel *>(QStringLiteral("lblStatus"))->text().contains(QLatin1String("did not answer")));
    QVERIFY(!page->isComplete());
}

void TestFolderInfoDialog::competitionDays_data()
{
    QTest::addColumn<QVariantMap>("competition");
    QTest::addColumn<QStringList>("days");

    const auto competition = [](const QVariant &start, const QVariant &end) {
        QVariantMap map{{"id", 4}, {"name", "Indoor"}};
        if (start.isValid())
            map.insert("startdate", start);
        if (end.isValid())
            map.insert("enddate", end);
        return map;
    };
    QTest::newRow("equal start and end give one day")
        << competition("2024-06-15", "2024-06-15") << QStringList{"20240615"};
    QTest::newRow("both included, across a month")
        << competition("2024-06-29", "2024-07-02") << QStringList{"20240629", "20240630", "20240701", "20240702"};
    QTest::newRow("no dates: one day, 2020-01-01") << competition({}, {}) << QStringList{"20200101"};
    QTest::newRow("missing start counts as 2020-01-01")
        << competition({}, "2020-01-03") << QStringList{"20200101", "20200102", "20200103"};
    QTest::newRow("missing end counts as 2020-01-01")
        << competition("2019-12-31", {}) << QStringList{"20191231", "20200101"};
    QTest::newRow("unreadable date counts as missing")
        << competition("15/06/2024", "2020-01-02") << QStringList{"20200101", "20200102"};
    QTest::newRow("end before start gives none") << competition("2024-06-15", "2024-06-14") << QStringList();
}

void TestFolderInfoDialog::competitionDays()
{
    QFETCH(QVariantMap, competition);
    QFETCH(QStringList, days);

    MeetwiseSettingsWidget page;
    QAbstractItemModelTester tester(page.datesModel());
    page.competitionsReceived({competition});
    QCOMPARE(keys(page.datesModel()), days);
    for (int row = 0; row < page.datesModel()->rowCount(); ++row)
        page.datesModel()->setData(page.datesModel()->index(row), Qt::Checked, Qt::CheckStateRole);
    QCOMPARE(page.configuration().value("dates").toString(), days.join(','));
}

void TestFolderInfoDialog::storedSettings_chosenAgainOnceServerListsThem()
{
    // The second of the server's competitions, so that it is not chosen for
    // being the first.
    writeSync("[general]\ntype=meetwise\nip=127.0.18.11\nuser=official\npass=lap&time=42\ncompetition=2\n"
              "sessions=4\ndates=20260624\nsessionID=SID:MW:old\n");
    auto folderDialog = dialog(ServerAddress);
    MeetwiseSettingsWidget *page = folderDialog->meetwisePage();
    // The file names the kind while the settings name none.
    QVERIFY(folderDialog->findChild<QPushButton *>(QStringLiteral("btnMeetwise"))->isChecked());
    QCOMPARE(page->findChild<QLineEdit *>(QStringLiteral("txtIp"))->text(), QStringLiteral("127.0.18.11"));
    auto *cmbServer = page->findChild<QComboBox *>(QStringLiteral("cmbServer"));
    auto *cmbCompetition = page->findChild<QComboBox *>(QStringLiteral("cmbCompetition"));
    QTRY_COMPARE(cmbCompetition->count(), 2);
    QCOMPARE(cmbCompetition->currentText(), QStringLiteral("Midsummer Club Evening"));
    QCOMPARE(page->sessionsModel()->checkedText(), QStringLiteral("4"));
    QCOMPARE(page->datesModel()->checkedText(), QStringLiteral("20260624"));
    // Discovery then gives the stored server its name, without a second entry.
    QTRY_COMPARE(items(cmbServer), QStringList{"Stadionix stand-in - 127.0.18.11"});
    QVariantMap map = folderDialog->configuration();
    QVERIFY(map.take("sessionID").toString().startsWith(QLatin1String("SID:MW:127.0.18.11:official:")));
    QCOMPARE(map, (QVariantMap{{"ip", "127.0.18.11"},
                               {"user", "official"},
                               {"pass", "lap&time=42"},
                               {"competition", "2"},
                               {"competitionname", "Midsummer Club Evening"},
                               {"sessions", "4"},
                               {"dates", "20260624"}}));
}

void TestFolderInfoDialog::storedSettings_serverUnreachable_keptAsTheyWere()
{
    Settings::instance()->setValue(QStringLiteral("communication"), QStringLiteral("database"), 1);
    writeSync("[general]\ntype=meetwise\nip=127.0.18.15\nuser=judge\npass=pw\ncompetition=12\nsessions=\"4,5\"\n"
              "dates=\"20240615,20240616\"\n");
    auto folderDialog = dialog();
    MeetwiseSettingsWidget *page = folderDialog->meetwisePage();
    QTRY_VERIFY(
        page->findChild<QLabel *>(QStringLiteral("lblStatus"))->text().contains(QLatin1String("did not answer")));
    QVERIFY(folderDialog->findChild<QPushButton *>(QStringLiteral("btnOK"))->isEnabled());
    QVariantMap map = folderDialog->configuration();
    map.remove("sessionID");
    QCOMPARE(map, (QVariantMap{{"ip", "127.0.18.15"},
                               {"user", "judge"},
                               {"pass", "pw"},
                               {"competition", "12"},
                               {"competitionname", ""},
                               {"sessions", "4,5"},
                               {"dates", "20240615,20240616"}}));
}

void TestFolderInfoDialog::typedAddress_asksThatServer()
{
    Settings::instance()->setValue(QStringLiteral("communication"), QStringLiteral("database"), 1);
    auto folderDialog = dialog();
    MeetwiseSettingsWidget *page = folderDialog->meetwisePage();
    QTest::keyClicks(page->findChild<QLineEdit *>(QStringLiteral("txtIp")), QStringLiteral("127.0.18.11"));
    QTest::keyClicks(page->findChild<QLineEdit *>(QStringLiteral("txtUser")), QStringLiteral("official"));
    QTest::keyClicks(page->findChild<QLineEdit *>(QStringLiteral("txtPass")), QStringLiteral("lap&time=42"));
    QTest::mouseClick(page->findChild<QPushButton *>(QStringLiteral("btnAddServer")), Qt::LeftButton);
    QCOMPARE(items(page->findChild<QComboBox *>(QStringLiteral("cmbServer"))), QStringList{"127.0.18.11"});
    QTRY_COMPARE(page->findChild<QComboBox *>(QStringLiteral("cmbCompetition"))->count(), 2);
    QCOMPARE(page->configuration().value("ip").toString(), QStringLiteral("127.0.18.11"));
    QCOMPARE(page->configuration().value("competition").toString(), QStringLiteral("1"));
}

void TestFolderInfoDialog::toggles_exactlyOneCheckedAndItsPageShown_data()
{
    QTest::addColumn<int>("storedKind");
    QTest::addColumn<QStringList>("taps");
    QTest::addColumn<QString>("checked"); // empty: none

    QTest::newRow("no kind stored, none checked") << 3 << QStringList() << QString();
    QTest::newRow("Meetwise stored") << 1 << QStringList() << "btnMeetwise";
    QTest::newRow("AtletiekNu stored") << 2 << QStringList() << "btnAtletiekNu";
    QTest::newRow("the other one replaces it") << 1 << QStringList{"btnAtletiekNu"} << "btnAtletiekNu";
    QTest::newRow("tapping the checked one keeps it") << 2 << QStringList{"btnAtletiekNu"} << "btnAtletiekNu";
    QTest::newRow("back and forth") << 3 << QStringList{"btnMeetwise", "btnAtletiekNu", "btnMeetwise", "btnMeetwise"}
                                    << "btnMeetwise";
}

void TestFolderInfoDialog::toggles_exactlyOneCheckedAndItsPageShown()
{
    QFETCH(int, storedKind);
    QFETCH(QStringList, taps);
    QFETCH(QString, checked);

    Settings::instance()->setValue(QStringLiteral("communication"), QStringLiteral("database"), storedKind);
    auto folderDialog = dialog();
    for (const QString &tap : taps)
        QTest::mouseClick(folderDialog->findChild<QPushButton *>(tap), Qt::LeftButton);
    const bool meetwise = checked == QLatin1String("btnMeetwise");
    const bool atletiekNu = checked == QLatin1String("btnAtletiekNu");
    QCOMPARE(folderDialog->findChild<QPushButton *>(QStringLiteral("btnMeetwise"))->isChecked(), meetwise);
    QCOMPARE(folderDialog->findChild<QPushButton *>(QStringLiteral("btnAtletiekNu"))->isChecked(), atletiekNu);
    QCOMPARE(folderDialog->meetwisePage()->isVisible(), meetwise);
    QCOMPARE(folderDialog->atletiekNuPage()->isVisible(), atletiekNu);
    QCOMPARE(folderDialog->serverKind(), meetwise ? 1 : atletiekNu ? 2 : 0);
    QCOMPARE(folderDialog->databaseType(), QString(meetwise ? "meetwise" : atletiekNu ? "atletieknu" : ""));
}

void TestFolderInfoDialog::okButton_onlyForCompleteSettings_data()
{
    QTest::addColumn<int>("storedKind");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("acceptable");

    QTest::newRow("no kind chosen") << 3 << QString() << false;
    QTest::newRow("Meetwise without a server") << 1 << QString() << false;
    QTest::newRow("AtletiekNu without code") << 2 << QString() << false;
    QTest::newRow("AtletiekNu with only blanks") << 2 << "  " << false;
    QTest::newRow("AtletiekNu with code") << 2 << "Q7" << true;
}

void TestFolderInfoDialog::okButton_onlyForCompleteSettings()
{
    QFETCH(int, storedKind);
    QFETCH(QString, code);
    QFETCH(bool, acceptable);

    Settings::instance()->setValue(QStringLiteral("communication"), QStringLiteral("database"), storedKind);
    auto folderDialog = dialog();
    if (!code.isEmpty())
        QTest::keyClicks(folderDialog->findChild<QLineEdit *>(QStringLiteral("txtSynchronisationCode")), code);
    QCOMPARE(folderDialog->findChild<QPushButton *>(QStringLiteral("btnOK"))->isEnabled(), acceptable);
}

STADIONIX_TEST_MAIN(TestFolderInfoDialog)
#include "tst_folderinfodialog.moc"
