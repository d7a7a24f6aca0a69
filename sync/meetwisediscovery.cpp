#include "sync/meetwisediscovery.h"

#include <QLoggingCategory>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QUdpSocket>

#include "sync/meetwisecipher.h"
#include "sync/synclogging.h"

namespace {

const QByteArray PingPrefix = QByteArrayLiteral("MWSTADIONIXPING;");
const QByteArray AnswerPrefix = QByteArrayLiteral("MWSTADIONIXPINGANSWER");

int drawPingNumber()
{
    const int exponent = QRandomGenerator::global()->bounded(1, 7);
    int number = 1;
    for (int i = 0; i < exponent; ++i)
        number = number * 8 % 863;
    return number;
}

QList<QHostAddress> addressesFromEnvironment(const char *variable)
{
    QList<QHostAddress> addresses;
    const QStringList parts = qEnvironmentVariable(variable).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QHostAddress address(part.trimmed());
        if (address.isNull())
            qCWarning(lcSync) << variable << "names no address:" << part;
        else
            addresses.append(address);
    }
    return addresses;
}

} // namespace

MeetwiseDiscovery::MeetwiseDiscovery(QObject *parent)
    : QObject(parent)
    , m_pingNumber(drawPingNumber())
    , m_targets(addressesFromEnvironment(PingTargetsVariable))
    , m_listenAddress(QHostAddress::AnyIPv4)
{
    const QList<QHostAddress> listen = addressesFromEnvironment(ListenAddressVariable);
    if (!listen.isEmpty())
        m_listenAddress = listen.first();
    m_echoTimer.setInterval(EchoInterval);
    connect(&m_echoTimer, &QTimer::timeout, this, &MeetwiseDiscovery::onEchoTimer);
}

MeetwiseDiscovery::~MeetwiseDiscovery() = default;

QByteArray MeetwiseDiscovery::pingDatagram() const
{
    return PingPrefix + QByteArray::number(m_pingNumber) + ';';
}

QList<QHostAddress> MeetwiseDiscovery::pingTargets() const
{
    return m_targets.isEmpty() ? broadcastAddresses() : m_targets;
}

QList<QHostAddress> MeetwiseDiscovery::broadcastAddresses()
{
    QList<QHostAddress> addresses{QHostAddress(QHostAddress::Broadcast)};
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        if (interface.flags().testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const QList<QNetworkAddressEntry> entries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            if (!entry.broadcast().isNull())
                addresses.append(entry.broadcast());
        }
    }
    return addresses;
}

bool MeetwiseDiscovery::start()
{
    if (isRunning())
        return true;
    delete m_socket;
    m_socket = new QUdpSocket(this);
    if (!m_socket->bind(m_listenAddress, AnswerPort, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        qCWarning(lcSync) << "Cannot listen for discovery answers on" << m_listenAddress.toString() << AnswerPort
                          << m_socket->errorString();
        delete m_socket;
        m_socket = nullptr;
        return false;
    }
    connect(m_socket, &QUdpSocket::readyRead, this, &MeetwiseDiscovery::processPendingDatagram);
    sendPing();
    m_echoTimer.start();
    return true;
}

void MeetwiseDiscovery::stop()
{
    m_echoTimer.stop();
    delete m_socket;
    m_socket = nullptr;
}

void MeetwiseDiscovery::onEchoTimer()
{
    sendPing();
}

void MeetwiseDiscovery::sendPing()
{
    if (!m_socket)
        return;
    const QByteArray datagram = pingDatagram();
    const QList<QHostAddress> targets = pingTargets();
    for (const QHostAddress &target : targets) {
        // A datagram is handed to the system at once or not at all: there is
        // nothing to wait for.
        const QString name = target.toString();
        if (m_socket->writeDatagram(datagram, target, PingPort) < 0) {
            if (!m_failing.contains(name))
                qCWarning(lcSync) << "Discovery ping to" << name << "not sent:" << m_socket->errorString();
            m_failing.insert(name);
        } else {
            m_failing.remove(name);
        }
    }
}

bool MeetwiseDiscovery::parseAnswer(const QByteArray &datagram, MeetwiseDiscoveryAnswer *answer)
{
    if (!datagram.startsWith(AnswerPrefix))
        return false;
    const QList<QByteArray> parts = datagram.split(';');
    QList<QByteArray> fields;
    for (const QByteArray &part : parts) {
        if (!part.isEmpty())
            fields.append(part);
    }
    if (fields.size() <= 2)
        return false;
    bool isNumber = false;
    const quint64 key = fields.at(1).toULongLong(&isNumber);
    if (!isNumber || key == 0)
        return false;
    const QString plain = MeetwiseCipher::decipher(QString::fromLatin1(fields.at(2)), key);
    const QStringList texts = plain.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (texts.size() <= 3)
        return false;
    if (answer)
        *answer = {texts.at(0), texts.at(1), texts.at(2)};
    return true;
}

void MeetwiseDiscovery::processPendingDatagram()
{
    while (m_socket && m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram();
        MeetwiseDiscoveryAnswer answer;
        if (!parseAnswer(datagram.data(), &answer))
            continue;
        bool isIPv4 = false;
        const quint32 ipv4 = datagram.senderAddress().toIPv4Address(&isIPv4);
        if (!isIPv4)
            continue;
        emit new_server(QHostAddress(ipv4).toString(), answer.name, answer.user, answer.password);
    }
}
