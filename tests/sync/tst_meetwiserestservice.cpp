#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <memory>

#include "fieldevents/fieldeventranking.h"
#include "meetwiselistenerrecorder.h"
#include "records/participant.h"
#include "records/participation.h"
#include "records/result.h"
#include "support/testsupport.h"
#include "sync/meetwisecipher.h"
#include "sync/meetwiserestservice.h"

namespace {

const QString MachineId = QStringLiteral("3d1219c7c4c5404aaa1f6d2a48adfda4"); // key 65

std::unique_ptr<Result> makeResult(unsigned seqno, double value, double wind, double metavalue, const QString &info,
                                   const QTime &time = QTime(14, 31, 5))
{
    auto result = std::make_unique<Result>();
    result->seqno = seqno;
    result->value = value;
    result->wind = wind;
    result->metavalue = metavalue;
    result->type = QStringLiteral("FTB");
    result->setInfo(info);
    result->time_performed = time;
    return result;
}

QVariantList jsonList(const char *json)
{
    return QJsonDocument::fromJson(json).array().toVariantList();
}

// Four events: a long jump with two categories (one without abbreviation), an
// event whose name is too long and whose round has no name and two heats (one
// of them without a time of its own, one without an id), a 100 m whose
// category is "*", and a second long jump final whose composed name repeats
// the first one's.
const char *EventsJson = R"([
 {"id": 11, "name": "Long Jump", "abbreviation": "LJ", "windtime": 5,
  "eventtype": {"id": 4, "fieldtype": "H", "windmode": "I", "athletesquantity": 1, "combinedeventsquantity": 1,
                "distance": 0},
  "eventcategories": [{"name": "Women", "abbreviation": "W"}, {"name": "Women U20", "abbreviation": ""}],
  "rounds": [{"id": 21, "name": "Final", "abbreviation": "F", "session": 2, "scheduled": "2026-06-13 14:00:00",
              "attempts": 6, "startheight": 0, "intervalheight": 0,
              "heats": [{"id": 106, "seqno": 1, "timescheduled": "14:05:00", "status": 1,
                         "numberofparticipants": 13}]}]},
 {"id": 12, "name": "Shot Put for Masters and Veterans of Every Age Group Combined", "abbreviation": "SP Masters",
  "eventtype": {"id": 5, "fieldtype": "H"},
  "eventcategories": [{"name": "Men", "abbreviation": "M"}],
  "rounds": [{"id": 22, "name": "", "session": 1, "scheduled": "2026-06-13 09:30:00", "attempts": 3,
              "heats": [{"id": 107, "seqno": 1, "timescheduled": "09:45:00"},
                        {"id": 108, "seqno": 2, "timescheduled": "00:00:00"},
                        {"id": 0, "seqno": 3, "timescheduled": "10:00:00"}]}]},
 {"id": 13, "name": "100 m",
  "eventcategories": [{"name": "All", "abbreviation": "*"}],
  "rounds": [{"id": 23, "name": "Heats", "session": 3, "scheduled": "2026-06-14 10:00:00",
              "heats": [{"id": 101, "seqno": 1, "timescheduled": "10:00:00"}, {"id": 102, "seqno": 2}]}]},
 {"id": 18, "name": "Long Jump", "eventtype": {"id": 4, "fieldtype": "H"},
  "eventcategories": [{"name": "Women", "abbreviation": "W"}],
  "rounds": [{"id": 24, "name": "Final", "session": 3, "scheduled": "2026-06-14 12:00:00",
              "heats": [{"id": 120, "seqno": 1, "timescheduled": "12:00:00"}]}]}
])";

