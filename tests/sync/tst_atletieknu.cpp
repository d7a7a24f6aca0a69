// The results service: its replies as text, and the client and its settings
// page against the stand-in over real HTTPS on loopback, trusting exactly the
// stand-in's throw-away certificate.
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>

#include "app/settings.h"
#include "support/testsupport.h"
#include "support/throwawaycertificate.h"
#include "sync/atletieknuinterface.h"
#include "sync/atletieknurestservice.h"
#include "sync/atletieknusettingswidget.h"
#include "tools/atletieknu-standin/atletieknustandin.h"

namespace {

const QString ServiceAddress = QStringLiteral("127.0.18.21");
const QString MeetingCode = QStringLiteral("K7Q2");
const QString MeetingAnswer = QStringLiteral("loginok Northern Lakes Open 2026");
const QString SecondCode = QStringLiteral("ZX81");

class Recorder : public AtletiekNuInterface
{
public:
    void loginFinished(bool success, const QString &text) override { logins.append({success, text}); }
    void serverTimeOffsetReceived(qint64 offset) override { offsets.append(offset); }

    QList<QPair<bool, QString>> logins;
    QList<qint64> offsets;
};

using OptionalOffset = std::optional<qint64>;

} // namespace

Q_DECLARE_METATYPE(OptionalOffset)

class TestAtletiekNu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void parseLoginReply_data();
    void parseLoginReply();
    void parseServerTime_data();
    void parseServerTime();
    void timeOffset_data();
    void timeOffset();

    void loginOkInLowerCase_succeedsWithTextAfterIt();
    void offset_isStandinOffsetWithinRoundTrip_data();
    void offset_isStandinOffsetWithinRoundTrip();
    void sendAndReceiveInSameMillisecond_noOffset();
    void secondCode_logsInAgainWithoutAskingTime();
    void certificateNotTrusted_loginFailsWithTheReason();

    void page_typedCode_oneLoginOnceTypingPauses();
    void page_refusedCode_shownOnRed();
    void page_olderLoginAnsweredLast_labelKeepsLatestVerdict();
    void page_configuration_codeAndOffsetKept();

private:
    std::unique_ptr<AtletiekNuRESTService> client(Recorder *recorder);
    QList<QJsonObject> requests(const QString &question) const;

    std::unique_ptr<ThrowawayCertificate> m_certificate;
    AtletiekNuStandin m_standin;
};

void TestAtletiekNu::initTestCase()
{
    m_certificate = std::make_unique<ThrowawayCertificate>(ServiceAddress);
    QVERIFY2(m_certificate->isValid(), qPrintable(m_certificate->error()));
    AtletiekNuStandin::Settings settings;
    settings.address = QHostAddress(ServiceAddress);
    settings.certificateFile = m_certificate->certificateFile();
    settings.keyFile = m_certificate->keyFile();
    QString error;
    QVERIFY2(m_standin.start(settings, &error), qPrintable(error));
    m_standin.setCode(MeetingCode, MeetingAnswer);
    m_standin.setCode(SecondCode, QStringLiteral("LOGINOK Second day"));
    // The pages take the service and the certificate from the settings.
    Settings::instance()->setValue(QStringLiteral("atletieknu"), QStringLiteral("host"), m_standin.url().toString());
    Settings::instance()->setValue(QStringLiteral("atletieknu"), QStringLiteral("certificate"),
                                   m_certificate->certificateFile());
}

void TestAtletiekNu::init()
{
    TestSupport::failOnUnexpectedWarnings();
    m_standin.clearRequestLog();
    m_standin.setClockOffset(0);
    m_standin.setDelay(0);
    m_standin.setLoginDelay(MeetingCode, 0);
}

std::unique_ptr<AtletiekNuRESTService> TestAtletiekNu::client(Recorder *recorder)
{
    auto service = std::make_unique<AtletiekNuRESTService>();
    service->setHost(m_standin.url());
    service->setTrustedCertificates(m_certificate->certificates());
    service->setListener(recorder);
    return service;
}

QList<QJsonObject> TestAtletiekNu::requests(const QString &question) const
{
    QList<QJsonObject> found;
    for (const QJsonObject &entry : m_standin.requestLog()) {
        if (entry.value(QStringLiteral("question")).toString() == question)
            found.append(entry);
    }
    return found;
}

