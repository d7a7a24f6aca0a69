#include "tools/wifi-bridge-standin/wifibridgestandin.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include "devices/transport/bridgeannouncement.h"
#include "tools/common/rawport.h"

namespace {

// Filler connections that keep the never-accepting socket's queue full, so
// that further connection attempts are dropped unanswered.
constexpr int blackHoleFillers = 2;

sockaddr_in socketAddress(const QHostAddress &address, quint16 port)
{
    sockaddr_in result;
    std::memset(&result, 0, sizeof result);
    result.sin_family = AF_INET;
    result.sin_port = htons(port);
    result.sin_addr.s_addr = htonl(address.toIPv4Address());
    return result;
}

QString onOff(bool value)
{
    return value ? QStringLiteral("on") : QStringLiteral("off");
}

} // namespace

WifiBridgeStandin::WifiBridgeStandin(QObject *parent)
    : QObject(parent)
{}

WifiBridgeStandin::~WifiBridgeStandin()
{
    stop();
}

bool WifiBridgeStandin::start(const Settings &settings, QString *error)
{
    stop();
    m_settings = settings;
    m_accepted = 0;
    m_announcements = 0;
    m_received.clear();

    m_announcer = new QUdpSocket(this);
    if (!m_announcer->bind(m_settings.address, 0)) {
        if (error)
            *error = QStringLiteral("cannot send announcements from %1: %2")
                         .arg(m_settings.address.toString(), m_announcer->errorString());
        stop();
        return false;
    }
    m_announceTimer = new QTimer(this);
    m_announceTimer->setInterval(m_settings.announceIntervalMs);
    connect(m_announceTimer, &QTimer::timeout, this, &WifiBridgeStandin::announce);
    m_announceTimer->start();

    if (m_settings.unreachable) {
        if (!openBlackHole(error)) {
            stop();
            return false;
        }
    } else if (!m_settings.refusing && !listen(error)) {
        stop();
        return false;
    }

    m_serialRetry = new QTimer(this);
    m_serialRetry->setInterval(1000);
    connect(m_serialRetry, &QTimer::timeout, this, &WifiBridgeStandin::openSerial);
    openSerial();
    // The first announcement at once, then one per interval.
    QTimer::singleShot(0, this, &WifiBridgeStandin::announce);
    return true;
}

void WifiBridgeStandin::stop()
{
    cutConnections();
    delete m_server;
    m_server = nullptr;
    delete m_announceTimer;
    m_announceTimer = nullptr;
    delete m_announcer;
    m_announcer = nullptr;
    delete m_serialRetry;
    m_serialRetry = nullptr;
    closeSerial();
    closeBlackHole();
}

bool WifiBridgeStandin::listen(QString *error)
{
    if (m_server)
        return true;
    m_server = new QTcpServer(this);
    connect(m_server, &QTcpServer::newConnection, this, &WifiBridgeStandin::onNewConnection);
    if (m_server->listen(m_settings.address, m_settings.port))
        return true;
    if (error)
        *error = QStringLiteral("cannot listen on %1:%2: %3")
                     .arg(m_settings.address.toString())
                     .arg(m_settings.port)
                     .arg(m_server->errorString());
    delete m_server;
    m_server = nullptr;
    return false;
}

void WifiBridgeStandin::announce()
{
    if (!m_announcer || m_settings.silent || m_settings.unreachable)
        return;
    const QByteArray datagram = BridgeAnnouncement::build(m_settings.name, m_settings.port);
    if (m_announcer->writeDatagram(datagram, m_settings.announceTo, m_settings.announcePort) == datagram.size()) {
        ++m_announcements;
        emit announced();
    }
}

void WifiBridgeStandin::onNewConnection()
{
    while (QTcpSocket *client = m_server->nextPendingConnection()) {
        ++m_accepted;
        m_clients.append(client);
        connect(client, &QTcpSocket::readyRead, this, [this, client] { onClientReadyRead(client); });
        connect(client, &QTcpSocket::disconnected, this, [this, client] {
            if (m_clients.removeOne(client)) {
                client->deleteLater();
                emit clientDisconnected();
            }
        });
        emit clientConnected();
    }
}

