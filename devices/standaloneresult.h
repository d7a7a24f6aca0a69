#pragma once

#include <QByteArray>
#include <QString>

// The texts of the standalone measuring page: what it shows and sends for a
// measured distance or an attempt's status, and the UDP datagram for each.
class StandaloneResult
{
public:
    // The status texts, as the page shows them and the outputs take them.
    static const QString Fail;     // "X"
    static const QString Pass;     // "0"
    static const QString Skip;     // "-"
    static const QString Retired;  // "r"
    static const QString NoResult; // empty

    // A distance in metres cut down to the centimetre: 12.345 is "12.34".
    static QString textOfDistance(double metres);
    // A distance, not a status (nor nothing).
    static bool isDistance(const QString &text);
    // The datagram for a text: six spaces, the status letter ("x", "o", "-",
    // "a") and a space; eight spaces for nothing; a distance with two
    // decimals. Latin-1, no terminator.
    static QByteArray udpPayload(const QString &text);
};
