#include <QJsonDocument>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

#include "../fieldevents/heatbuilder.h"
#include "app/settings.h"
#include "devices/videomessagedecoder.h"
#include "devices/videoscoreboard.h"
#include "recordingdevice.h"
#include "support/testsupport.h"

// The video wall's lines byte for byte, the made-up content without an
// athlete, a ranking, and what the wall (the decoder the stand-in uses)
// takes and refuses.
class TestVideoScoreboard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void message_byteForByte_data();
    void message_byteForByte();
    void withoutAnAthlete_demonstrationContent_data();
    void withoutAnAthlete_demonstrationContent();
    void ranking_oneLinePerAthleteInListOrder_data();
    void ranking_oneLinePerAthleteInListOrder();
    void withoutAPort_sendsNothing();
    void decoder_takesOnlyWhatTheProgramSends_data();
    void decoder_takesOnlyWhatTheProgramSends();
};

namespace {

// A wall whose port drops what it gets; the test reads writeData.
struct Wall
{
    Wall()
    {
        Settings::instance()->setValue("videoscoreboard", "type", nonePortDescriptor()["type"]);
        Settings::instance()->setValue("videoscoreboard", "port", nonePortDescriptor()["name"]);
        wall = std::make_unique<VideoScoreboard>();
        writes = std::make_unique<QSignalSpy>(wall.get(), &PortDevice::writeData);
    }

    QList<QByteArray> lines() const
    {
        QList<QByteArray> all;
        for (const QList<QVariant> &call : *writes)
            all << call.at(0).toByteArray();
        return all;
    }

    // What the wall makes of everything sent; fails on a line it refuses.
    QList<QJsonObject> decoded() const
    {
        VideoMessageDecoder decoder;
        QList<QJsonObject> messages;
        for (const QByteArray &line : lines())
            messages += decoder.feed(line);
        if (decoder.rejectedCount() != 0)
            qWarning("the wall refused a line: %s", qPrintable(decoder.lastRejection()));
        return messages;
    }

    std::unique_ptr<VideoScoreboard> wall;
    std::unique_ptr<QSignalSpy> writes;
};

// Kjell Lefèvrier of Belgium, bib 101, with the marks of the card.
std::unique_ptr<Participation> athlete(const QString &card, QChar fieldType)
{
    std::unique_ptr<Participation> p(HeatBuilder::heat({card}, fieldType).first());
    Participant *person = p->participants().first();
    person->competitor()->bib = "101";
    person->athlete()->firstname = "kjell";
    person->athlete()->lastname = "Lefèvrier";
    p->teamname = "Belgium";
    return p;
}

void send(VideoScoreboard &wall, const QString &type)
{
    if (type == "4")
        wall.sendHorizontalParticipant();
    else if (type == "5")
        wall.sendHorizontalResult();
    else if (type == "6")
        wall.sendVerticalParticipant();
    else if (type == "7")
        wall.sendVerticalResult();
    else
        wall.clearBoard();
}

} // namespace

void TestVideoScoreboard::init()
{
    TestSupport::failOnUnexpectedWarnings();
}

