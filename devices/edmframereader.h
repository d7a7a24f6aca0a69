#pragma once

#include <QByteArray>

#include "devices/edmreading.h"

// Reads the frames of the distance meter from its byte stream. A frame is 51
// ASCII bytes ending in a line feed: "?" carries the slope distance (bytes 1
// to 10) and the horizontal distance (27 to 35), "R" the horizontal distance
// only; both carry the vertical (11 to 17) and horizontal angle (19 to 25)
// with their unit (26) and a block check (45 to 47, decimal), the
// exclusive-or of bytes 0 to 44.
//
// Bytes, not a port: whatever the port delivers is handed to read(), which
// reassembles frames across blocks and skips what is not a frame.
class EDMFrameReader
{
public:
    static constexpr int FrameSize = 51;
    // The receive buffer never holds more than this: a line without line
    // feeds (a wrong baud rate) cannot make it grow, and the newest bytes,
    // where the next good frame starts, are the ones kept.
    static constexpr int BufferLimit = 4 * FrameSize;
    static constexpr double FeetPerMetre = 3.280839895013123;

    enum class Outcome {
        Nothing,          // no whole frame yet
        Reading,          // a frame was read
        BlockCheckError,  // a frame with a wrong block check, dropped
        Unreadable,       // a frame whose fields are not digits, or whose distance is not a number
        NegativeDistance, // a frame whose slope distance is below zero, dropped
    };

    // Appends data and takes at most one frame from the buffer; what follows
    // that frame waits for the next call.
    Outcome read(const QByteArray &data, EDMReading *reading = nullptr);
    void clear() { m_buffer.clear(); }
    qsizetype buffered() const { return m_buffer.size(); }

    // One whole frame (51 bytes, the line feed included).
    static Outcome parse(const QByteArray &frame, EDMReading *reading);
    // The exclusive-or of bytes 0 to 44.
    static int blockCheck(const QByteArray &frame);

private:
    QByteArray m_buffer;
};
