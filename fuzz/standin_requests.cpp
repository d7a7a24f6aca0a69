// The stand-in competition server reading the program's requests: a series
// of requests never crashes the server, and the state it saves afterwards
// loads again as the same competition. The competition is a cut of the demo
// one (standin_competition.json: a track heat, a relay, a long jump, a high
// jump and a javelin throw of two or three each), small enough for thousands
// of runs a second.
//
// The input holds up to 16 requests, separated by NUL bytes. Each is a line
// with the method, a line with the request target (path and query), a line
// with the Content-Type, then either the body alone or a line with the
// Session-Id header and the body.
#include <QJsonDocument>

#include "fuzzsupport.h"
#include "tools/meetwise-standin/standinserver.h"

namespace {

QList<QByteArray> parts(const QByteArray &request)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (int line = 0; line < 4; ++line) {
        const qsizetype end = request.indexOf('\n', start);
        if (end < 0)
            break;
        lines.append(request.mid(start, end - start));
        start = end + 1;
    }
    lines.append(request.mid(start));
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    static const StandinCompetition competition = [] {
        StandinCompetition loaded;
        QString error;
        if (!loaded.loadFile(QStringLiteral(STADIONIX_FUZZ_SOURCE_DIR "/standin_competition.json"), &error))
            FuzzSupport::fail("the competition does not load", error);
        return loaded;
    }();
    StandinServer server;
    server.competition() = competition;

    FuzzInput input(data, size);
    for (int count = 0; count < 16 && !input.atEnd(); ++count) {
        const QList<QByteArray> lines = parts(input.bytesUntil('\0'));
        const QByteArray target = lines.value(1).startsWith('/') ? lines.value(1) : '/' + lines.value(1);
        QList<QPair<QByteArray, QByteArray>> headers{{"Content-Type", lines.value(2)}};
        if (lines.size() == 5)
            headers.append({"Session-Id", lines.value(3)});
        const QByteArray body = lines.size() >= 4 ? lines.last() : QByteArray();
        const StandinServer::Request request = StandinServer::readRequest(
            QString::fromLatin1(lines.value(0)), QUrl::fromEncoded("http://127.0.20.1:8090" + target), headers, body);
        const StandinCompetition::Reply reply = server.answer(request);
        QJsonDocument(reply.body).toJson(QJsonDocument::Compact);
    }

    const QJsonObject saved = server.competition().toJson();
    StandinCompetition reloaded;
    QString error;
    FUZZ_CHECK(reloaded.load(saved, &error), error);
    FUZZ_CHECK(reloaded.toJson() == saved, QString::fromUtf8(QJsonDocument(saved).toJson()));
    return 0;
}
