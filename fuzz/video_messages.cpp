// The lines a video wall reads: compact JSON objects ended by a carriage
// return. Any bytes read without a crash, the same in whatever pieces they
// arrive; every message read is one the program could have sent: encoded
// again, it gives back its line.
#include <QJsonDocument>

#include "devices/videomessage.h"
#include "devices/videomessagedecoder.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const int piece = int(size % 8) + 1;
    VideoMessageDecoder whole;
    VideoMessageDecoder pieces;
    const QList<QJsonObject> messages = whole.feed(bytes);
    QList<QJsonObject> inPieces;
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        inPieces += pieces.feed(bytes.mid(at, piece));
    const QString detail = QString::fromLatin1(bytes.left(256).toHex(' '));
    FUZZ_CHECK(messages == inPieces, detail);
    FUZZ_CHECK(whole.rejectedCount() == pieces.rejectedCount(), detail);

    QByteArray lines;
    for (const QJsonObject &message : messages) {
        FUZZ_CHECK(!VideoMessage::keysOf(VideoMessageDecoder::typeOf(message)).isEmpty(), detail);
        lines += VideoMessage::encode(message.toVariantMap());
    }
    VideoMessageDecoder again;
    FUZZ_CHECK(again.feed(lines) == messages && again.rejectedCount() == 0, detail);
    return 0;
}
