#include "support/uiremoteclient.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QTimer>

namespace {

constexpr int RetryInterval = 50;

bool sameValue(const QJsonValue &a, const QJsonValue &b)
{
    if (a.isDouble() && b.isDouble())
        return qFuzzyCompare(1.0 + a.toDouble(), 1.0 + b.toDouble());
    return a == b;
}

} // namespace

UiRemoteClient::UiRemoteClient() = default;

UiRemoteClient::~UiRemoteClient()
{
    disconnectFromServer();
}

void UiRemoteClient::pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool UiRemoteClient::connectToServer(const QString &name, int timeoutMs)
{
    disconnectFromServer();
    m_socket = std::make_unique<QLocalSocket>();
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        m_socket->connectToServer(name);
        if (m_socket->waitForConnected(int(qBound(qint64(1), deadline.remainingTime(), qint64(1000)))))
            return true;
        m_lastError = QStringLiteral("cannot connect to %1: %2").arg(name, m_socket->errorString());
        m_socket->abort();
        if (deadline.hasExpired())
            return false;
        pause(int(qMin<qint64>(RetryInterval, deadline.remainingTime())));
    }
}

void UiRemoteClient::disconnectFromServer()
{
    if (!m_socket)
        return;
    m_socket->abort();
    m_socket.reset();
    m_buffer.clear();
}

bool UiRemoteClient::isConnected() const
{
    return m_socket && m_socket->state() == QLocalSocket::ConnectedState;
}

QJsonObject UiRemoteClient::transportFailure(const QString &text)
{
    m_lastError = text;
    return QJsonObject{
        {QStringLiteral("ok"), false}, {QStringLiteral("error"), text}, {QStringLiteral("transport"), true}};
}

bool UiRemoteClient::takeLine(QByteArray *line)
{
    const qsizetype newline = m_buffer.indexOf('\n');
    if (newline < 0)
        return false;
    *line = m_buffer.left(newline);
    m_buffer.remove(0, newline + 1);
    return true;
}

bool UiRemoteClient::waitForLine(QByteArray *line, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        m_buffer.append(m_socket->readAll());
        if (takeLine(line))
            return true;
        if (m_socket->state() != QLocalSocket::ConnectedState || deadline.hasExpired())
            return false;
        QEventLoop loop;
        QObject::connect(m_socket.get(), &QLocalSocket::readyRead, &loop, &QEventLoop::quit);
        QObject::connect(m_socket.get(), &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
        QTimer::singleShot(int(qMax<qint64>(1, deadline.remainingTime())), &loop, &QEventLoop::quit);
        loop.exec();
    }
}

QJsonObject UiRemoteClient::send(const QJsonObject &command, int timeoutMs)
{
    QJsonObject request = command;
    if (!request.contains(QStringLiteral("id")))
        request.insert(QStringLiteral("id"), m_nextId++);
    const QJsonValue id = request.value(QStringLiteral("id"));
    if (!isConnected())
        return transportFailure(QStringLiteral("not connected"));
    if (m_sending)
        return transportFailure(QStringLiteral("send() called again while waiting for an answer"));
    m_sending = true;
    m_socket->write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
    m_socket->flush();
    const QDeadlineTimer deadline(timeoutMs);
    QJsonObject reply;
    for (;;) {
        QByteArray line;
        if (!waitForLine(&line, int(qMax<qint64>(0, deadline.remainingTime())))) {
            const QString what = QString::fromUtf8(QJsonDocument(command).toJson(QJsonDocument::Compact));
            reply =
                transportFailure(isConnected() ? QStringLiteral("no answer to %1 within %2 ms").arg(what).arg(timeoutMs)
                                               : QStringLiteral("connection lost while sending %1").arg(what));
            break;
        }
        reply = QJsonDocument::fromJson(line).object();
        // An answer that arrives after its command timed out must not be taken for the answer to this one.
        if (reply.value(QStringLiteral("id")) == id)
            break;
    }
    m_sending = false;
    succeeded(reply);
    return reply;
}

QJsonObject UiRemoteClient::sendRaw(const QByteArray &line, int timeoutMs)
{
    if (!isConnected())
        return transportFailure(QStringLiteral("not connected"));
    m_socket->write(line.endsWith('\n') ? line : line + '\n');
    m_socket->flush();
    QByteArray answer;
    if (!waitForLine(&answer, timeoutMs))
        return transportFailure(QStringLiteral("no answer within %1 ms").arg(timeoutMs));
    return QJsonDocument::fromJson(answer).object();
}

bool UiRemoteClient::succeeded(const QJsonObject &reply)
{
    if (reply.value(QStringLiteral("ok")).toBool())
        return true;
    m_lastError = reply.value(QStringLiteral("error")).toString(QStringLiteral("malformed answer"));
    return false;
}

bool UiRemoteClient::click(const QString &object, int holdMs)
{
    QJsonObject command{{QStringLiteral("cmd"), QStringLiteral("click")}, {QStringLiteral("object"), object}};
    if (holdMs > 0)
        command.insert(QStringLiteral("hold"), holdMs);
    return succeeded(send(command, DefaultTimeout + holdMs));
}

bool UiRemoteClient::rightClick(const QString &object)
{
    return succeeded(send({{QStringLiteral("cmd"), QStringLiteral("click")},
                           {QStringLiteral("object"), object},
                           {QStringLiteral("button"), QStringLiteral("right")}}));
}

