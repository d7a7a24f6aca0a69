#include "tools/meetwise-standin/standincompetition.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <functional>

#include "records/resultformatter.h"

namespace {

const QString Competitions = QStringLiteral("competitions");
const QString Events = QStringLiteral("events");
const QString Rounds = QStringLiteral("rounds");
const QString Heats = QStringLiteral("heats");
const QString Participations = QStringLiteral("participations");

// Calls visit for every heat of every event of every competition and puts
// the heat it returns in its place.
QJsonObject mapHeats(const QJsonObject &root,
                     const std::function<QJsonObject(const QJsonObject &heat, const QJsonObject &event)> &visit)
{
    QJsonObject copy = root;
    QJsonArray competitions = root.value(Competitions).toArray();
    for (qsizetype c = 0; c < competitions.size(); ++c) {
        QJsonObject competition = competitions.at(c).toObject();
        QJsonArray events = competition.value(Events).toArray();
        for (qsizetype e = 0; e < events.size(); ++e) {
            QJsonObject event = events.at(e).toObject();
            QJsonArray rounds = event.value(Rounds).toArray();
            for (qsizetype r = 0; r < rounds.size(); ++r) {
                QJsonObject round = rounds.at(r).toObject();
                QJsonArray heats = round.value(Heats).toArray();
                for (qsizetype h = 0; h < heats.size(); ++h)
                    heats[h] = visit(heats.at(h).toObject(), event);
                round.insert(Heats, heats);
                rounds[r] = round;
            }
            event.insert(Rounds, rounds);
            events[e] = event;
        }
        competition.insert(Events, events);
        competitions[c] = competition;
    }
    copy.insert(Competitions, copy.contains(Competitions) ? QJsonValue(competitions) : QJsonValue(QJsonArray()));
    return copy;
}

unsigned idOf(const QJsonValue &value)
{
    return static_cast<unsigned>(value.toDouble());
}

bool flagOf(const QString &text)
{
    return text == QLatin1String("1") || text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString uniqueKey(const QString &client, unsigned participation, unsigned unique)
{
    return QStringLiteral("%1/%2/%3").arg(client).arg(participation).arg(unique);
}

} // namespace

StandinCompetition::Reply StandinCompetition::error(int status, const QString &text)
{
    Reply reply;
    reply.status = status;
    reply.body.append(QJsonObject{{QStringLiteral("error"), text}});
    return reply;
}

QString StandinCompetition::value(const StandinFields &fields, const QString &name)
{
    for (const auto &field : fields) {
        if (field.first == name)
            return field.second;
    }
    return QString();
}

QString StandinCompetition::lastValue(const StandinFields &fields, const QString &name)
{
    for (auto it = fields.crbegin(); it != fields.crend(); ++it) {
        if (it->first == name)
            return it->second;
    }
    return QString();
}

bool StandinCompetition::has(const StandinFields &fields, const QString &name)
{
    return std::any_of(fields.cbegin(), fields.cend(), [&name](const auto &field) { return field.first == name; });
}

bool StandinCompetition::loadFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isObject()) {
        if (error)
            *error = QStringLiteral("%1 is no competition file: %2").arg(path, parseError.errorString());
        return false;
    }
    return load(document.object(), error);
}

