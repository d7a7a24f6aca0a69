#include "tools/meetwise-standin/standinhttpendpoint.h"

#include <QTcpSocket>

namespace StandinHttp {

StandinFields decodeForm(const QByteArray &encoded)
{
    StandinFields fields;
    for (const QByteArray &piece : encoded.split('&')) {
        if (piece.isEmpty())
            continue;
        const qsizetype equals = piece.indexOf('=');
        QByteArray name = equals < 0 ? piece : piece.left(equals);
        QByteArray value = equals < 0 ? QByteArray() : piece.mid(equals + 1);
        name.replace('+', ' ');
        value.replace('+', ' ');
        fields.append({QString::fromUtf8(QByteArray::fromPercentEncoding(name)),
                       QString::fromUtf8(QByteArray::fromPercentEncoding(value))});
    }
    return fields;
}

bool hasHeader(const QHttpServerRequest &request, const QByteArray &name)
{
    for (const auto &pair : request.headers()) {
        if (pair.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QByteArray header(const QHttpServerRequest &request, const QByteArray &name)
{
    for (const auto &pair : request.headers()) {
        if (pair.first.compare(name, Qt::CaseInsensitive) == 0)
            return pair.second;
    }
    return QByteArray();
}

QString methodName(QHttpServerRequest::Method method)
{
    switch (method) {
    case QHttpServerRequest::Method::Get:
        return QStringLiteral("GET");
    case QHttpServerRequest::Method::Post:
        return QStringLiteral("POST");
    case QHttpServerRequest::Method::Put:
        return QStringLiteral("PUT");
    case QHttpServerRequest::Method::Delete:
        return QStringLiteral("DELETE");
    case QHttpServerRequest::Method::Head:
        return QStringLiteral("HEAD");
    default:
        return QStringLiteral("OTHER");
    }
}

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 413:
        return "Payload Too Large";
    default:
        return "Internal Server Error";
    }
}

} // namespace

QByteArray responseHead(int status, qint64 length, bool close, const QByteArray &contentType)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    head += "Content-Type: " + contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    if (close)
        head += "Connection: close\r\n";
    return head + "\r\n";
}

void writeResponse(QTcpSocket *socket, int status, const QByteArray &body, bool close, const QByteArray &contentType)
{
    if (!socket || socket->state() != QAbstractSocket::ConnectedState)
        return;
    socket->write(responseHead(status, body.size(), close, contentType) + body);
    if (close)
        socket->disconnectFromHost();
}

} // namespace StandinHttp
