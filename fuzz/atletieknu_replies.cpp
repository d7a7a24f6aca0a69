// The results service's replies: any body reads as a login answer, a time and
// a list without a crash; a refused login shows the body whole and an
// accepted one the text after the word, so nothing the service says is lost;
// a time becomes an offset without overflow; and every time in milliseconds
// the service can send, as a number or as text, reads back exactly.
//
// The input is the reply body; its first eight bytes are also a time.
#include "fuzzsupport.h"
#include "sync/atletieknurestservice.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = QString::fromUtf8(body);

    const AtletiekNuRESTService::LoginReply login = AtletiekNuRESTService::parseLoginReply(body);
    if (login.success)
        FUZZ_CHECK(text.size() >= 7 && text.left(7).toUpper() == QLatin1String("LOGINOK") && text.mid(7) == login.text,
                   text);
    else
        FUZZ_CHECK(login.text == text, text);

    // A round trip of a quarter of a second, this year.
    const qint64 sent = 1781337600123;
    const qint64 received = sent + 250;
    const quint64 time = AtletiekNuRESTService::parseServerTime(body);
    const std::optional<qint64> offset = AtletiekNuRESTService::timeOffset(time, sent, received);
    if (offset)
        FUZZ_CHECK(quint64(*offset + sent + 125) == time, QString::number(time));
    FUZZ_CHECK(!AtletiekNuRESTService::timeOffset(time, sent, sent), QString::number(time));

    AtletiekNuRESTService::parseList(body);

    // Every time a JSON number holds exactly, and any as text.
    FuzzInput input(data, size);
    const quint64 bits = input.u64();
    const quint64 exact = bits % (quint64(1) << 53);
    if (exact != 0) {
        const QByteArray number = "{\"time\":" + QByteArray::number(exact) + '}';
        FUZZ_CHECK(AtletiekNuRESTService::parseServerTime(number) == exact, QString::fromLatin1(number));
    }
    const QByteArray quoted = "{\"time\":\"" + QByteArray::number(bits) + "\"}";
    FUZZ_CHECK(AtletiekNuRESTService::parseServerTime(quoted) == bits, QString::fromLatin1(quoted));
    return 0;
}
