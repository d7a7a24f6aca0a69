#pragma once

#include <QString>

#include "devices/portdevice.h"

// The result output for other systems: each result as a frame of ten bytes
// (see ResultFrame). Owned by the DeviceSet; builds its port from the
// settings group "thirdpartyresult". The systems it feeds read 1200 baud,
// 7 data bits, even parity, 1 stop bit, which it sets on every new port.
class ThirdPartyResult : public PortDevice
{
    Q_OBJECT

public:
    // The pause after a frame.
    static constexpr int FramePauseMs = 75;

    explicit ThirdPartyResult(QObject *parent = nullptr);

    // A distance in metres ("7.89"), a mark ("X", "0", "-", "r") or nothing
    // (""). Nothing is sent without a port.
    void sendResult(const QString &text);

protected:
    void portStarted(const QVariantMap &descriptor) override;
};