void TestAtletiekNu::parseLoginReply_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("success");
    QTest::addColumn<QString>("text");

    QTest::newRow("upper case") << QByteArray("LOGINOK Meeting") << true << " Meeting";
    QTest::newRow("lower case") << QByteArray("loginok Meeting") << true << " Meeting";
    QTest::newRow("mixed case, nothing after") << QByteArray("LoginOk") << true << "";
    QTest::newRow("text right after") << QByteArray("LOGINOK#12") << true << "#12";
    QTest::newRow("refusal shown whole") << QByteArray("Unknown competition code") << false
                                         << "Unknown competition code";
    QTest::newRow("not at the start") << QByteArray(" LOGINOK") << false << " LOGINOK";
    QTest::newRow("shorter than the word") << QByteArray("LOGIN") << false << "LOGIN";
    QTest::newRow("empty") << QByteArray() << false << "";
    QTest::newRow("letters beyond ASCII") << QByteArray("loginok Zürich") << true << " Zürich";
}

void TestAtletiekNu::parseLoginReply()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, success);
    QFETCH(QString, text);
    const AtletiekNuRESTService::LoginReply reply = AtletiekNuRESTService::parseLoginReply(body);
    QCOMPARE(reply.success, success);
    QCOMPARE(reply.text, text);
}

void TestAtletiekNu::parseServerTime_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<quint64>("time");

    QTest::newRow("number") << QByteArray(R"({"time":1781337600123})") << quint64(1781337600123);
    QTest::newRow("among other members") << QByteArray(R"({"zone":"CET","time":5})") << quint64(5);
    QTest::newRow("not JSON") << QByteArray("<html>busy</html>") << quint64(0);
    QTest::newRow("no time") << QByteArray(R"({"now":5})") << quint64(0);
    QTest::newRow("an array") << QByteArray("[5]") << quint64(0);
    QTest::newRow("negative") << QByteArray(R"({"time":-5})") << quint64(0);
    QTest::newRow("not a number") << QByteArray(R"({"time":true})") << quint64(0);
}

void TestAtletiekNu::parseServerTime()
{
    QFETCH(QByteArray, body);
    QFETCH(quint64, time);
    QCOMPARE(AtletiekNuRESTService::parseServerTime(body), time);
}

void TestAtletiekNu::timeOffset_data()
{
    QTest::addColumn<quint64>("t");
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<OptionalOffset>("offset");

    QTest::newRow("service ahead") << quint64(10000) << qint64(1000) << qint64(1200) << OptionalOffset(8900);
    QTest::newRow("service behind") << quint64(500) << qint64(1000) << qint64(1200) << OptionalOffset(-600);
    QTest::newRow("odd round trip rounds the middle down")
        << quint64(10000) << qint64(1000) << qint64(1201) << OptionalOffset(8900);
    QTest::newRow("same millisecond") << quint64(10000) << qint64(1000) << qint64(1000) << OptionalOffset();
    QTest::newRow("received before sent") << quint64(10000) << qint64(1000) << qint64(999) << OptionalOffset();
    QTest::newRow("no service time") << quint64(0) << qint64(1000) << qint64(1200) << OptionalOffset();
    QTest::newRow("no send time") << quint64(10000) << qint64(0) << qint64(1200) << OptionalOffset();
}

void TestAtletiekNu::timeOffset()
{
    QFETCH(quint64, t);
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(OptionalOffset, offset);
    QCOMPARE(AtletiekNuRESTService::timeOffset(t, a, b), offset);
}

void TestAtletiekNu::loginOkInLowerCase_succeedsWithTextAfterIt()
{
    Recorder recorder;
    auto service = client(&recorder);
    service->setCode(MeetingCode);
    QTRY_COMPARE(recorder.logins.size(), 1);
    QCOMPARE(recorder.logins.first(), qMakePair(true, QStringLiteral(" Northern Lakes Open 2026")));
    const QList<QJsonObject> logins = requests(QStringLiteral("code"));
    QCOMPARE(logins.size(), 1);
    QCOMPARE(logins.first().value("method").toString(), QStringLiteral("POST"));
    QCOMPARE(logins.first().value("path").toString(), QStringLiteral("/feeder.php"));
    QCOMPARE(logins.first().value("query").toString(), QStringLiteral("page=sync&do=login"));
    QCOMPARE(logins.first().value("code").toString(), MeetingCode);
}

