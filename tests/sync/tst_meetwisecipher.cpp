#include <QtTest>

#include "support/testsupport.h"
#include "sync/meetwisecipher.h"

class TestMeetwiseCipher : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void keyFromMachineId_sumsDecimalDigits_data();
    void keyFromMachineId_sumsDecimalDigits();
    void knownVector_matchesIndependentComputation_data();
    void knownVector_matchesIndependentComputation();
    void roundTrip_givesTextBack_data();
    void roundTrip_givesTextBack();
    void sameText_enciphersDifferently();
    void wrongVersion_reportsAndGivesNothing_data();
    void wrongVersion_reportsAndGivesNothing();
    void keyZero_reportsNoKey();
    void wrongKeyOrDamage_givesNothing_data();
    void wrongKeyOrDamage_givesNothing();
};

void TestMeetwiseCipher::keyFromMachineId_sumsDecimalDigits_data()
{
    QTest::addColumn<QString>("machineId");
    QTest::addColumn<quint64>("key");
    QTest::newRow("hex machine id") << "3d1219c7c4c5404aaa1f6d2a48adfda4" << quint64(65);
    QTest::newRow("all digits") << "0123456789" << quint64(45);
    QTest::newRow("letters only give no key") << "abcdef" << quint64(0);
    QTest::newRow("empty") << "" << quint64(0);
    QTest::newRow("windows style guid") << "{4C4C4544-0035-3010-8053-B4C04F563132}" << quint64(81);
}

void TestMeetwiseCipher::keyFromMachineId_sumsDecimalDigits()
{
    QFETCH(QString, machineId);
    QFETCH(quint64, key);
    QCOMPARE(MeetwiseCipher::keyFromMachineId(machineId), key);
}

// Vectors computed outside this code base from the algorithm: CRC-16/X.25
// (ISO 3309) big-endian, one random byte, chained XOR with the key's bytes
// least significant first, version 3 and the flag byte in front.
void TestMeetwiseCipher::knownVector_matchesIndependentComputation_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<quint64>("key");
    QTest::addColumn<int>("randomByte");
    QTest::addColumn<QByteArray>("base64");
    QTest::newRow("short text, small key") << "ab" << quint64(123) << 0x5A << QByteArray("AwIhEsytzw==");
    QTest::newRow("accents and form characters, eight-byte key")
        << QStringLiteral("Pässwörd&=") << quint64(0x0102030405060708ULL) << 0xC3
        << QByteArray("AwLL60UQ13ABcwzIeA9vSnU=");
}

void TestMeetwiseCipher::knownVector_matchesIndependentComputation()
{
    QFETCH(QString, plain);
    QFETCH(quint64, key);
    QFETCH(int, randomByte);
    QFETCH(QByteArray, base64);
    QCOMPARE(MeetwiseCipher::encipherBytes(plain.toUtf8(), key, quint8(randomByte)).toBase64(), base64);
    QCOMPARE(MeetwiseCipher::decipher(QString::fromLatin1(base64), key), plain);
}

void TestMeetwiseCipher::roundTrip_givesTextBack_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<quint64>("key");
    QTest::addColumn<int>("flags");
    QTest::newRow("empty password") << QString() << quint64(65) << 0x02;
    QTest::newRow("plain password") << "secret" << quint64(65) << 0x02;
    QTest::newRow("accents") << QStringLiteral("Łódź-Ærø-ß-ñ") << quint64(7) << 0x02;
    QTest::newRow("discovery answer text") << "Stand-in;official;lap&time=42;standin;" << quint64(271828) << 0x02;
    // Long repetitive text compresses, and only then is kept compressed.
    QTest::newRow("compressible text is compressed") << QString(400, QLatin1Char('x')) << quint64(65) << 0x03;
    QTest::newRow("largest key") << "k" << ~quint64(0) << 0x02;
}

