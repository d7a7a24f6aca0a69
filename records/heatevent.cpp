#include "records/heatevent.h"

HeatEvent::HeatEvent(const QString &name, const QVariantMap &data, QObject *parent)
    : QObject(parent)
    , m_data(data)
    , m_name(name)
{
    readFields();
}

void HeatEvent::update(const QString &name, const QVariantMap &data)
{
    m_name = name;
    m_data = data;
    readFields();
}

void HeatEvent::readFields()
{
    m_id = m_data.value(QStringLiteral("id")).toString();
    m_fieldType = m_data.value(QStringLiteral("fieldType")).toString();
    m_timeText = m_data.value(QStringLiteral("time")).toString();
    m_time = QDateTime::fromString(m_timeText, QString::fromLatin1(TimeFormat));
    const QVariant participants = m_data.value(QStringLiteral("numberOfParticipants"));
    m_numberOfParticipants = participants.isValid() ? participants.toString() : QString();
    m_status = m_data.value(QStringLiteral("status"), 0u).toUInt();
    m_participantsCached = m_data.value(QStringLiteral("participantsCached"), false).toBool();
}