const char *ResultsJson = R"([
 {"id": 1050, "category": "WU20", "currentorder": 2, "currentorder_combinedevent": 4, "initialorder": 7,
  "outofcompetition_combinedevent": true, "startheight": 1.55, "points": 812, "qualified": true, "abandoned": false,
  "teamname": "", "seqno": 1,
  "athlete": {"id": 78, "firstname": "Iñés", "middlename": "M.", "lastname": "Straßmeier", "birthdate": "2003-12-15",
              "gender": "F", "nationality": "SUI"},
  "competitor": {"id": 78, "bib": "178", "displayname": "Iñés Straßmeier",
                 "club": {"id": 1, "name": "AC Fjellrev Nordvik", "abbreviation": "ACFN"}},
  "results": [
   {"id": 901, "seqno": 1, "bestresult": false, "bestvalidresult": false, "display": "X", "info": "",
    "metavalue": 1.55, "type": "FTB", "value": -1, "wind": 0, "timeperformed": "15:03:40"},
   {"id": 902, "seqno": 2, "bestresult": true, "bestvalidresult": true, "display": "1.55", "info": "",
    "metavalue": 1.55, "type": "FTB", "value": 1, "wind": 0, "timeperformed": "15:09:05"},
   {"id": 903, "seqno": 1, "bestresult": false, "bestvalidresult": false, "display": "X", "info": "JO2",
    "metavalue": 1.64, "type": "FTB", "value": -1, "wind": 0, "timeperformed": "16:40:00"}]},
 {"id": 1051, "category": "M", "initialorder": 3, "teamname": "SC Brückenhof & Tal I",
  "athlete": {"id": 90, "firstname": "Jörn", "lastname": "Ødelund"},
  "competitor": {"bib": "R3", "displayname": "SC Brückenhof & Tal I"},
  "club": {"id": 7, "name": "SC Brückenhof & Tal", "abbreviation": "SCBT"}}
])";

} // namespace

class TestMeetwiseRESTService : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void formBody_fieldsInOrderAndPercentEncoded_data();
    void formBody_fieldsInOrderAndPercentEncoded();
    void whatIsHappening_isCompactJsonWithThreeTexts();
    void sessionId_emptyUserAndNoConfiguredValue_staysEmpty();
    void sessionId_builtOnceWithEncipheredPassword();
    void sessionId_configuredValueIsKept();
    void sessionId_machineIdWithoutDigits_reportsNoKey();
    void heatEvents_filteredAndNamed_data();
    void heatEvents_filteredAndNamed();
    void heatEvents_mapCarriesEveryKey();
    void heatResults_becomeRecordsWithoutStore();
    void heatResults_numbersSentAsText_data();
    void heatResults_numbersSentAsText();
    void trackParticipations_becomeLaneMaps();
    void replyDispatch_byPath_data();
    void replyDispatch_byPath();
    void textLists_ofConfiguration_data();
    void textLists_ofConfiguration();
};

