#pragma once

#include "devices/portdevice.h"

// The result output for other systems. Owned by the DeviceSet; builds its
// port from the settings group "thirdpartyresult". The systems it feeds read
// 1200 baud, 7 data bits, even parity, 1 stop bit, which it sets on every new
// port.
class ThirdPartyResult : public PortDevice
{
    Q_OBJECT

public:
    explicit ThirdPartyResult(QObject *parent = nullptr);

protected:
    void portStarted(const QVariantMap &descriptor) override;
};
