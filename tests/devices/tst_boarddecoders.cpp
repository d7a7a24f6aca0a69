#include <QRandomGenerator>
#include <QtTest>

#include "devices/glowmatrixdecoder.h"
#include "devices/lanternixdecoder.h"
#include "scoreboardtesting.h"

using namespace ScoreboardTesting;

// What the boards make of the drivers' bytes: for random items, decoding
// what a driver encodes gives the item back, in whatever pieces the bytes
// arrive; a C-Power packet with any byte changed or lost is rejected, never
// read as something else, and the packet after it is read again.
class TestBoardDecoders : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }
    void cpower_decodesWhatItsDriverEncodes();
    void cpower_rejectsEveryCorruptedPacket();
    void changhong_decodesWhatItsDriverEncodes();
    void changhong_rejectsBrokenLines_data();
    void changhong_rejectsBrokenLines();
    void boardState_followsClearsAndOverwrites();
};

namespace {

// Texts with the bytes that framing and stuffing care about: "ª" is C2 AA,
// "¥" C2 A5, "®" C2 AE in UTF-8.
QString randomText(QRandomGenerator &random, bool crAllowed)
{
    static const QStringList pieces{"A", "z", "7", " ", ".", "ª", "¥", "®", "ü", "é", "€", "漢", "😀", "h2", "\t"};
    QString text;
    const int length = random.bounded(0, 24);
    for (int i = 0; i < length; ++i)
        text += pieces.at(random.bounded(int(pieces.size())));
    if (crAllowed && random.bounded(10) == 0)
        text += "\r";
    return text;
}

QString pick(QRandomGenerator &random, const QStringList &listed, const QString &other)
{
    return random.bounded(5) == 0 ? other : listed.at(random.bounded(int(listed.size())));
}

// Bytes cut into random pieces, as a port delivers them.
QList<BoardCommand> feedInPieces(BoardDecoder &decoder, const QByteArray &bytes, QRandomGenerator &random)
{
    QList<BoardCommand> commands;
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype piece = random.bounded(1, 9);
        commands += decoder.feed(bytes.mid(at, piece));
        at += piece;
    }
    return commands;
}

} // namespace

void TestBoardDecoders::cpower_decodesWhatItsDriverEncodes()
{
    ScoreboardDriverInterface *driver = ScoreboardTesting::driver("C-Power");
    QVERIFY(driver);
    QRandomGenerator random(1401);
    GlowmatrixDecoder decoder;
    for (int round = 0; round < 2000; ++round) {
        const QString text = randomText(random, false);
        const QString color = pick(random, driver->textColors(), "#ff00ff");
        const QString alignment = pick(random, driver->alignments(), "justified");
        const QString font = pick(random, driver->fontSizes(), "10");
        const QJsonObject item = textItem(random.bounded(0, 65536), random.bounded(0, 65536), random.bounded(0, 65536),
                                          random.bounded(0, 65536), font.toInt(), color, alignment, text);
        const int address = random.bounded(0, 256);
        const QByteArray bytes = driver->textCommand(item, address);
        const QList<BoardCommand> commands = feedInPieces(decoder, bytes, random);
        QVERIFY2(commands.size() == 1, qPrintable(bytes.toHex(' ')));
        const BoardCommand &command = commands.first();
        QCOMPARE(command.kind, BoardCommand::Text);
        QCOMPARE(command.address, address);
        QCOMPARE(command.item.text, text);
        QCOMPARE(command.item.box,
                 QRect(item["x"].toInt(), item["y"].toInt(), item["width"].toInt(), item["height"].toInt()));
        QCOMPARE(command.item.fontSize, font == "10" ? 8 : font.toInt());
        QCOMPARE(command.item.color, color == "#ff00ff" ? QColor(Qt::black) : QColor(color));
        QCOMPARE(command.item.alignment, alignment == "justified" ? QString("center") : alignment);
    }
    QCOMPARE(decoder.rejectedCount(), 0);
}

void TestBoardDecoders::cpower_rejectsEveryCorruptedPacket()
{
    ScoreboardDriverInterface *driver = ScoreboardTesting::driver("C-Power");
    QRandomGenerator random(1402);
    const QByteArray clear = driver->clearCommand(1, 96, 32);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        switch (round % 3) {
        case 0:
            bytes = driver->textCommand(
                textItem(random.bounded(0, 300), 0, 96, 16, 16, "#FFFFFF", "left", randomText(random, false)),
                random.bounded(0, 256));
            break;
        case 1:
            bytes = driver->brightnessCommand(random.bounded(0, 256), pick(random, driver->brightnessLevels(), "1"));
            break;
        default:
            bytes = driver->clearCommand(random.bounded(0, 256), random.bounded(0, 65536), random.bounded(0, 65536));
            break;
        }
        QByteArray corrupted = bytes;
        const qsizetype at = random.bounded(int(bytes.size()));
        if (random.bounded(2)) {
            char other;
            do
                other = char(random.bounded(256));
            while (other == bytes.at(at));
            corrupted[at] = other;
        } else {
            corrupted.remove(at, 1);
        }
        GlowmatrixDecoder decoder;
        const QList<BoardCommand> commands = feedInPieces(decoder, corrupted + clear, random);
        QVERIFY2(commands.size() == 1 && commands.first().kind == BoardCommand::Clear &&
                     commands.first().size == QSize(96, 32),
                 qPrintable(QStringLiteral("%1 read from %2").arg(commands.size()).arg(QString(corrupted.toHex(' ')))));
        QVERIFY(decoder.rejectedCount() >= 1);
    }
}