void TestMeetwiseRESTService::formBody_fieldsInOrderAndPercentEncoded_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("update result of the issue: id 31, local 5, attempt 2, 7.5 m, wind 0")
        << MeetwiseRESTService::updateResultBody(31, *makeResult(2, 7.5, 0, 0, QString()), 5)
        << QByteArray("id=31&seqno=2&value=7.5&wind=0&metavalue=0&type=FTB&info=&timeperformed=14%3A31%3A05"
                      "&unique=5&format=json");
    QTest::newRow("live new result carries info twice")
        << MeetwiseRESTService::newResultBody(1050, *makeResult(1, 6.05, -0.3, 0, QStringLiteral("Q")), 9, true)
        << QByteArray("participation=1050&seqno=1&value=6.05&wind=-0.3&metavalue=0&type=FTB&info=Q"
                      "&timeperformed=14%3A31%3A05&info=Q&unique=9&format=json");
    QTest::newRow("new result from the queue carries info once")
        << MeetwiseRESTService::newResultBody(1050, *makeResult(1, 6.05, -0.3, 0, QStringLiteral("Q")), 9, false)
        << QByteArray("participation=1050&seqno=1&value=6.05&wind=-0.3&metavalue=0&type=FTB&info=Q"
                      "&timeperformed=14%3A31%3A05&unique=9&format=json");
    QTest::newRow("ampersand and equals in info cannot add or end fields")
        << MeetwiseRESTService::newResultBody(12, *makeResult(3, -4, 0, 0, QStringLiteral("R-17 push & pull=DQ")), 6,
                                              true)
        << QByteArray("participation=12&seqno=3&value=-4&wind=0&metavalue=0&type=FTB&info=R-17%20push%20%26%20pull%3DDQ"
                      "&timeperformed=14%3A31%3A05&info=R-17%20push%20%26%20pull%3DDQ&unique=6&format=json");
    QTest::newRow("accents and plus sign are encoded as UTF-8")
        << MeetwiseRESTService::updateResultBody(8, *makeResult(1, 2.1, 0, 2.1, QStringLiteral("Übertritt+1")), 2)
        << QByteArray("id=8&seqno=1&value=2.1&wind=0&metavalue=2.1&type=FTB&info=%C3%9Cbertritt%2B1"
                      "&timeperformed=14%3A31%3A05&unique=2&format=json");
    QTest::newRow("large and small numbers never use an exponent")
        << MeetwiseRESTService::updateResultBody(9, *makeResult(1, 1000000, 0.0001, 3725.12, QString()), 3)
        << QByteArray("id=9&seqno=1&value=1000000&wind=0.0001&metavalue=3725.12&type=FTB&info="
                      "&timeperformed=14%3A31%3A05&unique=3&format=json");
    QTest::newRow("participation order") << MeetwiseRESTService::participationOrderBody(4, 3, 77)
                                         << QByteArray("id=4&initialorder=3&unique=77&format=json");
    QTest::newRow("start height") << MeetwiseRESTService::participationStartHeightBody(4, 1.55, 77)
                                  << QByteArray("id=4&startheight=1.55&unique=77&format=json");
    QTest::newRow("out of competition and abandoned")
        << MeetwiseRESTService::participationStatusBody(4, true, false, 77)
        << QByteArray("id=4&outofcompetition_combinedevent=1&abandoned=0&unique=77&format=json");
    QTest::newRow("delete result") << MeetwiseRESTService::deleteResultBody(31, 5)
                                   << QByteArray("id=31&unique=5&format=json");
}

void TestMeetwiseRESTService::formBody_fieldsInOrderAndPercentEncoded()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, expected);
    QCOMPARE(body, expected);
}

void TestMeetwiseRESTService::whatIsHappening_isCompactJsonWithThreeTexts()
{
    const QByteArray body =
        MeetwiseRESTService::whatIsHappeningBody(QStringLiteral("field participation update"), "1050;16;14;25;106");
    QVERIFY(!body.contains('\n'));
    QVERIFY(!body.contains(": "));
    const QJsonObject object = QJsonDocument::fromJson(body).object();
    QCOMPARE(object.size(), 3);
    QCOMPARE(object.value("type").toString(), QStringLiteral("field participation update"));
    QCOMPARE(object.value("data").toString(), QStringLiteral("1050;16;14;25;106"));
    QCOMPARE(object.value("format").toString(), QStringLiteral("json"));
}

void TestMeetwiseRESTService::sessionId_emptyUserAndNoConfiguredValue_staysEmpty()
{
    MeetwiseRESTService service;
    service.setMachineId(MachineId);
    service.setHost(QStringLiteral("10.0.0.5"));
    service.setPassword(QStringLiteral("secret"));
    QCOMPARE(service.sessionId(), QString());
}

void TestMeetwiseRESTService::sessionId_builtOnceWithEncipheredPassword()
{
    MeetwiseRESTService service;
    service.setMachineId(MachineId);
    service.setHost(QStringLiteral("10.0.0.5"));
    service.setUser(QStringLiteral("official"));
    service.setPassword(QStringLiteral("lap&time=42"));

    const QString id = service.sessionId();
    const QStringList parts = id.split(QLatin1Char(':'));
    QCOMPARE(parts.size(), 6);
    QCOMPARE(parts.at(0), QStringLiteral("SID"));
    QCOMPARE(parts.at(1), QStringLiteral("MW"));
    QCOMPARE(parts.at(2), QStringLiteral("10.0.0.5"));
    QCOMPARE(parts.at(3), QStringLiteral("official"));
    QCOMPARE(MeetwiseCipher::decipher(parts.at(4), 65), QStringLiteral("lap&time=42"));
    QCOMPARE(parts.at(5), MachineId);
    // Kept: the random byte would otherwise change it with every request.
    QCOMPARE(service.sessionId(), id);

    service.setPassword(QStringLiteral("other"));
    const QString rebuilt = service.sessionId();
    QCOMPARE(MeetwiseCipher::decipher(rebuilt.split(QLatin1Char(':')).at(4), 65), QStringLiteral("other"));
}

