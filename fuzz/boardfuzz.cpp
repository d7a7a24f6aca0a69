#include "boardfuzz.h"

#include <QByteArray>
#include <QJsonDocument>

#include "devices/boarddecoder.h"
#include "devices/boardstate.h"
#include "fuzzsupport.h"

namespace {

bool same(const BoardCommand &a, const BoardCommand &b)
{
    return a.kind == b.kind && a.address == b.address && a.size == b.size && a.item == b.item &&
           a.brightnessCode == b.brightnessCode && a.brightnessLevel == b.brightnessLevel &&
           a.brightness == b.brightness && a.color == b.color && a.position == b.position && a.stayTime == b.stayTime &&
           a.data == b.data;
}

} // namespace

void BoardFuzz::decode(const QString &controller, const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    // The inputs themselves stay the bytes on the wire.
    const int piece = int(size % 8) + 1;

    auto whole = BoardDecoder::forController(controller);
    auto pieces = BoardDecoder::forController(controller);
    FUZZ_CHECK(whole && pieces, controller);
    const QList<BoardCommand> commands = whole->feed(bytes);
    QList<BoardCommand> inPieces;
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        inPieces += pieces->feed(bytes.mid(at, piece));

    const QString detail = QString::fromLatin1(bytes.toHex(' '));
    FUZZ_CHECK(commands.size() == inPieces.size(), detail);
    FUZZ_CHECK(whole->rejectedCount() == pieces->rejectedCount(), detail);
    for (qsizetype i = 0; i < commands.size(); ++i)
        FUZZ_CHECK(same(commands.at(i), inPieces.at(i)), detail);

    BoardState board(QSize(192, 64));
    board.apply(commands);
    FUZZ_CHECK(board.size().width() <= BoardState::MaximumSide && board.size().height() <= BoardState::MaximumSide,
               detail);
    board.texts();
    QJsonDocument(board.toJson()).toJson(QJsonDocument::Compact);
}
