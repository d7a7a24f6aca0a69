#pragma once

#include "devices/edmframereader.h"
#include "devices/portdevice.h"

// The electronic distance meter, a total station that sends a frame for each
// point measured on it (see EDMFrameReader); nothing is ever sent to it.
// Owned by the DeviceSet; builds its port from the settings group "edm",
// whose serial settings ("baud", "databits", "parity", "stopbits") it sends
// to every new port.
//
// Frames are taken only while a reading is requested (by the EDMModel) or
// while readings without a request are accepted (the standalone page);
// bytes arriving otherwise are dropped unread.
class EDM : public PortDevice
{
    Q_OBJECT

public:
    explicit EDM(QObject *parent = nullptr);

    // Setting the flag again while it is set changes nothing. A new request
    // forgets bytes left from before it: a frame sent earlier is no answer
    // to it.
    void setRequestPending(bool pending);
    bool isRequestPending() const { return m_requestPending; }
    void setAcceptUnrequested(bool accept);
    bool acceptsUnrequested() const { return m_acceptUnrequested; }

signals:
    // Slope distance (m), vertical angle (degrees from the zenith), horizontal
    // angle (degrees), horizontal distance (m).
    void measurement(double distance, double verticalAngle, double horizontalAngle, double horizontalDistance);

protected slots:
    void onPortDataRead(QByteArray data) override;

protected:
    // Sends the stored serial settings, overridden by those the descriptor holds.
    void portStarted(const QVariantMap &descriptor) override;

private:
    EDMFrameReader m_reader;
    bool m_requestPending = false;
    bool m_acceptUnrequested = false;
};
