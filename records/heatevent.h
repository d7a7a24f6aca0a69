#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVariantMap>

// One heat or flight of one round of one event, as the schedule shows it. It
// keeps the map it was built from whole and reads a few fields out of it.
class HeatEvent : public QObject
{
public:
    HeatEvent(const QString &name, const QVariantMap &data, QObject *parent = nullptr);

    // Takes a new name and map (the schedule finds the event by its id).
    void update(const QString &name, const QVariantMap &data);

    const QVariantMap &data() const { return m_data; }
    QString id() const { return m_id; }
    QString name() const { return m_name; }
    QString fieldType() const { return m_fieldType; }
    QString timeText() const { return m_timeText; }
    QDateTime time() const { return m_time; }
    QString numberOfParticipants() const { return m_numberOfParticipants; }
    unsigned status() const { return m_status; }
    bool participantsCached() const { return m_participantsCached; }

    static constexpr const char *TimeFormat = "yyyyMMdd hhmmss";

private:
    void readFields();

    QVariantMap m_data;
    QString m_id;
    QString m_name;
    QString m_fieldType;
    QString m_timeText;
    QDateTime m_time;
    QString m_numberOfParticipants;
    unsigned m_status = 0;
    bool m_participantsCached = false;
};
