// The password cipher of the competition server: deciphering arbitrary bytes
// and texts (session headers, discovery answers) never crashes and never
// takes a wrong key or a damaged text for a password; whatever is enciphered
// deciphers back.
#include "fuzzsupport.h"
#include "sync/meetwisecipher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    FuzzInput input(data, size);
    const quint64 key = input.u64();
    const quint8 randomByte = input.byte();
    const QByteArray bytes = input.rest();

    bool ok = false;
    MeetwiseCipher::decipherBytes(bytes, key, &ok);
    MeetwiseCipher::decipher(QString::fromLatin1(bytes), key);
    MeetwiseCipher::keyFromMachineId(QString::fromUtf8(bytes));

    if (key != 0) {
        const QByteArray cipher = MeetwiseCipher::encipherBytes(bytes, key, randomByte);
        const QByteArray plain = MeetwiseCipher::decipherBytes(cipher, key, &ok);
        FUZZ_CHECK(ok && plain == bytes, QString::fromLatin1(bytes.toHex()));
        const QString text = QString::fromUtf8(bytes);
        // As texts travel: UTF-8, enciphered, in base64.
        const QString cipherText =
            QString::fromLatin1(MeetwiseCipher::encipherBytes(text.toUtf8(), key, randomByte).toBase64());
        FUZZ_CHECK(MeetwiseCipher::decipher(cipherText, key) == text, text);
    }
    return 0;
}
