#include "devices/edm.h"

#include "app/settings.h"

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

void EDM::onPortDataRead(QByteArray data)
{
    Q_UNUSED(data)
}