void TestAtletiekNu::offset_isStandinOffsetWithinRoundTrip_data()
{
    QTest::addColumn<qint64>("standinOffset");
    QTest::addColumn<int>("delay");

    QTest::newRow("ahead, at once") << qint64(90000) << 0;
    QTest::newRow("behind, at once") << qint64(-45000) << 0;
    QTest::newRow("ahead, answered late") << qint64(3600000) << 300;
}

void TestAtletiekNu::offset_isStandinOffsetWithinRoundTrip()
{
    QFETCH(qint64, standinOffset);
    QFETCH(int, delay);
    m_standin.setClockOffset(standinOffset);
    m_standin.setDelay(delay);

    Recorder recorder;
    auto service = client(&recorder);
    qint64 sent = 0;
    qint64 received = 0;
    service->setClock([&] {
        // The first reading is the send time, the next the receive time.
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        (sent == 0 ? sent : received) = now;
        return now;
    });
    QNetworkReply *reply = service->refreshTimeOffset();
    QVERIFY(reply);
    QTRY_COMPARE(recorder.offsets.size(), 1);
    const qint64 roundTrip = received - sent;
    QVERIFY(roundTrip >= delay);
    QVERIFY2(qAbs(recorder.offsets.first() - standinOffset) <= roundTrip,
             qPrintable(QStringLiteral("offset %1, round trip %2").arg(recorder.offsets.first()).arg(roundTrip)));
    QCOMPARE(service->serverTimeOffset(), recorder.offsets.first());

    const QList<QJsonObject> times = requests(QStringLiteral("time"));
    QCOMPARE(times.size(), 1);
    QCOMPARE(times.first().value("path").toString(), QStringLiteral("/time.php"));
    QCOMPARE(times.first().value("query").toString(), QStringLiteral("noCache=%1").arg(sent));
    QCOMPARE(times.first().value("timestamp").toString(), QString::number(sent));
}

void TestAtletiekNu::sendAndReceiveInSameMillisecond_noOffset()
{
    m_standin.setClockOffset(90000);
    Recorder recorder;
    auto service = client(&recorder);
    const qint64 frozen = QDateTime::currentMSecsSinceEpoch();
    service->setClock([frozen] { return frozen; });
    QNetworkReply *reply = service->refreshTimeOffset();
    QSignalSpy finished(reply, &QNetworkReply::finished);
    QVERIFY(finished.wait(5000));
    QCoreApplication::processEvents(); // anything the answer set going
    QCOMPARE(requests(QStringLiteral("time")).size(), 1);
    QVERIFY(recorder.offsets.isEmpty());
    QCOMPARE(service->serverTimeOffset(), qint64(0));
}

void TestAtletiekNu::secondCode_logsInAgainWithoutAskingTime()
{
    m_standin.setClockOffset(90000);
    Recorder recorder;
    auto service = client(&recorder);
    service->setCode(MeetingCode);
    QTRY_COMPARE(recorder.logins.size(), 1);
    QTRY_COMPARE(recorder.offsets.size(), 1);

    service->setCode(SecondCode);
    QTRY_COMPARE(recorder.logins.size(), 2);
    QCOMPARE(recorder.logins.last(), qMakePair(true, QStringLiteral(" Second day")));
    // A request asked for on the way would still be going: none is.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(service->findChildren<QNetworkReply *>().size(), 0);
    QCOMPARE(requests(QStringLiteral("code")).size(), 2);
    QCOMPARE(requests(QStringLiteral("time")).size(), 1);
    QCOMPARE(recorder.offsets.size(), 1);
}

void TestAtletiekNu::certificateNotTrusted_loginFailsWithTheReason()
{
    // A certificate for the same address, but not the stand-in's.
    ThrowawayCertificate other(ServiceAddress);
    QVERIFY2(other.isValid(), qPrintable(other.error()));
    Recorder recorder;
    auto service = client(&recorder);
    service->setTrustedCertificates(other.certificates());
    service->setCode(MeetingCode);
    QTRY_COMPARE(recorder.logins.size(), 1);
    QCOMPARE(recorder.logins.first().first, false);
    QVERIFY2(recorder.logins.first().second.contains(QLatin1String("SSL"), Qt::CaseInsensitive),
             qPrintable(recorder.logins.first().second));
    QVERIFY(requests(QStringLiteral("code")).isEmpty());
}