bool UiRemoteClient::clickItem(const QString &view, const QString &text, int column)
{
    return succeeded(send({{QStringLiteral("cmd"), QStringLiteral("clickItem")},
                           {QStringLiteral("object"), view},
                           {QStringLiteral("text"), text},
                           {QStringLiteral("column"), column}}));
}

bool UiRemoteClient::doubleClickItem(const QString &view, const QString &text, int column)
{
    return succeeded(send({{QStringLiteral("cmd"), QStringLiteral("clickItem")},
                           {QStringLiteral("object"), view},
                           {QStringLiteral("text"), text},
                           {QStringLiteral("column"), column},
                           {QStringLiteral("double"), true}}));
}

bool UiRemoteClient::clickCell(const QString &view, int row, int column, bool doubleClick)
{
    return succeeded(send({{QStringLiteral("cmd"), QStringLiteral("clickCell")},
                           {QStringLiteral("object"), view},
                           {QStringLiteral("row"), row},
                           {QStringLiteral("column"), column},
                           {QStringLiteral("double"), doubleClick}}));
}

bool UiRemoteClient::type(const QString &object, const QString &text)
{
    return succeeded(send({{QStringLiteral("cmd"), QStringLiteral("type")},
                           {QStringLiteral("object"), object},
                           {QStringLiteral("text"), text}}));
}

bool UiRemoteClient::key(const QString &object, const QString &key)
{
    QJsonObject command{{QStringLiteral("cmd"), QStringLiteral("key")}, {QStringLiteral("key"), key}};
    if (!object.isEmpty())
        command.insert(QStringLiteral("object"), object);
    return succeeded(send(command));
}

QJsonValue UiRemoteClient::get(const QString &object, const QString &property)
{
    const QJsonObject reply = send({{QStringLiteral("cmd"), QStringLiteral("get")},
                                    {QStringLiteral("object"), object},
                                    {QStringLiteral("property"), property}});
    return succeeded(reply) ? reply.value(QStringLiteral("value")) : QJsonValue(QJsonValue::Undefined);
}

bool UiRemoteClient::set(const QString &object, const QString &property, const QJsonValue &value)
{
    return succeeded(send({{QStringLiteral("cmd"), QStringLiteral("set")},
                           {QStringLiteral("object"), object},
                           {QStringLiteral("property"), property},
                           {QStringLiteral("value"), value}}));
}

QJsonObject UiRemoteClient::modal()
{
    return send({{QStringLiteral("cmd"), QStringLiteral("modal")}});
}

bool UiRemoteClient::answer(const QString &button)
{
    return succeeded(send({{QStringLiteral("cmd"), QStringLiteral("answer")}, {QStringLiteral("button"), button}}));
}

bool UiRemoteClient::answerObject(const QString &object)
{
    return succeeded(send({{QStringLiteral("cmd"), QStringLiteral("answer")}, {QStringLiteral("object"), object}}));
}

bool UiRemoteClient::grab(const QString &file, const QString &object)
{
    QJsonObject command{{QStringLiteral("cmd"), QStringLiteral("grab")}, {QStringLiteral("file"), file}};
    if (!object.isEmpty())
        command.insert(QStringLiteral("object"), object);
    return succeeded(send(command));
}

QStringList UiRemoteClient::modelRows(const QString &view, int column)
{
    const QJsonObject reply = send({{QStringLiteral("cmd"), QStringLiteral("modelRows")},
                                    {QStringLiteral("object"), view},
                                    {QStringLiteral("column"), column}});
    QStringList rows;
    const QJsonArray array = reply.value(QStringLiteral("rows")).toArray();
    for (const QJsonValue &row : array)
        rows.append(row.toString());
    return rows;
}

bool UiRemoteClient::quit()
{
    return succeeded(send({{QStringLiteral("cmd"), QStringLiteral("quit")}}));
}

bool UiRemoteClient::waitFor(const std::function<bool()> &predicate, int timeoutMs, int pollMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (predicate())
            return true;
        if (deadline.hasExpired())
            return false;
        pause(int(qMin<qint64>(pollMs, qMax<qint64>(1, deadline.remainingTime()))));
    }
}

bool UiRemoteClient::waitFor(const QString &object, const QString &property, const QJsonValue &expected, int timeoutMs)
{
    QJsonValue last;
    const bool reached = waitFor(
        [&] {
            last = get(object, property);
            return sameValue(last, expected);
        },
        timeoutMs);
    if (!reached && !last.isUndefined()) {
        m_lastError = QStringLiteral("%1.%2 is %3, not %4")
                          .arg(object, property,
                               QString::fromUtf8(QJsonDocument(QJsonArray{last}).toJson(QJsonDocument::Compact)),
                               QString::fromUtf8(QJsonDocument(QJsonArray{expected}).toJson(QJsonDocument::Compact)));
    }
    return reached;
}

bool UiRemoteClient::waitForModal(int timeoutMs)
{
    const bool open = waitFor([this] { return modal().value(QStringLiteral("open")).toBool(); }, timeoutMs);
    if (!open)
        m_lastError = QStringLiteral("no modal dialog opened within %1 ms").arg(timeoutMs);
    return open;
}

bool UiRemoteClient::waitForNoModal(int timeoutMs)
{
    const bool closed = waitFor(
        [this] {
            const QJsonObject reply = modal();
            return reply.value(QStringLiteral("ok")).toBool() && !reply.value(QStringLiteral("open")).toBool();
        },
        timeoutMs);
    if (!closed)
        m_lastError = QStringLiteral("a modal dialog is still open after %1 ms").arg(timeoutMs);
    return closed;
}
