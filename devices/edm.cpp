#include "devices/edm.h"

#include "app/settings.h"
#include "devices/transport/transportlogging.h"

EDM::EDM(QObject *parent)
    : PortDevice(SetProperties | DataRead, parent)
{
    setPort(descriptorFromSettings(QStringLiteral("edm")));
}

void EDM::portStarted(const QVariantMap &descriptor)
{
    QVariantMap properties;
    for (const char *key : {"baud", "databits", "parity", "stopbits"}) {
        const QString name = QString::fromLatin1(key);
        properties.insert(name, descriptor.contains(name) ? descriptor.value(name)
                                                          : Settings::instance()->value(QStringLiteral("edm"), name));
    }
    emit set_properties(properties);
}

void EDM::setRequestPending(bool pending)
{
    if (pending == m_requestPending)
        return;
    m_requestPending = pending;
    if (pending && !m_acceptUnrequested)
        m_reader.clear();
}

void EDM::setAcceptUnrequested(bool accept)
{
    if (accept == m_acceptUnrequested)
        return;
    m_acceptUnrequested = accept;
    if (accept && !m_requestPending)
        m_reader.clear();
}

void EDM::onPortDataRead(QByteArray data)
{
    if (data.isEmpty() || (!m_requestPending && !m_acceptUnrequested))
        return;
    EDMReading reading;
    switch (m_reader.read(data, &reading)) {
    case EDMFrameReader::Outcome::Reading:
        emit measurement(reading.distance, reading.verticalAngle, reading.horizontalAngle, reading.horizontalDistance);
        break;
    case EDMFrameReader::Outcome::BlockCheckError:
        qCDebug(lcTransport) << "error in Block Check Character";
        break;
    case EDMFrameReader::Outcome::Unreadable:
        qCDebug(lcTransport) << "unreadable EDM frame dropped";
        break;
    case EDMFrameReader::Outcome::NegativeDistance:
    case EDMFrameReader::Outcome::Nothing:
        break;
    }
}
