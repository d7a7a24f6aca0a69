#include "devices/thirdpartyresult.h"

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