void WifiBridgeStandin::onClientReadyRead(QTcpSocket *client)
{
    const QByteArray data = client->readAll();
    if (data.isEmpty())
        return;
    m_received += data;
    if (m_serialFd >= 0) {
        m_serialOut += data;
        flushSerial();
    }
    emit forwarded(data);
}

void WifiBridgeStandin::sendFromSerial(const QByteArray &data)
{
    for (QTcpSocket *client : std::as_const(m_clients))
        client->write(data);
}

void WifiBridgeStandin::cutConnections()
{
    const QList<QTcpSocket *> clients = std::exchange(m_clients, {});
    for (QTcpSocket *client : clients) {
        client->disconnect(this);
        client->abort();
        client->deleteLater();
        emit clientDisconnected();
    }
}

void WifiBridgeStandin::setSilent(bool silent)
{
    m_settings.silent = silent;
}

void WifiBridgeStandin::setRefusing(bool refusing)
{
    m_settings.refusing = refusing;
    if (m_settings.unreachable)
        return;
    if (refusing) {
        delete m_server;
        m_server = nullptr;
    } else {
        listen(nullptr);
    }
}

bool WifiBridgeStandin::setUnreachable(bool unreachable, QString *error)
{
    if (unreachable == m_settings.unreachable)
        return true;
    m_settings.unreachable = unreachable;
    if (unreachable) {
        cutConnections();
        delete m_server;
        m_server = nullptr;
        return openBlackHole(error);
    }
    closeBlackHole();
    return m_settings.refusing || listen(error);
}

