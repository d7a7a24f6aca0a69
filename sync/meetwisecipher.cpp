#include "sync/meetwisecipher.h"

#include <QLoggingCategory>
#include <QtEndian>
#include <QRandomGenerator>
#include <QSysInfo>

#include "sync/synclogging.h"

namespace {

quint8 keyByte(quint64 key, int i)
{
    return static_cast<quint8>(key >> (8 * (i % 8)));
}

} // namespace

quint64 MeetwiseCipher::keyFromMachineId(const QString &machineId)
{
    quint64 key = 0;
    for (const QChar c : machineId) {
        const int digit = c.digitValue();
        // digitValue() also knows superscripts and other scripts' digits; only
        // the plain decimal digits of an id count.
        if (digit >= 0 && c.isDigit())
            key += static_cast<quint64>(digit);
    }
    return key;
}

QString MeetwiseCipher::machineId()
{
    return QString::fromUtf8(QSysInfo::machineUniqueId());
}

QString MeetwiseCipher::encipher(const QString &plainText, quint64 key)
{
    const quint8 randomByte = static_cast<quint8>(QRandomGenerator::global()->bounded(256));
    return QString::fromLatin1(encipherBytes(plainText.toUtf8(), key, randomByte).toBase64());
}

QString MeetwiseCipher::decipher(const QString &cipherText, quint64 key)
{
    return QString::fromUtf8(decipherBytes(QByteArray::fromBase64(cipherText.toLatin1()), key));
}

QByteArray MeetwiseCipher::encipherBytes(const QByteArray &plain, quint64 key, quint8 randomByte)
{
    if (key == 0) {
        qCWarning(lcSync) << "No key set.";
        return {};
    }
    quint8 flags = FlagChecksum;
    QByteArray data = plain;
    const QByteArray compressed = qCompress(plain, 9);
    if (compressed.size() < plain.size()) {
        data = compressed;
        flags |= FlagCompressed;
    }
    const quint16 checksum = qChecksum(data, Qt::ChecksumIso3309);
    QByteArray in;
    in.reserve(data.size() + 3);
    in.append(static_cast<char>(randomByte));
    in.append(static_cast<char>(checksum >> 8));
    in.append(static_cast<char>(checksum & 0xff));
    in.append(data);

    QByteArray out(in.size() + 2, Qt::Uninitialized);
    out[0] = static_cast<char>(Version);
    out[1] = static_cast<char>(flags);
    quint8 previous = 0;
    for (int i = 0; i < in.size(); ++i) {
        const quint8 c = static_cast<quint8>(in.at(i)) ^ keyByte(key, i) ^ previous;
        out[i + 2] = static_cast<char>(c);
        previous = c;
    }
    return out;
}

QByteArray MeetwiseCipher::decipherBytes(const QByteArray &cipher, quint64 key, bool *ok)
{
    if (ok)
        *ok = false;
    if (key == 0) {
        qCWarning(lcSync) << "No key set.";
        return {};
    }
    if (cipher.size() < 2 || static_cast<quint8>(cipher.at(0)) != Version) {
        qCWarning(lcSync) << "Invalid version or not a cyphertext.";
        return {};
    }
    const quint8 flags = static_cast<quint8>(cipher.at(1));
    QByteArray in(cipher.size() - 2, Qt::Uninitialized);
    quint8 previous = 0;
    for (int i = 0; i < in.size(); ++i) {
        const quint8 c = static_cast<quint8>(cipher.at(i + 2));
        in[i] = static_cast<char>(c ^ keyByte(key, i) ^ previous);
        previous = c;
    }
    // The first byte only makes equal texts encipher differently.
    QByteArray data = in.mid(1);
    if (in.isEmpty()) {
        qCWarning(lcSync) << "Invalid version or not a cyphertext.";
        return {};
    }
    if (flags & FlagChecksum) {
        if (data.size() < 2) {
            qCWarning(lcSync) << "Invalid version or not a cyphertext.";
            return {};
        }
        const quint16 stored =
            static_cast<quint16>((static_cast<quint8>(data.at(0)) << 8) | static_cast<quint8>(data.at(1)));
        data.remove(0, 2);
        // A wrong key or a damaged text shows here rather than as garbage.
        if (qChecksum(data, Qt::ChecksumIso3309) != stored) {
            qCWarning(lcSync) << "Integrity check failed.";
            return {};
        }
    }
    if (flags & FlagCompressed) {
        // The size that qUncompress() allocates comes from the text itself:
        // a damaged or hostile one must not make it reserve gigabytes.
        if (data.size() < 4 || qFromBigEndian<quint32>(data.constData()) > MaxPlainSize) {
            qCWarning(lcSync) << "Integrity check failed.";
            return {};
        }
        data = qUncompress(data);
        if (data.isEmpty()) {
            qCWarning(lcSync) << "Integrity check failed.";
            return {};
        }
    }
    if (ok)
        *ok = true;
    return data;
}