void TestMeetwiseRESTService::sessionId_configuredValueIsKept()
{
    MeetwiseRESTService service;
    service.setMachineId(MachineId);
    service.setSessionId(QStringLiteral("SID:MW:10.0.0.5:official:abc:xyz"));
    service.setUser(QStringLiteral("someone"));
    service.setHost(QStringLiteral("10.0.0.6"));
    QCOMPARE(service.sessionId(), QStringLiteral("SID:MW:10.0.0.5:official:abc:xyz"));
}

void TestMeetwiseRESTService::sessionId_machineIdWithoutDigits_reportsNoKey()
{
    MeetwiseRESTService service;
    service.setMachineId(QStringLiteral("abcdef"));
    service.setHost(QStringLiteral("h"));
    service.setUser(QStringLiteral("u"));
    service.setPassword(QStringLiteral("p"));
    QTest::ignoreMessage(QtWarningMsg, "No key set.");
    QCOMPARE(service.sessionId(), QStringLiteral("SID:MW:h:u::abcdef"));
}

void TestMeetwiseRESTService::heatEvents_filteredAndNamed_data()
{
    QTest::addColumn<QList<unsigned>>("sessions");
    QTest::addColumn<QList<QDate>>("dates");
    QTest::addColumn<QList<unsigned>>("ids");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("displayNames");
    QTest::addColumn<QStringList>("times");

    const QDate saturday(2026, 6, 13);
    const QDate sunday(2026, 6, 14);
    QTest::newRow("no selection: every heat with an id, second equal name gets its id")
        << QList<unsigned>() << QList<QDate>() << QList<unsigned>{106, 107, 108, 101, 102, 120}
        << QStringList{"Long Jump Final", "SP Masters M-1", "SP Masters M-2",
                       "100 m-1",         "100 m-2",        "Long Jump Final.120"}
        << QStringList{"Long Jump Final-W,Women U20", "SP Masters M-1", "SP Masters M-2", "100 m-1-*", "100 m-2-*",
                       "Long Jump Final.120-W"}
        << QStringList{"20260613 140500", "20260613 094500", "20260613 093000",
                       "20260614 100000", "20260614 100000", "20260614 120000"};
    QTest::newRow("session not selected yields nothing of its rounds")
        << QList<unsigned>{2} << QList<QDate>() << QList<unsigned>{106} << QStringList{"Long Jump Final"}
        << QStringList{"Long Jump Final-W,Women U20"} << QStringList{"20260613 140500"};
    QTest::newRow("equal names are told apart only within one reply")
        << QList<unsigned>{3} << QList<QDate>() << QList<unsigned>{101, 102, 120}
        << QStringList{"100 m-1", "100 m-2", "Long Jump Final"}
        << QStringList{"100 m-1-*", "100 m-2-*", "Long Jump Final-W"}
        << QStringList{"20260614 100000", "20260614 100000", "20260614 120000"};
    QTest::newRow("day selected") << QList<unsigned>() << QList<QDate>{sunday} << QList<unsigned>{101, 102, 120}
                                  << QStringList{"100 m-1", "100 m-2", "Long Jump Final"}
                                  << QStringList{"100 m-1-*", "100 m-2-*", "Long Jump Final-W"}
                                  << QStringList{"20260614 100000", "20260614 100000", "20260614 120000"};
    QTest::newRow("session and day must both match") << QList<unsigned>{1} << QList<QDate>{sunday} << QList<unsigned>()
                                                     << QStringList() << QStringList() << QStringList();
    QTest::newRow("several sessions and days")
        << QList<unsigned>{1, 3} << QList<QDate>{saturday, sunday} << QList<unsigned>{107, 108, 101, 102, 120}
        << QStringList{"SP Masters M-1", "SP Masters M-2", "100 m-1", "100 m-2", "Long Jump Final"}
        << QStringList{"SP Masters M-1", "SP Masters M-2", "100 m-1-*", "100 m-2-*", "Long Jump Final-W"}
        << QStringList{"20260613 094500", "20260613 093000", "20260614 100000", "20260614 100000", "20260614 120000"};
}

