#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <QVariantMap>

// What a Wi-Fi-to-serial bridge says when it announces itself (a UDP
// datagram to port 55555, about once a second). Only its name is read: the
// bytes at nameOffset, nameLength of them, UTF-8, padded with NUL bytes.
namespace BridgeAnnouncement {

constexpr quint16 announcementPort = 55555;
constexpr int nameOffset = 60;
constexpr int nameLength = 31;
constexpr int datagramSize = 128;

// The name field of a datagram; empty for a datagram of nameOffset bytes or
// fewer, shorter for one that ends inside the field, cut at the first NUL.
QString rawName(const QByteArray &datagram);

// How a bridge is listed: a raw name beginning with "wfbrdg" (in any case)
// is the bridge's serial number, shown as "6/1/" and the decimal number in
// its characters 6 to 11 (0 when they are no number); any other name is
// shown as it is.
QString displayName(const QString &rawName);

// The port descriptor of an announcement: "type" 2, "name" the display name,
// "ip" the sender's IPv4 address as a number, "timestamp" the given seconds
// since the epoch.
QVariantMap descriptor(const QHostAddress &sender, const QByteArray &datagram, qint64 timestamp);
// The same, heard now.
QVariantMap descriptor(const QHostAddress &sender, const QByteArray &datagram);

// An announcement of the given name, as the stand-in bridge sends it: a
// datagramSize-byte datagram with a short header and the name, cut to the
// field at a character boundary.
QByteArray build(const QString &name, quint16 tcpPort = 3210);

} // namespace BridgeAnnouncement