bool StandinCompetition::load(const QJsonObject &root, QString *error)
{
    QMap<unsigned, StoredParticipation> participations;
    QHash<unsigned, QList<unsigned>> heatParticipations;
    QHash<unsigned, QChar> heatFieldTypes;
    QHash<unsigned, unsigned> resultParticipation;
    unsigned highestResultId = 0;
    QString problem;

    const QJsonObject stripped = mapHeats(root, [&](const QJsonObject &heat, const QJsonObject &event) {
        const unsigned heatId = idOf(heat.value(QStringLiteral("id")));
        const QString fieldType =
            event.value(QStringLiteral("eventtype")).toObject().value(QStringLiteral("fieldtype")).toString();
        heatFieldTypes.insert(heatId, fieldType.isEmpty() ? QChar() : fieldType.at(0));
        heatParticipations[heatId];
        for (const QJsonValue &value : heat.value(Participations).toArray()) {
            QJsonObject data = value.toObject();
            StoredParticipation participation;
            participation.id = idOf(data.value(QStringLiteral("id")));
            participation.heat = heatId;
            if (participation.id == 0 || participations.contains(participation.id)) {
                problem = QStringLiteral("participation id %1 missing or used twice").arg(participation.id);
                continue;
            }
            for (const QJsonValue &resultValue : data.value(QStringLiteral("results")).toArray()) {
                const QJsonObject r = resultValue.toObject();
                StoredResult result;
                result.id = idOf(r.value(QStringLiteral("id")));
                if (result.id == 0 || resultParticipation.contains(result.id)) {
                    problem = QStringLiteral("result id %1 missing or used twice").arg(result.id);
                    continue;
                }
                result.seqno = idOf(r.value(QStringLiteral("seqno")));
                result.value = r.value(QStringLiteral("value")).toDouble();
                result.wind = r.value(QStringLiteral("wind")).toDouble();
                result.metavalue = r.value(QStringLiteral("metavalue")).toDouble();
                result.type = r.value(QStringLiteral("type")).toString(QStringLiteral("FTB"));
                result.info = r.value(QStringLiteral("info")).toString();
                result.timeperformed = r.value(QStringLiteral("timeperformed")).toString();
                result.unique = idOf(r.value(QStringLiteral("unique")));
                result.client = r.value(QStringLiteral("client")).toString();
                resultParticipation.insert(result.id, participation.id);
                highestResultId = std::max(highestResultId, result.id);
                participation.results.append(result);
            }
            data.remove(QStringLiteral("results"));
            participation.data = data;
            participations.insert(participation.id, participation);
            heatParticipations[heatId].append(participation.id);
        }
        QJsonObject copy = heat;
        copy.remove(Participations);
        return copy;
    });
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }

    m_root = stripped;
    m_participations = participations;
    m_heatParticipations = heatParticipations;
    m_heatFieldTypes = heatFieldTypes;
    m_resultParticipation = resultParticipation;
    m_athletes.clear();
    for (const QJsonValue &value : root.value(QStringLiteral("athletes")).toArray())
        m_athletes.insert(value.toObject().value(QStringLiteral("id")).toInt(), value.toObject());
    m_clubs.clear();
    for (const QJsonValue &value : root.value(QStringLiteral("clubs")).toArray())
        m_clubs.insert(value.toObject().value(QStringLiteral("id")).toInt(), value.toObject());
    m_deletedResults.clear();
    for (const QJsonValue &value : root.value(QStringLiteral("deletedresults")).toArray())
        m_deletedResults.insert(idOf(value));
    m_uniqueResults.clear();
    for (const QJsonValue &value : root.value(QStringLiteral("uniques")).toArray()) {
        const QJsonObject entry = value.toObject();
        m_uniqueResults.insert(entry.value(QStringLiteral("key")).toString(),
                               idOf(entry.value(QStringLiteral("result"))));
    }
    for (const StoredParticipation &participation : std::as_const(m_participations)) {
        for (const StoredResult &result : participation.results) {
            if (result.unique != 0)
                m_uniqueResults.insert(uniqueKey(result.client, participation.id, result.unique), result.id);
        }
    }
    for (unsigned id : std::as_const(m_deletedResults))
        highestResultId = std::max(highestResultId, id);
    m_nextResultId = std::max(highestResultId + 1, idOf(root.value(QStringLiteral("nextresultid"))));
    m_whatIsHappening = root.value(QStringLiteral("whatishappening")).toArray();
    for (const char *key : {"deletedresults", "uniques", "nextresultid", "whatishappening"})
        m_root.remove(QLatin1String(key));
    return true;
}