void TestMeetwiseCipher::roundTrip_givesTextBack()
{
    QFETCH(QString, plain);
    QFETCH(quint64, key);
    QFETCH(int, flags);
    const QString cipher = MeetwiseCipher::encipher(plain, key);
    const QByteArray bytes = QByteArray::fromBase64(cipher.toLatin1());
    QCOMPARE(quint8(bytes.at(0)), quint8(3));
    QCOMPARE(int(quint8(bytes.at(1))), flags);
    if (flags & 0x01)
        QVERIFY(bytes.size() < plain.toUtf8().size());
    QCOMPARE(MeetwiseCipher::decipher(cipher, key), plain);
}

void TestMeetwiseCipher::sameText_enciphersDifferently()
{
    // The random byte makes a header value useless to replay as a password
    // hash; over 32 tries at least two must differ.
    QSet<QString> seen;
    for (int i = 0; i < 32; ++i)
        seen.insert(MeetwiseCipher::encipher(QStringLiteral("secret"), 65));
    QVERIFY(seen.size() > 1);
}

void TestMeetwiseCipher::wrongVersion_reportsAndGivesNothing_data()
{
    QTest::addColumn<QByteArray>("cipher");
    QByteArray valid = MeetwiseCipher::encipherBytes("secret", 65, 0x11);
    QByteArray version2 = valid;
    version2[0] = 2;
    QTest::newRow("version byte 2") << version2;
    QTest::newRow("plain text, not a cipher") << QByteArray("secret");
    QTest::newRow("empty") << QByteArray();
}

void TestMeetwiseCipher::wrongVersion_reportsAndGivesNothing()
{
    QFETCH(QByteArray, cipher);
    QTest::ignoreMessage(QtWarningMsg, "Invalid version or not a cyphertext.");
    bool ok = true;
    QCOMPARE(MeetwiseCipher::decipherBytes(cipher, 65, &ok), QByteArray());
    QVERIFY(!ok);
}

void TestMeetwiseCipher::keyZero_reportsNoKey()
{
    QTest::ignoreMessage(QtWarningMsg, "No key set.");
    QCOMPARE(MeetwiseCipher::encipher(QStringLiteral("secret"), 0), QString());
    QTest::ignoreMessage(QtWarningMsg, "No key set.");
    QCOMPARE(MeetwiseCipher::decipher(MeetwiseCipher::encipher(QStringLiteral("secret"), 65), 0), QString());
}

void TestMeetwiseCipher::wrongKeyOrDamage_givesNothing_data()
{
    QTest::addColumn<QByteArray>("cipher");
    QTest::addColumn<quint64>("key");
    const QByteArray valid = MeetwiseCipher::encipherBytes("a longer secret password", 65, 0x22);
    QTest::newRow("wrong key") << valid << quint64(66);
    QByteArray damaged = valid;
    damaged[damaged.size() - 1] = char(damaged.at(damaged.size() - 1) ^ 0x40);
    QTest::newRow("last byte damaged") << damaged << quint64(65);
    QTest::newRow("cut short") << valid.left(valid.size() - 3) << quint64(65);
    // Computed outside this code base: "secret" compressed, with a checksum
    // that holds, under a size field that claims 0xF0000000 bytes; taken at
    // its word, the size would be reserved before a byte is unpacked.
    QTest::newRow("compressed text claiming four gigabytes")
        << QByteArray::fromBase64("AwNyUF6urq6u1k1mKGVLASwtbGS1tzA=") << quint64(65);
}

void TestMeetwiseCipher::wrongKeyOrDamage_givesNothing()
{
    QFETCH(QByteArray, cipher);
    QFETCH(quint64, key);
    QTest::ignoreMessage(QtWarningMsg, "Integrity check failed.");
    bool ok = true;
    QCOMPARE(MeetwiseCipher::decipherBytes(cipher, key, &ok), QByteArray());
    QVERIFY(!ok);
}

STADIONIX_TEST_MAIN(TestMeetwiseCipher)
#include "tst_meetwisecipher.moc"
