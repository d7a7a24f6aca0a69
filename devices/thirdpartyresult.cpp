#include "devices/thirdpartyresult.h"

#include "devices/resultframe.h"
#include "devices/transport/transportlogging.h"

ThirdPartyResult::ThirdPartyResult(QObject *parent)
    : PortDevice(WriteData | SetProperties, parent)
{
    setPort(descriptorFromSettings(QStringLiteral("thirdpartyresult")));
}

void ThirdPartyResult::portStarted(const QVariantMap &descriptor)
{
    Q_UNUSED(descriptor)
    emit set_properties(QVariantMap{
        {QStringLiteral("baud"), 1200},
        {QStringLiteral("databits"), 7},
        {QStringLiteral("parity"), 2},
        {QStringLiteral("stopbits"), 1},
    });
}

void ThirdPartyResult::sendResult(const QString &text)
{
    if (!hasPort())
        return;
    bool fits = true;
    const QByteArray frame = ResultFrame::encode(text, &fits);
    if (!fits)
        qCWarning(lcTransport).noquote()
            << QStringLiteral("Result output: the distance %1 does not fit a frame, sent as 000.00").arg(text);
    emit writeData(frame, FramePauseMs);
}