void TestVideoScoreboard::message_byteForByte_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("card"); // empty: no athlete
    QTest::addColumn<unsigned>("rank");
    QTest::addColumn<double>("shown"); // the attempt, or the bar in a vertical event
    QTest::addColumn<unsigned>("jumpOff");
    QTest::addColumn<bool>("retired");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("horizontal participant")
        << "4"
        << "H: 7.12 X" << 2u << 3.0 << 0u << false
        << QByteArray(R"({"AT":"3","B":"101","E":"Women's Long Jump","NA":"Lefèvrier K","RK":"2","T":4,"TE":"Belgium"})"
                      "\r");
    QTest::newRow("horizontal result: the mark of the attempt shown")
        << "5"
        << "H: 7.12 X" << 2u << 1.0 << 0u << false
        << QByteArray(
               R"({"AT":"1","B":"101","E":"Women's Long Jump","NA":"Lefèvrier K","RE":"7.12","RK":"2","T":5,"TE":"Belgium"})"
               "\r");
    QTest::newRow("horizontal result: a failure, without a rank yet")
        << "5"
        << "H: X" << 0u << 1.0 << 0u << false
        << QByteArray(
               R"({"AT":"1","B":"101","E":"Women's Long Jump","NA":"Lefèvrier K","RE":"X","RK":"","T":5,"TE":"Belgium"})"
               "\r");
    QTest::newRow("horizontal result: retired")
        << "5"
        << "H: 7.12 r" << 1u << 2.0 << 0u << true
        << QByteArray(
               R"({"AT":"2","B":"101","E":"Women's Long Jump","NA":"Lefèvrier K","RE":"r","RK":"1","T":5,"TE":"Belgium"})"
               "\r");
    QTest::newRow("vertical participant: the bar")
        << "6"
        << "V: 1.80 O" << 1u << 1.85 << 0u << false
        << QByteArray(
               R"({"AT":"1","B":"101","E":"Women's Long Jump","H":"1.85","NA":"Lefèvrier K","RK":"1","T":6,"TE":"Belgium"})"
               "\r");
    QTest::newRow("vertical result: the tries at the bar")
        << "7"
        << "V: 1.80 O, 1.85 XO" << 1u << 1.85 << 0u << false
        << QByteArray(
               R"({"AT":"1","B":"101","E":"Women's Long Jump","H":"1.85","NA":"Lefèvrier K","RE":"X0","RK":"1","T":7,"TE":"Belgium"})"
               "\r");
    QTest::newRow("vertical result: the jump-off attempt")
        << "7"
        << "V: 1.80 O, 1.85 XXX, JO1 1.85 O" << 1u << 1.85 << 1u << false
        << QByteArray(
               R"({"AT":"1","B":"101","E":"Women's Long Jump","H":"1.85","NA":"Lefèvrier K","RE":"0","RK":"1","T":7,"TE":"Belgium"})"
               "\r");
    QTest::newRow("clearing the wall") << "a"
                                       << "" << 0u << 0.0 << 0u << false
                                       << QByteArray(R"({"D":0,"L":7,"T":"a"})"
                                                     "\r");
}

void TestVideoScoreboard::message_byteForByte()
{
    QFETCH(QString, type);
    QFETCH(QString, card);
    QFETCH(unsigned, rank);
    QFETCH(double, shown);
    QFETCH(unsigned, jumpOff);
    QFETCH(bool, retired);
    QFETCH(QByteArray, line);
    Wall w;
    std::unique_ptr<Participation> p;
    if (!card.isEmpty()) {
        p = athlete(card.mid(3), card.at(0));
        p->current_order = rank;
        p->abandon = retired;
        if (p->field_type == 'V') {
            p->shownHeight = shown;
            p->shownJumpOffNumber = jumpOff;
            p->shownAttemptNumber = 1;
        } else {
            p->shownAttemptNumber = unsigned(shown);
        }
    }
    w.wall->setCurrentParticipation(p.get());
    w.wall->setEventName("Women's Long Jump");
    send(*w.wall, type);
    QCOMPARE(w.lines(), QList<QByteArray>{line});
    QCOMPARE(w.writes->first().at(1).toInt(), 0);
    QCOMPARE(w.decoded().size(), 1);
}

void TestVideoScoreboard::withoutAnAthlete_demonstrationContent_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("height"); // pattern of "H" (empty: no such key)
    QTest::addColumn<QString>("result"); // pattern of "RE" (empty: no such key)
    const QString decimal = "^([1-9]|[1-8][0-9]|90)\\.\\d\\d$|^91\\.00$";
    const QString bar = "^[1-5]\\.\\d\\d$|^6\\.00$";
    QTest::newRow("horizontal participant") << "4"
                                            << "Demo participant"
                                            << ""
                                            << "";
    QTest::newRow("horizontal result: a distance up to 91 m") << "5"
                                                              << "Demo result"
                                                              << "" << decimal;
    QTest::newRow("vertical participant: a bar up to 6 m") << "6"
                                                           << "Demo participant" << bar << "";
    QTest::newRow("vertical result: tries at the bar") << "7"
                                                       << "Demo result" << bar << "^(0|X0|XX0|X|XX|XXX|-|X-|XX-)$";
}

