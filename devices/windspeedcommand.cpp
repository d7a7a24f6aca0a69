#include "devices/windspeedcommand.h"

QByteArray WindspeedCommand::withChecksum(QByteArray body)
{
    body.append(char(checksum(body)));
    body.append('\r');
    return body;
}

QByteArray WindspeedCommand::start(int seconds)
{
    QByteArray body;
    body.append('E');
    body.append(char(seconds));
    body.append(char(189));
    body.append("45678");
    return withChecksum(body);
}

QByteArray WindspeedCommand::askResult()
{
    QByteArray body;
    body.append('G');
    body.append(char(1));
    body.append(6, char(205));
    return withChecksum(body);
}

quint8 WindspeedCommand::checksum(const QByteArray &bytes)
{
    quint8 crc = 0;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80) ? quint8((crc << 1) ^ 0x9B) : quint8(crc << 1);
    }
    return crc;
}

bool WindspeedCommand::isValid(const QByteArray &bytes)
{
    return bytes.size() == Size && bytes.at(Size - 1) == '\r' &&
           quint8(bytes.at(Size - 2)) == checksum(bytes.left(Size - 2));
}

int WindspeedCommand::seconds(int kind)
{
    switch (kind) {
    case 0:
    case 1:
        return 10;
    case 2:
        return 20;
    case 3:
        return 13;
    case 4:
        return 5;
    default:
        return 0;
    }
}

int WindspeedCommand::askDelayMs(int kind)
{
    const int time = seconds(kind);
    // The gauge needs a little longer than its measuring time.
    return time == 0 ? 0 : time * 1000 + 800;
}