void TestMeetwiseRESTService::heatEvents_filteredAndNamed()
{
    QFETCH(QList<unsigned>, sessions);
    QFETCH(QList<QDate>, dates);
    QFETCH(QList<unsigned>, ids);
    QFETCH(QStringList, names);
    QFETCH(QStringList, displayNames);
    QFETCH(QStringList, times);

    const QList<QVariantMap> heats = MeetwiseRESTService::parseHeatEvents(jsonList(EventsJson), sessions, dates);
    QList<unsigned> gotIds;
    QStringList gotNames;
    QStringList gotDisplayNames;
    QStringList gotTimes;
    for (const QVariantMap &heat : heats) {
        gotIds.append(heat.value("id").toUInt());
        gotNames.append(heat.value("name").toString());
        gotDisplayNames.append(heat.value("displayname").toString());
        gotTimes.append(heat.value("time").toString());
    }
    QCOMPARE(gotIds, ids);
    QCOMPARE(gotNames, names);
    QCOMPARE(gotDisplayNames, displayNames);
    QCOMPARE(gotTimes, times);
}

void TestMeetwiseRESTService::heatEvents_mapCarriesEveryKey()
{
    const QList<QVariantMap> heats = MeetwiseRESTService::parseHeatEvents(jsonList(EventsJson), {}, {});
    const QVariantMap longJump = heats.at(0);
    const QVariantMap expected{{"eventID", 11u},
                               {"eventName", "Long Jump"},
                               {"roundID", 21u},
                               {"roundName", "Final"},
                               {"eventTypeID", 4},
                               {"athletesQuantity", 1},
                               {"combinedEventsQuantity", 1},
                               {"distance", 0},
                               {"fieldType", "H"},
                               {"windMode", "I"},
                               {"numberOfAttempts", 6},
                               {"startHeight", 0.0},
                               {"intervalHeight", 0.0},
                               {"seqno", 1u},
                               {"id", 106u},
                               {"name", "Long Jump Final"},
                               {"displayname", "Long Jump Final-W,Women U20"},
                               {"time", "20260613 140500"},
                               {"windspeed", 5},
                               {"status", 1u},
                               {"numberOfParticipants", 13},
                               {"participantsCached", 0}};
    QCOMPARE(longJump.keys(), expected.keys());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QVERIFY2(longJump.value(it.key()) == it.value(), qPrintable(it.key()));

    // Without event type and counts: -1 and 0.
    const QVariantMap hundred = heats.at(3);
    QCOMPARE(hundred.value("eventTypeID").toInt(), -1);
    QCOMPARE(hundred.value("numberOfParticipants").toInt(), 0);
    QCOMPARE(hundred.value("status").toUInt(), 0u);
}

