#include "devices/windspeed.h"

#include "devices/transport/transportlogging.h"
#include "devices/windspeedcommand.h"

Windspeed::Windspeed(QObject *parent)
    : PortDevice(WriteData | DataRead, parent)
{
    m_askResultTimer.setSingleShot(true);
    m_checkResponseTimer.setSingleShot(true);
    m_checkResponseTimer.setInterval(CheckResponseMs);
    connect(&m_askResultTimer, &QTimer::timeout, this, &Windspeed::onAskResultTimeout);
    connect(&m_checkResponseTimer, &QTimer::timeout, this, &Windspeed::onCheckResponseTimeout);
    setPort(descriptorFromSettings(QStringLiteral("windspeed")));
}

void Windspeed::startMeasurement(int kind)
{
    // A measurement runs until its answer has been waited for: a start in
    // that wait would have the old wait report "no result" for the new one.
    if (isMeasuring() || !hasPort())
        return;
    emit writeData(WindspeedCommand::start(WindspeedCommand::seconds(kind)), 0);
    m_resultReceived = false;
    qCDebug(lcTransport) << "Start wind measurement";
    m_askResultTimer.start(WindspeedCommand::askDelayMs(kind));
}

void Windspeed::onAskResultTimeout()
{
    if (hasPort()) {
        emit writeData(WindspeedCommand::askResult(), 0);
        qCDebug(lcTransport) << "Ask result";
    }
    m_checkResponseTimer.start();
}

void Windspeed::onCheckResponseTimeout()
{
    if (!m_resultReceived)
        emit windspeedResult(NoResult);
}

void Windspeed::onPortDataRead(QByteArray data)
{
    if (data.isEmpty())
        return;
    double value = 0;
    for (auto outcome = m_reader.read(data, &value); outcome != WindspeedAnswerReader::Outcome::Nothing;
         outcome = m_reader.read(QByteArray(), &value)) {
        if (outcome == WindspeedAnswerReader::Outcome::Value) {
            m_resultReceived = true;
            emit windspeedResult(value);
        }
    }
}
