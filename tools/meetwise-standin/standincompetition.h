#pragma once

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QPair>
#include <QSet>
#include <QString>

// The fields of a form body or query, decoded, in the order they came;
// repeated names stay repeated.
using StandinFields = QList<QPair<QString, QString>>;

// The competition a stand-in server holds: loaded from a competition file,
// answered from, changed by the client's posts, and written back in the same
// format (so a saved state loads as a competition file).
class StandinCompetition
{
public:
    struct Reply
    {
        int status = 200;
        QJsonArray body;
    };

    struct StoredResult
    {
        unsigned id = 0;
        unsigned seqno = 0;
        double value = 0;
        double wind = 0;
        double metavalue = 0;
        QString type;
        QString info;
        QString timeperformed;
        // Who sent it, as the client's local id and machine.
        unsigned unique = 0;
        QString client;
    };

    struct StoredParticipation
    {
        unsigned id = 0;
        unsigned heat = 0;
        // The participation as the file gives it (athlete or team, orders,
        // flags), changed in place by update_participation.
        QJsonObject data;
        QList<StoredResult> results;
    };

    bool load(const QJsonObject &root, QString *error = nullptr);
    bool loadFile(const QString &path, QString *error = nullptr);
    QJsonObject toJson() const;
    bool saveFile(const QString &path, QString *error = nullptr) const;

    QJsonObject serverIdentity() const { return m_root.value(QStringLiteral("server")).toObject(); }

    Reply competitions() const;
    Reply disqualificationRules(const QString &language) const;
    Reply events(unsigned competitionId) const;
    Reply results(unsigned heatId) const;
    Reply participations(unsigned heatId) const;

    // client: who sent the change (the machine part of its session header);
    // a new result is the same result when the same client sends the same
    // unique for the same participation again.
    Reply updateParticipation(const StandinFields &fields);
    Reply newResult(const StandinFields &fields, const QString &client);
    Reply updateResult(const StandinFields &fields);
    Reply deleteResult(const StandinFields &fields);
    Reply whatIsHappening(const QJsonObject &message);

    // For tests and the control channel.
    const StoredParticipation *participation(unsigned id) const;
    QList<unsigned> heatParticipations(unsigned heatId) const { return m_heatParticipations.value(heatId); }
    int resultCount() const;
    QJsonArray whatIsHappeningLog() const { return m_whatIsHappening; }

    static QString value(const StandinFields &fields, const QString &name);
    static QString lastValue(const StandinFields &fields, const QString &name);
    static bool has(const StandinFields &fields, const QString &name);

private:
    QJsonObject participationReply(const StoredParticipation &participation, bool withResults) const;
    QJsonObject resultReply(const StoredResult &result, QChar fieldType, bool best) const;
    QJsonObject athlete(int id) const;
    QJsonObject club(int id) const;
    QChar fieldType(unsigned heatId) const;
    int bestResultIndex(const StoredParticipation &participation) const;
    unsigned rank(const StoredParticipation &participation) const;
    bool applyResultFields(StoredResult &result, const StandinFields &fields, QString *error) const;
    static Reply error(int status, const QString &text);

    QJsonObject m_root; // without the participations, which live below
    QMap<unsigned, StoredParticipation> m_participations;
    QHash<unsigned, QList<unsigned>> m_heatParticipations; // in file order
    QHash<unsigned, QChar> m_heatFieldTypes;
    QHash<unsigned, unsigned> m_resultParticipation; // result id -> participation id
    QHash<QString, unsigned> m_uniqueResults;        // client/participation/unique -> result id
    QSet<unsigned> m_deletedResults;
    QHash<int, QJsonObject> m_athletes;
    QHash<int, QJsonObject> m_clubs;
    QJsonArray m_whatIsHappening;
    unsigned m_nextResultId = 1;
};
