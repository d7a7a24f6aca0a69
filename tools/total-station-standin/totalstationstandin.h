#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include "tools/total-station-standin/totalstationfield.h"

class QTimer;
class SerialSide;

// A stand-in for the total station that measures throws, jumps and the
// crossbar: given a field, it sends the frame of an aimed point, as the
// instrument does when the official measures a point on it. Its serial side
// is a pty (one end of a socat pair, or the serial side of the stand-in
// Wi-Fi bridge); every byte it sends is also signalled, so tests can use it
// in-process without a pty.
//
// Frames: 51 bytes, "?" (slope distance, angles, horizontal distance) or "R"
// (horizontal distance and angles), distances in metres or feet to three
// decimals, angles in degrees-minutes-seconds, decimal degrees or radians,
// a block check (the exclusive-or of bytes 0 to 44, three decimal digits)
// and a line feed.
//
// Faults on demand: a frame split into pieces with pauses, two frames glued
// into one write, garbage before a frame, bytes without any line feed (as a
// wrong baud rate gives), a wrong block check, and readings sent on their
// own every so often (readings nobody asked for).
class TotalStationStandin : public QObject
{
    Q_OBJECT

public:
    enum class FrameKind { Slope, Horizontal };
    enum class DistanceUnit { Metres, Feet };
    enum class AngleUnit { DegreesMinutesSeconds, DecimalDegrees, Radians };

    struct Format
    {
        FrameKind kind = FrameKind::Slope;
        DistanceUnit distanceUnit = DistanceUnit::Metres;
        AngleUnit angleUnit = AngleUnit::DegreesMinutesSeconds;
    };

    static constexpr int FrameSize = 51;

    explicit TotalStationStandin(QObject *parent = nullptr);
    ~TotalStationStandin() override;

    TotalStationField &field() { return m_field; }
    const TotalStationField &field() const { return m_field; }
    void setFormat(const Format &format) { m_format = format; }
    Format format() const { return m_format; }

    // The frame of what the instrument sees, rounded as the frame carries it.
    static QByteArray frame(const TotalStationField::Sight &sight, const Format &format, bool wrongBlockCheck = false);
    QByteArray frameOf(const FieldPoint &point) const { return frame(m_field.sight(point), m_format); }
    QByteArray frameOf(const QString &name) const { return frameOf(m_field.point(name)); }

    // The serial side: a pty or serial port by its path. Without one, bytes
    // are only signalled.
    bool openSerial(const QString &path, QString *error = nullptr);
    void closeSerial();

    // Sends bytes at once, or in pieces with a pause between them.
    void send(const QByteArray &bytes);
    void sendInPieces(const QByteArray &bytes, int pieces, int pauseMs);
    // Measures a named point: its frame, with the faults asked for next.
    bool measure(const QString &name, QString *error = nullptr);
    // Sends the point's frame every intervalMs until stopped (0 stops).
    void repeat(const QString &name, int intervalMs);

    // Faults for the next measured frame.
    void splitNext(int pieces, int pauseMs);
    void garbageBeforeNext(int bytes);
    void wrongBlockCheckNext();

    // Bytes that are no frame: garbage ending in a line feed, and noise
    // without any line feed.
    static QByteArray garbage(int bytes);
    static QByteArray noise(int bytes);

    // One line of the control channel; the answer line. "quit" emits
    // quitRequested().
    QString command(const QString &line);
    QString status() const;

signals:
    void sent(QByteArray bytes);
    void quitRequested();

private:
    void write(const QByteArray &bytes);

    TotalStationField m_field;
    Format m_format;
    SerialSide *m_serial;
    QTimer *m_repeat = nullptr;
    QString m_repeatedPoint;
    // Faults for the next frame.
    int m_splitPieces = 0;
    int m_splitPauseMs = 0;
    int m_garbageBytes = 0;
    bool m_wrongBlockCheck = false;
    int m_framesSent = 0;
    qint64 m_bytesSent = 0;
};
