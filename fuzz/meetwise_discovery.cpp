// A competition server's answer to the discovery ping: any datagram reads
// without a crash, an answer that is taken gives a name, a user and a
// password that are whole fields, and an answer enciphered as a server makes
// it gives back exactly the identity it carries.
//
// The input is read twice: whole, as a datagram; and as the makings of an
// answer: eight bytes of key, the cipher's random byte, then the identity as
// text, its fields separated by ";".
#include "fuzzsupport.h"
#include "sync/meetwisecipher.h"
#include "sync/meetwisediscovery.h"

namespace {

void checkFields(const MeetwiseDiscoveryAnswer &answer, const QByteArray &datagram)
{
    for (const QString *field : {&answer.name, &answer.user, &answer.password})
        FUZZ_CHECK(!field->isEmpty() && !field->contains(QLatin1Char(';')), QString::fromLatin1(datagram.toHex()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    const QByteArray datagram(reinterpret_cast<const char *>(data), qsizetype(size));
    MeetwiseDiscoveryAnswer answer;
    if (MeetwiseDiscovery::parseAnswer(datagram, &answer))
        checkFields(answer, datagram);

    FuzzInput input(data, size);
    const quint64 key = qMax<quint64>(input.u64(), 1);
    const quint8 randomByte = input.byte();
    const QStringList identity = QString::fromUtf8(input.rest()).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (identity.size() < 3)
        return 0;
    // A server names itself, the user and the password, then says more.
    const QString plain = identity.mid(0, 3).join(QLatin1Char(';')) + QStringLiteral(";standin;");
    const QByteArray built = "MWSTADIONIXPINGANSWER;" + QByteArray::number(key) + ';' +
                             MeetwiseCipher::encipherBytes(plain.toUtf8(), key, randomByte).toBase64();
    MeetwiseDiscoveryAnswer read;
    FUZZ_CHECK(MeetwiseDiscovery::parseAnswer(built, &read), plain);
    FUZZ_CHECK((QStringList{read.name, read.user, read.password}) == identity.mid(0, 3), plain);
    return 0;
}