void TestMeetwiseRESTService::heatResults_becomeRecordsWithoutStore()
{
    const QList<Participation *> list = MeetwiseRESTService::parseHeatResults(jsonList(ResultsJson), 110);
    QCOMPARE(list.size(), 2);
    Participation *p = list.at(0);
    QCOMPARE(p->store, nullptr);
    QCOMPARE(p->participation_id, 1050u);
    QCOMPARE(p->id, 0u);
    QCOMPARE(p->heat_id, 110u);
    QCOMPARE(p->category, QStringLiteral("WU20"));
    QCOMPARE(p->current_order, 2u);
    QCOMPARE(p->current_order_combined_event, 4u);
    QCOMPARE(p->initial_order, 7u);
    QCOMPARE(p->initial_order_loaded, 7u);
    QCOMPARE(p->working_order, 7u);
    QCOMPARE(p->out_of_competition_combined_event, true);
    QCOMPARE(p->startheight, 1.55);
    QCOMPARE(p->points, 812u);
    QCOMPARE(p->qualified, true);
    QCOMPARE(p->abandon, false);
    QCOMPARE(p->in_jumpoff, true);
    QCOMPARE(p->participants().size(), 1);
    const Participant *person = p->participants().first();
    QCOMPARE(person->athlete()->firstname, QStringLiteral("Iñés"));
    QCOMPARE(person->athlete()->middlename, QStringLiteral("M."));
    QCOMPARE(person->athlete()->lastname, QStringLiteral("Straßmeier"));
    QCOMPARE(person->athlete()->birthdate, QDate(2003, 12, 15));
    QCOMPARE(person->athlete()->gender, QStringLiteral("F"));
    QCOMPARE(person->athlete()->nationality, QStringLiteral("SUI"));
    QCOMPARE(p->bib(), QStringLiteral("178"));
    QCOMPARE(p->displayName(), QStringLiteral("Iñés Straßmeier"));
    // The club inside the competitor counts when none stands beside it.
    QCOMPARE(p->clubName(), QStringLiteral("AC Fjellrev Nordvik"));
    QCOMPARE(p->clubAbbreviation(), QStringLiteral("ACFN"));

    QCOMPARE(p->results().size(), 3);
    const Result *cleared = p->results().at(1);
    QCOMPARE(cleared->participation, p);
    QCOMPARE(cleared->store, nullptr);
    QCOMPARE(cleared->isNew, false);
    QCOMPARE(cleared->result_id, 902u);
    QCOMPARE(cleared->id, 0u);
    QCOMPARE(cleared->seqno, 2u);
    QCOMPARE(cleared->best_result, true);
    QCOMPARE(cleared->best_valid_result, true);
    QCOMPARE(cleared->display, QStringLiteral("1.55"));
    QCOMPARE(cleared->metavalue, 1.55);
    QCOMPARE(cleared->value, 1.0);
    QCOMPARE(cleared->type, QStringLiteral("FTB"));
    QCOMPARE(cleared->time_performed, QTime(15, 9, 5));
    const Result *jumpOff = p->results().at(2);
    QVERIFY(jumpOff->isJumpOff());
    QCOMPARE(jumpOff->jumpOffNumber(), 2u);

    Participation *team = list.at(1);
    QCOMPARE(team->teamname, QStringLiteral("SC Brückenhof & Tal I"));
    QCOMPARE(team->displayName(), QStringLiteral("SC Brückenhof & Tal I"));
    QCOMPARE(team->clubName(), QStringLiteral("SC Brückenhof & Tal"));
    QCOMPARE(team->bib(), QStringLiteral("R3"));
    QCOMPARE(team->participants().first()->athlete()->birthdate, QDate(2020, 1, 1));
    QCOMPARE(team->results().size(), 0);
    QCOMPARE(team->in_jumpoff, false);
    qDeleteAll(list);
}

void TestMeetwiseRESTService::heatResults_numbersSentAsText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("a number as text is read") << QByteArray(R"("1.85")") << 1.85;
    // No height or mark can be these: a height that is not a number never
    // equals itself, and the ranking of a vertical heat would never end.
    QTest::newRow("not a number counts as none") << QByteArray(R"("nan")") << 0.0;
    QTest::newRow("infinity counts as none") << QByteArray(R"("inf")") << 0.0;
    QTest::newRow("negative infinity counts as none") << QByteArray(R"("-inf")") << 0.0;
}