QJsonObject StandinCompetition::toJson() const
{
    QJsonObject root = mapHeats(m_root, [this](const QJsonObject &heat, const QJsonObject &) {
        QJsonObject copy = heat;
        QJsonArray list;
        for (unsigned id : m_heatParticipations.value(idOf(heat.value(QStringLiteral("id"))))) {
            const StoredParticipation &participation = m_participations[id];
            QJsonObject data = participation.data;
            QJsonArray results;
            for (const StoredResult &result : participation.results) {
                QJsonObject r{{QStringLiteral("id"), double(result.id)},
                              {QStringLiteral("seqno"), double(result.seqno)},
                              {QStringLiteral("value"), result.value},
                              {QStringLiteral("wind"), result.wind},
                              {QStringLiteral("metavalue"), result.metavalue},
                              {QStringLiteral("type"), result.type},
                              {QStringLiteral("info"), result.info},
                              {QStringLiteral("timeperformed"), result.timeperformed}};
                if (result.unique != 0) {
                    r.insert(QStringLiteral("unique"), double(result.unique));
                    r.insert(QStringLiteral("client"), result.client);
                }
                results.append(r);
            }
            if (!results.isEmpty())
                data.insert(QStringLiteral("results"), results);
            list.append(data);
        }
        copy.insert(Participations, list);
        return copy;
    });
    QList<unsigned> deleted(m_deletedResults.cbegin(), m_deletedResults.cend());
    std::sort(deleted.begin(), deleted.end());
    QJsonArray deletedArray;
    for (unsigned id : deleted)
        deletedArray.append(double(id));
    QStringList keys = m_uniqueResults.keys();
    keys.sort();
    QJsonArray uniques;
    for (const QString &key : keys)
        uniques.append(
            QJsonObject{{QStringLiteral("key"), key}, {QStringLiteral("result"), double(m_uniqueResults[key])}});
    root.insert(QStringLiteral("nextresultid"), double(m_nextResultId));
    root.insert(QStringLiteral("deletedresults"), deletedArray);
    root.insert(QStringLiteral("uniques"), uniques);
    root.insert(QStringLiteral("whatishappening"), m_whatIsHappening);
    return root;
}