void TestBoardDecoders::changhong_decodesWhatItsDriverEncodes()
{
    ScoreboardDriverInterface *driver = ScoreboardTesting::driver("Changhong");
    QVERIFY(driver);
    QRandomGenerator random(1403);
    LanternixDecoder decoder;
    for (int round = 0; round < 2000; ++round) {
        // A carriage return would end the command: it is sent as a space.
        const QString typed = randomText(random, true);
        const QString text = QString(typed).replace('\r', ' ');
        const QString color = pick(random, driver->textColors(), "#0000FF");
        const QString alignment = pick(random, driver->alignments(), "");
        const QString font = pick(random, driver->fontSizes(), "16");
        const int width = random.bounded(0, 400);
        const QJsonObject item = textItem(random.bounded(0, 65536), random.bounded(0, 65536), width,
                                          random.bounded(0, 65536), font.toInt(), color, alignment, typed);
        const QList<BoardCommand> commands = feedInPieces(decoder, driver->textCommand(item, 1), random);
        QCOMPARE(commands.size(), 1);
        const BoardItem &decoded = commands.first().item;
        QCOMPARE(commands.first().kind, BoardCommand::Text);
        QCOMPARE(decoded.box, QRect(item["x"].toInt(), item["y"].toInt(), width, item["height"].toInt()));
        QCOMPARE(decoded.fontSize, font == "16" ? 7 : font.toInt());
        QCOMPARE(decoded.color, color == "#0000FF" ? QColor(Qt::black) : QColor(color));
        // The text as fitted to the box (an unlisted font counts as 7 wide):
        // whole and padded on the left side, else exactly as many characters
        // as the box holds.
        const int characters = width / LanternixDecoder::characterWidth(font.toInt());
        const qsizetype length = text.toUcs4().size();
        if (alignment == "left" || alignment.isEmpty()) {
            QCOMPARE(decoded.text, text + QString(qMax<qsizetype>(0, characters + 1 - length), ' '));
        } else {
            QCOMPARE(decoded.text.toUcs4().size(), qMax(0, characters));
            QVERIFY2(text.contains(decoded.text.trimmed()), qPrintable(decoded.text + " from " + text));
        }
    }
    QCOMPARE(decoder.rejectedCount(), 0);
}

void TestBoardDecoders::changhong_rejectsBrokenLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("text cut short") << QByteArray("Tff0000000000\r");
    QTest::newRow("not hexadecimal") << QByteArray("Tff00zz0000000000100010A text\r");
    QTest::newRow("no font of that letter") << QByteArray("Tff0000000000000010000aF text\r");
    QTest::newRow("broken UTF-8") << QByteArray("Tff000000000000001000010A \xC3\x28\r");
    QTest::newRow("unknown command") << QByteArray("Q12\r");
    QTest::newRow("brightness out of step") << QByteArray("S4107f\r");
    QTest::newRow("unknown colour") << QByteArray("S909\r");
    QTest::newRow("a line without end") << QByteArray(5000, 'T') + "\r";
}

void TestBoardDecoders::changhong_rejectsBrokenLines()
{
    QFETCH(QByteArray, line);
    LanternixDecoder decoder;
    // What follows the broken line is read as ever.
    const QList<BoardCommand> commands = decoder.feed(line + "C\r");
    QCOMPARE(decoder.rejectedCount(), 1);
    QCOMPARE(commands.size(), 1);
    QCOMPARE(commands.first().kind, BoardCommand::Clear);
}

void TestBoardDecoders::boardState_followsClearsAndOverwrites()
{
    ScoreboardDriverInterface *driver = ScoreboardTesting::driver("C-Power");
    QByteArray bytes = driver->clearCommand(1, 128, 32);
    bytes += driver->textCommand(textItem(0, 0, 64, 16, 16, "#FFFFFF", "left", "SMITH"), 1);
    bytes += driver->textCommand(textItem(64, 0, 64, 16, 16, "#FFFF00", "right", "7.12"), 1);
    bytes += driver->textCommand(textItem(0, 16, 128, 16, 16, "#00FF00", "left", "Rank 2"), 1);
    // The same box again: the new text replaces the old.
    bytes += driver->textCommand(textItem(64, 0, 64, 16, 16, "#FFFF00", "right", "7.45"), 1);
    BoardState state = decoded("C-Power", bytes, QSize(96, 16));
    QCOMPARE(state.size(), QSize(128, 32));
    QCOMPARE(state.texts(), QStringList({"SMITH", "7.45", "Rank 2"}));
    QCOMPARE(state.itemAt(QPoint(70, 5))->color, QColor(255, 255, 0));
    state.apply(BoardDecoder::forController("C-Power")->feed(driver->clearCommand(1, 128, 32) +
                                                             driver->brightnessCommand(1, "40")));
    QVERIFY(state.isCleared());
    QCOMPARE(state.clearCount(), 2);
    QCOMPARE(state.brightnessLevel(), QString("40"));
}

STADIONIX_TEST_MAIN(TestBoardDecoders)
#include "tst_boarddecoders.moc"