void TestMeetwiseRESTService::heatResults_numbersSentAsText()
{
    QFETCH(QByteArray, text);
    QFETCH(double, expected);
    const QByteArray json = R"([{"id": 5, "startheight": X, "results": [)"
                            R"({"id": 9, "seqno": 1, "value": 1, "metavalue": X, "wind": X}]},)"
                            R"({"id": 6, "results": [{"id": 10, "seqno": 1, "value": 1, "metavalue": 1.8}]}])";
    const QList<Participation *> heat =
        MeetwiseRESTService::parseHeatResults(jsonList(QByteArray(json).replace("X", text).constData()), 110);
    QCOMPARE(heat.size(), 2);
    QCOMPARE(heat.at(0)->startheight, expected);
    const Result *result = heat.at(0)->results().first();
    QCOMPARE(result->metavalue, expected);
    QCOMPARE(result->wind, expected);
    for (Participation *p : heat)
        p->field_type = QLatin1Char('V');
    FieldEventRanking::rankHeat(heat, QLatin1Char('V'));
    QCOMPARE(heat.at(0)->current_order, expected > 1.8 ? 1u : 2u);
    QCOMPARE(heat.at(1)->current_order, expected > 1.8 ? 2u : 1u);
    qDeleteAll(heat);
}

void TestMeetwiseRESTService::trackParticipations_becomeLaneMaps()
{
    const QVariantList input = jsonList(R"([
      {"id": 1070, "initialorder": 4, "category": "W", "transponder": "T3005", "teamname": "",
       "competitor": {"bib": "105", "displayname": "Zoë Ærøvik", "club": {"name": "IF Ørnekløft", "abbreviation": "IFØ"},
                      "team": {"name": "", "abbreviation": ""}}},
      {"id": 1071, "initialorder": 5, "category": "M", "teamname": "KS Łąkowa Strzała I",
       "competitor": {"bib": "R5", "displayname": "KS Łąkowa Strzała I", "club": {"name": "KS Łąkowa Strzała"},
                      "team": {"name": "KS Łąkowa Strzała I", "abbreviation": "KSŁS"}}}])");
    const QList<QVariantMap> lanes = MeetwiseRESTService::parseTrackParticipations(input);
    QCOMPARE(lanes.size(), 2);
    const QVariantMap expectedAthlete{{"id", 1070u},   {"name", "Zoë Ærøvik"}, {"displayname", "Zoë Ærøvik"},
                                      {"lane", 4u},    {"bib", "105"},         {"transponder", "T3005"},
                                      {"extra1", "W"}, {"extra2", "IFØ"},      {"extra3", ""}};
    QCOMPARE(lanes.at(0), expectedAthlete);
    QCOMPARE(lanes.at(1).value("name").toString(), QStringLiteral("KS Łąkowa Strzała I"));
    QCOMPARE(lanes.at(1).value("lane").toUInt(), 5u);
    QCOMPARE(lanes.at(1).value("extra2").toString(), QStringLiteral("KS Łąkowa Strzała"));
    QCOMPARE(lanes.at(1).value("extra3").toString(), QStringLiteral("KS Łąkowa Strzała I"));
}