bool WifiBridgeStandin::openBlackHole(QString *error)
{
    closeBlackHole();
    const auto fail = [this, error](const char *what) {
        if (error)
            *error = QStringLiteral("cannot make %1:%2 unreachable: %3 (%4)")
                         .arg(m_settings.address.toString())
                         .arg(m_settings.port)
                         .arg(QString::fromLatin1(what), QString::fromLocal8Bit(std::strerror(errno)));
        closeBlackHole();
        return false;
    };
    m_blackHole = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_blackHole < 0)
        return fail("socket");
    const int on = 1;
    ::setsockopt(m_blackHole, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    const sockaddr_in address = socketAddress(m_settings.address, m_settings.port);
    if (::bind(m_blackHole, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return fail("bind");
    // A backlog of 0 and never an accept(): once the fillers sit in the
    // queue, the kernel drops every further connection request.
    if (::listen(m_blackHole, 0) != 0)
        return fail("listen");
    sockaddr_in target = address;
    if (m_settings.address == QHostAddress::AnyIPv4 || m_settings.address.isNull())
        target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (int i = 0; i < blackHoleFillers; ++i) {
        const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (filler < 0)
            return fail("socket");
        m_fillers.append(filler);
        if (::connect(filler, reinterpret_cast<const sockaddr *>(&target), sizeof target) != 0 && errno != EINPROGRESS)
            return fail("connect");
    }
    return true;
}

void WifiBridgeStandin::closeBlackHole()
{
    for (int filler : std::as_const(m_fillers))
        ::close(filler);
    m_fillers.clear();
    if (m_blackHole >= 0)
        ::close(m_blackHole);
    m_blackHole = -1;
}

void WifiBridgeStandin::openSerial()
{
    if (m_settings.serialPath.isEmpty() || m_serialFd >= 0)
        return;
    const int fd = RawPort::open(m_settings.serialPath, O_RDWR | O_APPEND);
    if (fd < 0) {
        // Not there (yet): a socat pair that is restarted comes back.
        m_serialRetry->start();
        return;
    }
    m_serialRetry->stop();
    m_serialFd = fd;
    struct stat info;
    // A regular file is always readable: only what is written goes there.
    if (::fstat(fd, &info) == 0 && !S_ISREG(info.st_mode)) {
        m_serialRead = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(m_serialRead, &QSocketNotifier::activated, this, &WifiBridgeStandin::onSerialReadable);
    }
    m_serialWrite = new QSocketNotifier(fd, QSocketNotifier::Write, this);
    m_serialWrite->setEnabled(false);
    connect(m_serialWrite, &QSocketNotifier::activated, this, &WifiBridgeStandin::flushSerial);
}

void WifiBridgeStandin::closeSerial()
{
    delete m_serialRead;
    m_serialRead = nullptr;
    delete m_serialWrite;
    m_serialWrite = nullptr;
    if (m_serialFd >= 0)
        ::close(m_serialFd);
    m_serialFd = -1;
    m_serialOut.clear();
}

void WifiBridgeStandin::onSerialReadable()
{
    if (RawPort::readAvailable(m_serialFd, [this](const QByteArray &bytes) { sendFromSerial(bytes); }))
        return;
    // The other end is gone (a socat pair ended): wait for it to return.
    closeSerial();
    if (m_serialRetry)
        m_serialRetry->start();
}

void WifiBridgeStandin::flushSerial()
{
    while (m_serialFd >= 0 && !m_serialOut.isEmpty()) {
        const ssize_t count = ::write(m_serialFd, m_serialOut.constData(), size_t(m_serialOut.size()));
        if (count > 0) {
            m_serialOut.remove(0, qsizetype(count));
            continue;
        }
        if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
            m_serialWrite->setEnabled(true);
            return;
        }
        closeSerial();
        if (m_serialRetry)
            m_serialRetry->start();
        return;
    }
    if (m_serialWrite)
        m_serialWrite->setEnabled(false);
}

QString WifiBridgeStandin::status() const
{
    return QStringLiteral("name=%1 address=%2 port=%3 announce=%4:%5 silent=%6 refusing=%7 unreachable=%8 "
                          "connections=%9 accepted=%10 announcements=%11 received=%12 serial=%13")
        .arg(m_settings.name, m_settings.address.toString())
        .arg(m_settings.port)
        .arg(m_settings.announceTo.toString())
        .arg(m_settings.announcePort)
        .arg(onOff(m_settings.silent), onOff(m_settings.refusing), onOff(m_settings.unreachable))
        .arg(m_clients.size())
        .arg(m_accepted)
        .arg(m_announcements)
        .arg(m_received.size())
        .arg(m_settings.serialPath.isEmpty()
                 ? QStringLiteral("none")
                 : m_settings.serialPath + (m_serialFd >= 0 ? QString() : QStringLiteral(" (closed)")));
}

QString WifiBridgeStandin::command(const QString &line)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return QString();
    const QString verb = words.first().toLower();
    const QString argument = words.value(1).toLower();
    const bool on = argument != QLatin1String("off") && argument != QLatin1String("0");
    QString error;
    if (verb == QLatin1String("silent")) {
        setSilent(on);
    } else if (verb == QLatin1String("refuse")) {
        setRefusing(on);
    } else if (verb == QLatin1String("unreachable")) {
        if (!setUnreachable(on, &error))
            return QStringLiteral("error: ") + error;
    } else if (verb == QLatin1String("cut")) {
        cutConnections();
    } else if (verb == QLatin1String("send")) {
        // The rest of the line, with \r, \n and \xHH escapes, as if the serial side said it.
        const QString text = line.section(QLatin1Char(' '), 1);
        sendFromSerial(QByteArray::fromPercentEncoding(
            text.toUtf8().replace("\\r", "\r").replace("\\n", "\n").replace("\\x", "%")));
    } else if (verb == QLatin1String("quit")) {
        emit quitRequested();
        return QStringLiteral("quitting");
    } else if (verb != QLatin1String("status")) {
        return QStringLiteral("error: unknown command %1 (silent|refuse|unreachable on|off, cut, send TEXT, "
                              "status, quit)")
            .arg(verb);
    }
    return status();
}