void TestVideoScoreboard::withoutAnAthlete_demonstrationContent()
{
    QFETCH(QString, type);
    QFETCH(QString, event);
    QFETCH(QString, height);
    QFETCH(QString, result);
    Wall w;
    constexpr int Tries = 40;
    for (int i = 0; i < Tries; ++i)
        send(*w.wall, type);
    const QList<QJsonObject> messages = w.decoded();
    QCOMPARE(messages.size(), Tries);
    const auto within = [](const QJsonObject &m, const char *key, int lowest, int highest) {
        bool number = false;
        const int value = m[key].toString().toInt(&number);
        return number && value >= lowest && value <= highest;
    };
    for (const QJsonObject &m : messages) {
        QCOMPARE(m["T"].toInt(), type.toInt());
        QCOMPARE(m["E"].toString(), event);
        QCOMPARE(m["NA"].toString(), QString("Thompson J"));
        QCOMPARE(m["TE"].toString(), QString("Belgium"));
        QVERIFY(within(m, "RK", 1, 20));
        QVERIFY(within(m, "AT", 1, 6));
        QVERIFY(within(m, "B", 1, 999));
        if (!height.isEmpty())
            QVERIFY2(QRegularExpression(height).match(m["H"].toString()).hasMatch(), qPrintable(m["H"].toString()));
        if (!result.isEmpty())
            QVERIFY2(QRegularExpression(result).match(m["RE"].toString()).hasMatch(), qPrintable(m["RE"].toString()));
    }
}

void TestVideoScoreboard::ranking_oneLinePerAthleteInListOrder_data()
{
    QTest::addColumn<QChar>("fieldType");
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<QStringList>("results"); // "RE" of each row: the mark ranked on
    QTest::newRow("horizontal: the best mark, empty without one")
        << QChar('H') << QStringList{"A: 7.12 X 7.45", "B: X 6.90 X", "C: X X X"} << QStringList{"7.45", "6.90", ""};
    QTest::newRow("vertical: the best height, empty without one")
        << QChar('V') << QStringList{"A: 1.80 O, 1.85 XO", "B: 1.80 XO, 1.85 XXX", "C: 1.80 XXX"}
        << QStringList{"1.85", "1.80", ""};
}

void TestVideoScoreboard::ranking_oneLinePerAthleteInListOrder()
{
    QFETCH(QChar, fieldType);
    QFETCH(QStringList, cards);
    QFETCH(QStringList, results);
    Wall w;
    const QList<Participation *> heat = HeatBuilder::heat(cards, fieldType);
    for (int i = 0; i < heat.size(); ++i) {
        heat[i]->current_order = i < 2 ? unsigned(i + 1) : 0;
        // What the screen showed last is not what the row is ranked on.
        heat[i]->shownAttemptNumber = 1;
        heat[i]->shownHeight = 1.80;
    }
    std::unique_ptr<Participation> up = athlete("7.00", 'H');
    w.wall->setCurrentParticipation(up.get());
    w.wall->setEventName("Women's Event");
    w.wall->showRanking(fieldType, heat);
    const QList<QByteArray> lines = w.lines();
    QCOMPARE(lines.size(), 3);
    for (const QByteArray &line : lines) {
        QVERIFY(line.endsWith('\r'));
        QCOMPARE(line.count('\r'), 1);
    }
    const QList<QJsonObject> rows = w.decoded();
    QCOMPARE(rows.size(), 3);
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(rows[i]["T"].toInt(), 8);
        QCOMPARE(rows[i]["E"].toString(), QString("Women's Event"));
        QCOMPARE(rows[i]["NA"].toString(), heat[i]->lastName() + ' ' + heat[i]->firstName().left(1).toUpper());
        QCOMPARE(rows[i]["RK"].toString(), i < 2 ? QString::number(i + 1) : QString());
        QCOMPARE(rows[i]["RE"].toString(), results[i]);
    }
    // The athlete up before is the one the next message is about.
    QCOMPARE(w.wall->currentParticipation(), up.get());
    qDeleteAll(heat);
}