void TestMeetwiseRESTService::replyDispatch_byPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("call");
    QTest::addColumn<unsigned>("id");
    QTest::addColumn<QVariantMap>("firstMap");

    const QVariantMap none;
    QTest::newRow("competitions") << "/competitions"
                                  << QByteArray(R"([{"competitions":[{"id":1,"name":"Open"},{"id":2,"name":"B"}]}])")
                                  << "competitionsReceived" << 0u << QVariantMap{{"id", 1}, {"name", "Open"}};
    QTest::newRow("disqualification rules keep id, type, language, rule")
        << "/disqualificationrules"
        << QByteArray(R"([{"disqualificationrules":[{"id":3,"type":2,"language":"de","rule":"R-21 Wechsel","x":1}]}])")
        << "disqualificationRulesReceived" << 0u
        << QVariantMap{{"id", 3u}, {"type", 2u}, {"language", "de"}, {"rule", "R-21 Wechsel"}};
    QTest::newRow("events: last segment is the competition")
        << "/events/7" << QByteArray(R"([{"events":[]}])") << "eventsReceived" << 7u << none;
    QTest::newRow("participations: last segment is the heat")
        << "/participations/105" << QByteArray(R"([{"participations":[]}])") << "participationsReceived" << 105u
        << none;
    QTest::newRow("results: last segment is the heat")
        << "/results/106" << QByteArray(R"([{"participations":[{"id":5}]}])") << "heatResultsReceived" << 106u << none;
    QTest::newRow("participation updated")
        << "/update_participation"
        << QByteArray(R"([{"participation":{"id":1050,"unique":3,"initialorder":9,"currentorder":2}}])")
        << "participationUpdated" << 0u
        << QVariantMap{{"id", 1050}, {"unique", 3}, {"initialorder", 9}, {"currentorder", 2}};
    QTest::newRow("result inserted") << "/new_result"
                                     << QByteArray(R"([{"result":{"id":16,"participation":1050,"unique":7}}])")
                                     << "resultInserted" << 0u
                                     << QVariantMap{{"id", 16}, {"participation", 1050}, {"unique", 7}};
    QTest::newRow("result updated") << "/update_result" << QByteArray(R"([{"result":{"id":16,"unique":7}}])")
                                    << "resultUpdated" << 0u << QVariantMap{{"id", 16}, {"unique", 7}};
    QTest::newRow("result deleted") << "/delete_result" << QByteArray(R"([{"result":{"id":16,"unique":7}}])")
                                    << "resultDeleted" << 0u << QVariantMap{{"id", 16}, {"unique", 7}};
    QTest::newRow("what is happening has no listener operation")
        << "/new_whatishappening" << QByteArray(R"([{"whatishappening":{"id":1}}])") << QString() << 0u << none;
    QTest::newRow("not JSON") << "/new_result" << QByteArray("<html>busy</html>") << QString() << 0u << none;
    QTest::newRow("empty array") << "/new_result" << QByteArray("[]") << QString() << 0u << none;
    QTest::newRow("object instead of array")
        << "/new_result" << QByteArray(R"({"result":{"id":1}})") << QString() << 0u << none;
    QTest::newRow("unknown path") << "/whatever/12" << QByteArray(R"([{"x":1}])") << QString() << 0u << none;
}

void TestMeetwiseRESTService::replyDispatch_byPath()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    QFETCH(QString, call);
    QFETCH(unsigned, id);
    QFETCH(QVariantMap, firstMap);

    MeetwiseRESTService service;
    MeetwiseListenerRecorder listener;
    service.setListener(&listener);
    service.processReplyBody(path, body);
    QCOMPARE(listener.calls, call.isEmpty() ? QStringList() : QStringList{call});
    QCOMPARE(listener.id, id);
    if (!firstMap.isEmpty()) {
        QVERIFY(!listener.maps.isEmpty());
        QCOMPARE(QJsonObject::fromVariantMap(listener.maps.first()), QJsonObject::fromVariantMap(firstMap));
    }
    if (call == QLatin1String("heatResultsReceived"))
        QCOMPARE(listener.participations.size(), 1);
}

void TestMeetwiseRESTService::textLists_ofConfiguration_data()
{
    QTest::addColumn<QString>("sessions");
    QTest::addColumn<QString>("dates");
    QTest::addColumn<QList<unsigned>>("sessionIds");
    QTest::addColumn<QList<QDate>>("days");
    QTest::newRow("empty") << ""
                           << "" << QList<unsigned>() << QList<QDate>();
    QTest::newRow("several") << "1,3"
                             << "20260613,20260614" << QList<unsigned>{1, 3}
                             << QList<QDate>{QDate(2026, 6, 13), QDate(2026, 6, 14)};
    QTest::newRow("rubbish entries are left out")
        << "2,x,,4"
        << "2026-06-13,20260614" << QList<unsigned>{2, 4} << QList<QDate>{QDate(2026, 6, 14)};
}

void TestMeetwiseRESTService::textLists_ofConfiguration()
{
    QFETCH(QString, sessions);
    QFETCH(QString, dates);
    QFETCH(QList<unsigned>, sessionIds);
    QFETCH(QList<QDate>, days);
    QCOMPARE(MeetwiseRESTService::sessionsFromText(sessions), sessionIds);
    QCOMPARE(MeetwiseRESTService::datesFromText(dates), days);
}

STADIONIX_TEST_MAIN(TestMeetwiseRESTService)
#include "tst_meetwiserestservice.moc"
