#pragma once

#include <QVariantMap>

class OutputDevice;

// Builds the transport a port descriptor names: a map with "type" (1 serial
// port, 2 Wi-Fi-to-serial bridge, 3 no device), "name" and, for a bridge,
// "ip" (IPv4 address in host order, as a number or its decimal text). Other
// keys ("timestamp", serial settings) are ignored here.
class OutputDeviceFactory
{
public:
    // A new transport the caller owns, or null for any other "type" (0 when
    // the key is missing).
    static OutputDevice *create(const QVariantMap &descriptor);
};