bool StandinCompetition::saveFile(const QString &path, QString *error) const
{
    // Written beside and renamed, so a crash never leaves half a state.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    file.write(QJsonDocument(toJson()).toJson(QJsonDocument::Indented));
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QJsonObject StandinCompetition::athlete(int id) const
{
    return m_athletes.value(id);
}

QJsonObject StandinCompetition::club(int id) const
{
    const QJsonObject c = m_clubs.value(id);
    return {{QStringLiteral("id"), c.value(QStringLiteral("id"))},
            {QStringLiteral("name"), c.value(QStringLiteral("name")).toString()},
            {QStringLiteral("abbreviation"), c.value(QStringLiteral("abbreviation")).toString()}};
}

QChar StandinCompetition::fieldType(unsigned heatId) const
{
    return m_heatFieldTypes.value(heatId);
}

const StandinCompetition::StoredParticipation *StandinCompetition::participation(unsigned id) const
{
    const auto it = m_participations.constFind(id);
    return it == m_participations.cend() ? nullptr : &it.value();
}

int StandinCompetition::resultCount() const
{
    int count = 0;
    for (const StoredParticipation &participation : m_participations)
        count += participation.results.size();
    return count;
}

int StandinCompetition::bestResultIndex(const StoredParticipation &participation) const
{
    const QChar type = fieldType(participation.heat);
    int best = -1;
    for (int i = 0; i < participation.results.size(); ++i) {
        const StoredResult &r = participation.results.at(i);
        if (r.value <= 0)
            continue;
        if (best < 0) {
            best = i;
            continue;
        }
        const StoredResult &b = participation.results.at(best);
        if ((type == QLatin1Char('H') && r.value > b.value) ||
            (type == QLatin1Char('V') && r.metavalue > b.metavalue) || (type.isNull() && r.value < b.value))
            best = i;
    }
    return best;
}

// A plain rank by best mark (equal marks share it); the real server's
// tie-breaks are the program's business, not the stand-in's.
unsigned StandinCompetition::rank(const StoredParticipation &participation) const
{
    const QChar type = fieldType(participation.heat);
    auto mark = [this, type](const StoredParticipation &p) {
        const int best = bestResultIndex(p);
        if (best < 0)
            return 0.0;
        return type == QLatin1Char('V') ? p.results.at(best).metavalue : p.results.at(best).value;
    };
    const double own = mark(participation);
    if (own <= 0)
        return 0;
    unsigned better = 0;
    for (unsigned id : m_heatParticipations.value(participation.heat)) {
        const double other = mark(m_participations[id]);
        if (other > 0 && (type.isNull() ? other < own : other > own))
            ++better;
    }
    return better + 1;
}

QJsonObject StandinCompetition::resultReply(const StoredResult &result, QChar type, bool best) const
{
    const QString display = type.isNull() ? ResultFormatter::trackResult(result.value, result.type)
                                          : ResultFormatter::fieldResult(result.value, result.metavalue, type);
    return {{QStringLiteral("id"), double(result.id)},
            {QStringLiteral("seqno"), double(result.seqno)},
            {QStringLiteral("bestresult"), best},
            {QStringLiteral("bestvalidresult"), best},
            {QStringLiteral("display"), display},
            {QStringLiteral("info"), result.info},
            {QStringLiteral("metavalue"), result.metavalue},
            {QStringLiteral("type"), result.type},
            {QStringLiteral("value"), result.value},
            {QStringLiteral("wind"), result.wind},
            {QStringLiteral("timeperformed"), result.timeperformed}};
}

QJsonObject StandinCompetition::participationReply(const StoredParticipation &participation, bool withResults) const
{
    const QJsonObject &data = participation.data;
    const QJsonObject team = data.value(QStringLiteral("team")).toObject();
    const bool isTeam = !team.isEmpty();
    const int athleteId = isTeam ? team.value(QStringLiteral("members")).toArray().first().toInt()
                                 : data.value(QStringLiteral("athlete")).toInt();
    const QJsonObject person = athlete(athleteId);
    const QString firstname = person.value(QStringLiteral("firstname")).toString();
    const QString lastname = person.value(QStringLiteral("lastname")).toString();
    const QString teamname = isTeam ? team.value(QStringLiteral("name")).toString() : QString();
    const QString displayname = isTeam ? teamname : QStringLiteral("%1 %2").arg(firstname, lastname);
    QString bib = data.value(QStringLiteral("bib")).toString();
    if (bib.isEmpty())
        bib = isTeam ? team.value(QStringLiteral("bib")).toString() : person.value(QStringLiteral("bib")).toString();
    const QJsonObject clubReply =
        club(isTeam ? team.value(QStringLiteral("club")).toInt() : person.value(QStringLiteral("club")).toInt());
    const QJsonObject teamReply{
        {QStringLiteral("name"), teamname},
        {QStringLiteral("abbreviation"), team.value(QStringLiteral("abbreviation")).toString()}};

    QJsonObject reply{
        {QStringLiteral("id"), double(participation.id)},
        {QStringLiteral("category"), data.value(QStringLiteral("category")).toString()},
        {QStringLiteral("initialorder"), data.value(QStringLiteral("initialorder")).toDouble()},
        {QStringLiteral("outofcompetition_combinedevent"),
         data.value(QStringLiteral("outofcompetition_combinedevent")).toBool()},
        {QStringLiteral("teamname"), teamname},
        {QStringLiteral("transponder"), data.value(QStringLiteral("transponder")).toString()},
        {QStringLiteral("seqno"), data.value(QStringLiteral("seqno")).toDouble(1)},
        {QStringLiteral("competitor"), QJsonObject{{QStringLiteral("id"), athleteId},
                                                   {QStringLiteral("bib"), bib},
                                                   {QStringLiteral("displayname"), displayname},
                                                   {QStringLiteral("club"), clubReply},
                                                   {QStringLiteral("team"), teamReply}}},
    };
    if (!withResults)
        return reply;

    reply.insert(QStringLiteral("currentorder"), double(rank(participation)));
    reply.insert(QStringLiteral("currentorder_combinedevent"),
                 data.value(QStringLiteral("currentorder_combinedevent")).toDouble());
    reply.insert(QStringLiteral("startheight"), data.value(QStringLiteral("startheight")).toDouble());
    reply.insert(QStringLiteral("points"), data.value(QStringLiteral("points")).toDouble());
    reply.insert(QStringLiteral("qualified"), data.value(QStringLiteral("qualified")).toBool());
    reply.insert(QStringLiteral("abandoned"), data.value(QStringLiteral("abandoned")).toBool());
    reply.insert(QStringLiteral("athlete"),
                 QJsonObject{{QStringLiteral("id"), athleteId},
                             {QStringLiteral("firstname"), firstname},
                             {QStringLiteral("middlename"), person.value(QStringLiteral("middlename")).toString()},
                             {QStringLiteral("lastname"), lastname},
                             {QStringLiteral("birthdate"), person.value(QStringLiteral("birthdate")).toString()},
                             {QStringLiteral("gender"), person.value(QStringLiteral("gender")).toString()},
                             {QStringLiteral("nationality"), person.value(QStringLiteral("nationality")).toString()}});
    reply.insert(QStringLiteral("club"), clubReply);
    const QChar type = fieldType(participation.heat);
    const int best = bestResultIndex(participation);
    QJsonArray results;
    for (int i = 0; i < participation.results.size(); ++i)
        results.append(resultReply(participation.results.at(i), type, i == best));
    reply.insert(QStringLiteral("results"), results);
    return reply;
}

StandinCompetition::Reply StandinCompetition::competitions() const
{
    QJsonArray list;
    for (const QJsonValue &value : m_root.value(Competitions).toArray()) {
        QJsonObject competition = value.toObject();
        competition.remove(Events);
        list.append(competition);
    }
    Reply reply;
    reply.body.append(QJsonObject{{Competitions, list}});
    return reply;
}

StandinCompetition::Reply StandinCompetition::disqualificationRules(const QString &language) const
{
    const QJsonArray all = m_root.value(QStringLiteral("disqualificationrules")).toArray();
    QJsonArray chosen;
    for (const QJsonValue &rule : all) {
        if (rule.toObject().value(QStringLiteral("language")).toString().compare(language, Qt::CaseInsensitive) == 0)
            chosen.append(rule);
    }
    // A language the file has no rules in gets them all rather than none.
    Reply reply;
    reply.body.append(QJsonObject{{QStringLiteral("disqualificationrules"), chosen.isEmpty() ? all : chosen}});
    return reply;
}

StandinCompetition::Reply StandinCompetition::events(unsigned competitionId) const
{
    for (const QJsonValue &value : m_root.value(Competitions).toArray()) {
        const QJsonObject competition = value.toObject();
        if (idOf(competition.value(QStringLiteral("id"))) != competitionId)
            continue;
        const QJsonObject counted = mapHeats(
            QJsonObject{{Competitions, QJsonArray{competition}}}, [this](const QJsonObject &heat, const QJsonObject &) {
                QJsonObject copy = heat;
                const unsigned id = idOf(heat.value(QStringLiteral("id")));
                copy.insert(QStringLiteral("numberofparticipants"), m_heatParticipations.value(id).size());
                return copy;
            });
        Reply reply;
        reply.body.append(
            QJsonObject{{Events, counted.value(Competitions).toArray().first().toObject().value(Events).toArray()}});
        return reply;
    }
    return error(404, QStringLiteral("no competition %1").arg(competitionId));
}

StandinCompetition::Reply StandinCompetition::results(unsigned heatId) const
{
    if (!m_heatParticipations.contains(heatId))
        return error(404, QStringLiteral("no heat %1").arg(heatId));
    QJsonArray list;
    for (unsigned id : m_heatParticipations.value(heatId))
        list.append(participationReply(m_participations[id], true));
    Reply reply;
    reply.body.append(QJsonObject{{Participations, list}});
    return reply;
}

StandinCompetition::Reply StandinCompetition::participations(unsigned heatId) const
{
    if (!m_heatParticipations.contains(heatId))
        return error(404, QStringLiteral("no heat %1").arg(heatId));
    QJsonArray list;
    for (unsigned id : m_heatParticipations.value(heatId))
        list.append(participationReply(m_participations[id], false));
    Reply reply;
    reply.body.append(QJsonObject{{Participations, list}});
    return reply;
}

StandinCompetition::Reply StandinCompetition::updateParticipation(const StandinFields &fields)
{
    bool ok = false;
    const unsigned id = value(fields, QStringLiteral("id")).toUInt(&ok);
    if (!ok || !m_participations.contains(id))
        return error(404, QStringLiteral("no participation %1").arg(value(fields, QStringLiteral("id"))));
    QJsonObject data = m_participations[id].data;
    if (has(fields, QStringLiteral("initialorder"))) {
        const unsigned order = value(fields, QStringLiteral("initialorder")).toUInt(&ok);
        if (!ok)
            return error(400, QStringLiteral("initialorder is no number"));
        data.insert(QStringLiteral("initialorder"), double(order));
    }
    if (has(fields, QStringLiteral("startheight"))) {
        const double height = value(fields, QStringLiteral("startheight")).toDouble(&ok);
        if (!ok || !std::isfinite(height))
            return error(400, QStringLiteral("startheight is no number"));
        data.insert(QStringLiteral("startheight"), height);
    }
    if (has(fields, QStringLiteral("outofcompetition_combinedevent")))
        data.insert(QStringLiteral("outofcompetition_combinedevent"),
                    flagOf(value(fields, QStringLiteral("outofcompetition_combinedevent"))));
    if (has(fields, QStringLiteral("abandoned")))
        data.insert(QStringLiteral("abandoned"), flagOf(value(fields, QStringLiteral("abandoned"))));
    m_participations[id].data = data;

    const StoredParticipation &participation = m_participations[id];
    Reply reply;
    reply.body.append(QJsonObject{
        {QStringLiteral("participation"),
         QJsonObject{{QStringLiteral("id"), double(id)},
                     {QStringLiteral("unique"), double(value(fields, QStringLiteral("unique")).toUInt())},
                     {QStringLiteral("initialorder"), data.value(QStringLiteral("initialorder")).toDouble()},
                     {QStringLiteral("currentorder"), double(rank(participation))},
                     {QStringLiteral("startheight"), data.value(QStringLiteral("startheight")).toDouble()},
                     {QStringLiteral("outofcompetition_combinedevent"),
                      data.value(QStringLiteral("outofcompetition_combinedevent")).toBool()},
                     {QStringLiteral("abandoned"), data.value(QStringLiteral("abandoned")).toBool()}}}});
    return reply;
}

bool StandinCompetition::applyResultFields(StoredResult &result, const StandinFields &fields, QString *problem) const
{
    bool ok = true;
    if (has(fields, QStringLiteral("seqno"))) {
        result.seqno = value(fields, QStringLiteral("seqno")).toUInt(&ok);
        if (!ok) {
            *problem = QStringLiteral("seqno is no number");
            return false;
        }
    }
    for (const auto &[name, target] : {std::pair<QString, double *>{QStringLiteral("value"), &result.value},
                                       {QStringLiteral("wind"), &result.wind},
                                       {QStringLiteral("metavalue"), &result.metavalue}}) {
        if (!has(fields, name))
            continue;
        *target = value(fields, name).toDouble(&ok);
        // "nan" and "inf" read as numbers, but no mark or wind is one.
        if (!ok || !std::isfinite(*target)) {
            *problem = QStringLiteral("%1 is no number").arg(name);
            return false;
        }
    }
    if (has(fields, QStringLiteral("type")))
        result.type = value(fields, QStringLiteral("type"));
    // A live new result carries info twice; the later one is the one meant.
    if (has(fields, QStringLiteral("info")))
        result.info = lastValue(fields, QStringLiteral("info"));
    if (has(fields, QStringLiteral("timeperformed")))
        result.timeperformed = value(fields, QStringLiteral("timeperformed"));
    return true;
}

StandinCompetition::Reply StandinCompetition::newResult(const StandinFields &fields, const QString &client)
{
    bool ok = false;
    const unsigned participationId = value(fields, QStringLiteral("participation")).toUInt(&ok);
    if (!ok || !m_participations.contains(participationId))
        return error(404, QStringLiteral("no participation %1").arg(value(fields, QStringLiteral("participation"))));
    const unsigned unique = value(fields, QStringLiteral("unique")).toUInt();
    StoredParticipation &participation = m_participations[participationId];

    // A client that heard no answer posts the same entry again: it is the
    // same result, not a second one.
    const QString key = uniqueKey(client, participationId, unique);
    if (unique != 0 && m_uniqueResults.contains(key)) {
        const unsigned id = m_uniqueResults.value(key);
        QJsonObject result{{QStringLiteral("id"), double(id)},
                           {QStringLiteral("participation"), double(participationId)},
                           {QStringLiteral("unique"), double(unique)},
                           {QStringLiteral("repeated"), true}};
        for (const StoredResult &stored : participation.results) {
            if (stored.id == id) {
                QJsonObject full = resultReply(stored, fieldType(participation.heat), false);
                for (auto it = result.constBegin(); it != result.constEnd(); ++it)
                    full.insert(it.key(), it.value());
                result = full;
            }
        }
        Reply reply;
        reply.body.append(QJsonObject{{QStringLiteral("result"), result}});
        return reply;
    }

    // A result is an attempt with a mark; without them nothing is stored.
    for (const QString &needed : {QStringLiteral("seqno"), QStringLiteral("value")}) {
        if (!has(fields, needed))
            return error(400, QStringLiteral("%1 is missing").arg(needed));
    }
    StoredResult result;
    result.type = QStringLiteral("FTB");
    QString problem;
    if (!applyResultFields(result, fields, &problem))
        return error(400, problem);
    result.id = m_nextResultId++;
    result.unique = unique;
    result.client = client;
    participation.results.append(result);
    m_resultParticipation.insert(result.id, participationId);
    if (unique != 0)
        m_uniqueResults.insert(key, result.id);

    QJsonObject body = resultReply(result, fieldType(participation.heat), false);
    body.insert(QStringLiteral("participation"), double(participationId));
    body.insert(QStringLiteral("unique"), double(unique));
    Reply reply;
    reply.body.append(QJsonObject{{QStringLiteral("result"), body}});
    return reply;
}

StandinCompetition::Reply StandinCompetition::updateResult(const StandinFields &fields)
{
    bool ok = false;
    const unsigned id = value(fields, QStringLiteral("id")).toUInt(&ok);
    if (!ok || !m_resultParticipation.contains(id))
        return error(404, QStringLiteral("no result %1").arg(value(fields, QStringLiteral("id"))));
    const unsigned participationId = m_resultParticipation.value(id);
    StoredParticipation &participation = m_participations[participationId];
    auto it = std::find_if(participation.results.begin(), participation.results.end(),
                           [id](const StoredResult &r) { return r.id == id; });
    StoredResult changed = *it;
    QString problem;
    if (!applyResultFields(changed, fields, &problem))
        return error(400, problem);
    *it = changed;

    QJsonObject body = resultReply(changed, fieldType(participation.heat), false);
    body.insert(QStringLiteral("participation"), double(participationId));
    body.insert(QStringLiteral("unique"), double(value(fields, QStringLiteral("unique")).toUInt()));
    Reply reply;
    reply.body.append(QJsonObject{{QStringLiteral("result"), body}});
    return reply;
}

StandinCompetition::Reply StandinCompetition::deleteResult(const StandinFields &fields)
{
    bool ok = false;
    const unsigned id = value(fields, QStringLiteral("id")).toUInt(&ok);
    const unsigned unique = value(fields, QStringLiteral("unique")).toUInt();
    if (ok && m_resultParticipation.contains(id)) {
        StoredParticipation &participation = m_participations[m_resultParticipation.value(id)];
        participation.results.erase(std::remove_if(participation.results.begin(), participation.results.end(),
                                                   [id](const StoredResult &r) { return r.id == id; }),
                                    participation.results.end());
        m_resultParticipation.remove(id);
        m_deletedResults.insert(id);
    } else if (!ok || !m_deletedResults.contains(id)) {
        return error(404, QStringLiteral("no result %1").arg(value(fields, QStringLiteral("id"))));
    }
    // Deleting again what is gone already is answered like the first time,
    // so a client whose first answer was lost can stop asking.
    Reply reply;
    reply.body.append(QJsonObject{{QStringLiteral("result"), QJsonObject{{QStringLiteral("id"), double(id)},
                                                                         {QStringLiteral("unique"), double(unique)},
                                                                         {QStringLiteral("deleted"), true}}}});
    return reply;
}

StandinCompetition::Reply StandinCompetition::whatIsHappening(const QJsonObject &message)
{
    if (!message.contains(QStringLiteral("type")))
        return error(400, QStringLiteral("no type"));
    const QJsonObject entry{{QStringLiteral("id"), double(m_whatIsHappening.size() + 1)},
                            {QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs)},
                            {QStringLiteral("type"), message.value(QStringLiteral("type")).toString()},
                            {QStringLiteral("data"), message.value(QStringLiteral("data")).toString()}};
    m_whatIsHappening.append(entry);
    Reply reply;
    reply.body.append(QJsonObject{{QStringLiteral("whatishappening"), entry}});
    return reply;
}