void TestAtletiekNu::page_typedCode_oneLoginOnceTypingPauses()
{
    m_standin.setClockOffset(-30000);
    AtletiekNuSettingsWidget page;
    page.show();
    auto *code = page.findChild<QLineEdit *>(QStringLiteral("txtSynchronisationCode"));
    auto *info = page.findChild<QLabel *>(QStringLiteral("lblInfo"));
    auto *offset = page.findChild<QLineEdit *>(QStringLiteral("txtServerTimeOffset"));
    QVERIFY(code && info && offset);

    QTest::keyClicks(code, MeetingCode);
    QTRY_COMPARE(info->text(), QStringLiteral(" Northern Lakes Open 2026"));
    QCOMPARE(info->styleSheet(), QLatin1String(AtletiekNuSettingsWidget::SuccessStyle));
    QTRY_VERIFY(!offset->text().isEmpty());
    QVERIFY2(qAbs(offset->text().toLongLong() + 30000) < 2000, qPrintable(offset->text()));

    // One login, with the whole code: none for "K", "K7" or "K7Q".
    const QList<QJsonObject> logins = requests(QStringLiteral("code"));
    QCOMPARE(logins.size(), 1);
    QCOMPARE(logins.first().value("code").toString(), MeetingCode);
    QCOMPARE(page.configuration(), (QVariantMap{{"code", MeetingCode}, {"servertimeoffset", offset->text()}}));
}

void TestAtletiekNu::page_refusedCode_shownOnRed()
{
    AtletiekNuSettingsWidget page;
    page.show();
    auto *info = page.findChild<QLabel *>(QStringLiteral("lblInfo"));
    QTest::keyClicks(page.findChild<QLineEdit *>(QStringLiteral("txtSynchronisationCode")), QStringLiteral("BAD1"));
    QTRY_COMPARE(info->text(), QString::fromLatin1(AtletiekNuStandin::DefaultRefusal));
    QCOMPARE(info->styleSheet(), QLatin1String(AtletiekNuSettingsWidget::FailureStyle));
    QCOMPARE(info->styleSheet(), QStringLiteral("QLabel { background-color: red; color: white; font-weight: bold; }"));
}

void TestAtletiekNu::page_olderLoginAnsweredLast_labelKeepsLatestVerdict()
{
    // "K7" alone is refused, but its answer comes long after that to the
    // whole code.
    m_standin.setLoginDelay(QStringLiteral("K7"), 1500);
    AtletiekNuSettingsWidget page;
    page.show();
    auto *code = page.findChild<QLineEdit *>(QStringLiteral("txtSynchronisationCode"));
    auto *info = page.findChild<QLabel *>(QStringLiteral("lblInfo"));
    int loginsAnswered = 0;
    connect(page.findChild<QNetworkAccessManager *>(), &QNetworkAccessManager::finished, &page,
            [&loginsAnswered](QNetworkReply *reply) {
                loginsAnswered += reply->url().query().contains(QLatin1String("do=login")) ? 1 : 0;
            });
    QTest::keyClicks(code, QStringLiteral("K7"));
    QTRY_COMPARE(requests(QStringLiteral("code")).size(), 1);
    QTest::keyClicks(code, QStringLiteral("Q2"));
    QTRY_COMPARE(info->text(), QStringLiteral(" Northern Lakes Open 2026"));

    QTest::ignoreMessage(QtDebugMsg, "Answer to the login with an earlier code ignored");
    QTRY_COMPARE(loginsAnswered, 2);
    QCOMPARE(info->text(), QStringLiteral(" Northern Lakes Open 2026"));
    QCOMPARE(info->styleSheet(), QLatin1String(AtletiekNuSettingsWidget::SuccessStyle));
    const QList<QJsonObject> logins = requests(QStringLiteral("code"));
    QCOMPARE(logins.size(), 2);
    QCOMPARE(logins.at(0).value("code").toString(), QStringLiteral("K7"));
    QCOMPARE(logins.at(1).value("code").toString(), MeetingCode);
}

void TestAtletiekNu::page_configuration_codeAndOffsetKept()
{
    m_standin.setDelay(2000);
    AtletiekNuSettingsWidget page;
    page.setConfiguration({{"code", SecondCode}, {"servertimeoffset", "-1200"}});
    // Accepted before the service has answered: nothing stored is lost.
    QCOMPARE(page.configuration(), (QVariantMap{{"code", SecondCode}, {"servertimeoffset", "-1200"}}));
    QVERIFY(page.isComplete());
}

STADIONIX_TEST_MAIN(TestAtletiekNu)
#include "tst_atletieknu.moc"
