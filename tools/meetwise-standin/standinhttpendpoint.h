#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHttpServerRequest>
#include <QString>

#include <functional>

#include "tools/meetwise-standin/standincompetition.h"

class QTcpSocket;

// Qt's HTTP server parses the requests; a stand-in answers on the socket
// itself so that it can answer late or not at all.
class StandinHttpEndpoint : public QAbstractHttpServer
{
public:
    using Handler = std::function<void(const QHttpServerRequest &, QTcpSocket *)>;

    StandinHttpEndpoint(Handler handler, QObject *parent)
        : QAbstractHttpServer(parent)
        , m_handler(std::move(handler))
    {}

    bool bound = false;

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override
    {
        m_handler(request, socket);
        return true;
    }
    void missingHandler(const QHttpServerRequest &, QTcpSocket *) override {}

private:
    Handler m_handler;
};

// What the stand-ins share to read requests and write answers.
namespace StandinHttp {

// The fields of a form body or query, decoded, in their order.
StandinFields decodeForm(const QByteArray &encoded);
// Header names compare without regard to case.
bool hasHeader(const QHttpServerRequest &request, const QByteArray &name);
QByteArray header(const QHttpServerRequest &request, const QByteArray &name);
QString methodName(QHttpServerRequest::Method method);
// The status line and headers of an answer whose body follows.
QByteArray responseHead(int status, qint64 length, bool close,
                        const QByteArray &contentType = QByteArrayLiteral("application/json; charset=utf-8"));
// A whole answer, when the socket is still connected.
void writeResponse(QTcpSocket *socket, int status, const QByteArray &body, bool close,
                   const QByteArray &contentType = QByteArrayLiteral("application/json; charset=utf-8"));

} // namespace StandinHttp
