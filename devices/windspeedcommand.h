#pragma once

#include <QByteArray>

// The commands of the wind gauge: 10 bytes, the eighth a CRC-8 of the bytes
// before it, the last a carriage return.
class WindspeedCommand
{
public:
    static constexpr int Size = 10;

    // Starts a measurement of the given number of seconds.
    static QByteArray start(int seconds);
    // Asks for the result of the last measurement.
    static QByteArray askResult();
    // CRC-8, polynomial 0x9B, initial value 0, most significant bit first,
    // neither reflected nor inverted.
    static quint8 checksum(const QByteArray &bytes);
    // Whether bytes are a whole command with a right checksum.
    static bool isValid(const QByteArray &bytes);

    // The seconds sent and the delay before asking (ms) of a measurement kind.
    static int seconds(int kind);
    static int askDelayMs(int kind);

private:
    static QByteArray withChecksum(QByteArray body);
};
