#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The stream cipher the competition server uses for passwords: in the session
// header of every request and in its discovery answers. Pure functions; the
// key is always passed in so both sides and the tests can choose it.
class MeetwiseCipher
{
public:
    static constexpr quint8 Version = 3;
    static constexpr quint8 FlagCompressed = 0x01;
    static constexpr quint8 FlagChecksum = 0x02;
    // Passwords and discovery answers are short; a compressed text that
    // claims to be longer than this is refused.
    static constexpr quint32 MaxPlainSize = 1 << 20;

    // The key this machine uses: the sum of the decimal digits in its machine
    // id text (letters count nothing).
    static quint64 keyFromMachineId(const QString &machineId);
    // The platform's machine id as text.
    static QString machineId();

    // Base64 text of the enciphered UTF-8 bytes; empty with key 0.
    static QString encipher(const QString &plainText, quint64 key);
    // The text back; empty when the key is 0 or the text is no cipher text of
    // this version or was damaged.
    static QString decipher(const QString &cipherText, quint64 key);

    // Byte-level forms. The random byte is a parameter so that known vectors
    // can be checked; encipher() draws it.
    static QByteArray encipherBytes(const QByteArray &plain, quint64 key, quint8 randomByte);
    static QByteArray decipherBytes(const QByteArray &cipher, quint64 key, bool *ok = nullptr);
};