void TestVideoScoreboard::withoutAPort_sendsNothing()
{
    Settings::instance()->setValue("videoscoreboard", "type", 0);
    VideoScoreboard wall;
    QSignalSpy writes(&wall, &PortDevice::writeData);
    QSignalSpy requests(&wall, &VideoScoreboard::outputRequested);
    wall.sendHorizontalParticipant();
    wall.sendVerticalResult();
    wall.clearBoard();
    const QList<Participation *> heat = HeatBuilder::heat({"A: 7.12"}, 'H');
    wall.showRanking('H', heat);
    qDeleteAll(heat);
    QCOMPARE(requests.size(), 4);
    QCOMPARE(writes.size(), 0);
}

void TestVideoScoreboard::decoder_takesOnlyWhatTheProgramSends_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("piece"); // fed in pieces of this many bytes
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<int>("rejected");
    const QByteArray participant = R"({"AT":"3","B":"12","E":"LJ","NA":"Doe J","RK":"","T":4,"TE":"X"})";
    QTest::newRow("two lines in pieces of three")
        << participant + "\r" + R"({"D":0,"L":7,"T":"a"})" + "\r" << 3 << QStringList{"4", "a"} << 0;
    QTest::newRow("a line without its carriage return waits") << participant << 1000 << QStringList{} << 0;
    QTest::newRow("not JSON, then a good line") << "{\"T\":4,\r" + participant + "\r" << 1000 << QStringList{"4"} << 1;
    QTest::newRow("an array") << QByteArray("[4]\r") << 1000 << QStringList{} << 1;
    QTest::newRow("an unknown type") << QByteArray(R"({"T":9})"
                                                   "\r")
                                     << 1000 << QStringList{} << 1;
    QTest::newRow("a key missing") << QByteArray(R"({"AT":"3","B":"12","E":"LJ","NA":"Doe J","T":4,"TE":"X"})"
                                                 "\r")
                                   << 1000 << QStringList{} << 1;
    QTest::newRow("a key too many")
        << QByteArray(R"({"AT":"3","B":"12","E":"LJ","H":"1.80","NA":"Doe J","RK":"","T":4,"TE":"X"})"
                      "\r")
        << 1000 << QStringList{} << 1;
    QTest::newRow("the type as text") << QByteArray(
                                             R"({"AT":"3","B":"12","E":"LJ","NA":"Doe J","RK":"","T":"4","TE":"X"})"
                                             "\r")
                                      << 1000 << QStringList{} << 1;
    QTest::newRow("a rank as a number") << QByteArray(
                                               R"({"AT":"3","B":"12","E":"LJ","NA":"Doe J","RK":1,"T":4,"TE":"X"})"
                                               "\r")
                                        << 1000 << QStringList{} << 1;
    QTest::newRow("keys out of order") << QByteArray(
                                              R"({"B":"12","AT":"3","E":"LJ","NA":"Doe J","RK":"","T":4,"TE":"X"})"
                                              "\r")
                                       << 1000 << QStringList{} << 1;
    QTest::newRow("not compact") << QByteArray(R"({"D": 0,"L":7,"T":"a"})"
                                               "\r")
                                 << 1000 << QStringList{} << 1;
    QTest::newRow("an endless line, then a good one")
        << QByteArray(VideoMessageDecoder::MaximumLine + 10, 'x') + "\r" + participant + "\r" << 4096
        << QStringList{"4"} << 1;
}

void TestVideoScoreboard::decoder_takesOnlyWhatTheProgramSends()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, piece);
    QFETCH(QStringList, types);
    QFETCH(int, rejected);
    VideoMessageDecoder decoder;
    QStringList seen;
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        for (const QJsonObject &message : decoder.feed(bytes.mid(at, piece)))
            seen << VideoMessageDecoder::typeOf(message);
    }
    QCOMPARE(seen, types);
    QCOMPARE(decoder.rejectedCount(), rejected);
}

STADIONIX_TEST_MAIN(TestVideoScoreboard)
#include "tst_videoscoreboard.moc"
