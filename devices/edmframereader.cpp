#include "devices/edmframereader.h"

#include <cmath>

namespace {

constexpr double DegreesPerRadian = 57.29577951308232;
constexpr double RadiansPerDegree = 0.017453292519943295;

// A group of decimal digits; false when any byte is not a digit.
bool digits(const QByteArray &frame, int from, int count, int *value)
{
    int number = 0;
    for (int i = from; i < from + count; ++i) {
        const char c = frame.at(i);
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    *value = number;
    return true;
}

// Six digits of whole units and three of thousandths.
bool length(const QByteArray &frame, int from, double *value)
{
    int whole = 0;
    int thousandths = 0;
    if (!digits(frame, from, 6, &whole) || !digits(frame, from + 6, 3, &thousandths))
        return false;
    *value = whole + thousandths / 1000.0;
    return true;
}

// Three digits, two and two, read by the angle unit: gon and radians as
// decimals, anything else as degrees, minutes and seconds.
bool angle(const QByteArray &frame, int from, char unit, double *degrees)
{
    int x = 0;
    int y = 0;
    int z = 0;
    if (!digits(frame, from, 3, &x) || !digits(frame, from + 3, 2, &y) || !digits(frame, from + 5, 2, &z))
        return false;
    switch (unit) {
    case 'g':
    case 'G':
        *degrees = x + y / 100.0 + z / 10000.0;
        break;
    case 'm':
    case 'M':
        *degrees = (x + y / 100.0 + z / 10000.0) * DegreesPerRadian;
        break;
    default:
        *degrees = x + y / 60.0 + z / 3600.0;
    }
    return true;
}

} // namespace

int EDMFrameReader::blockCheck(const QByteArray &frame)
{
    int check = 0;
    for (int i = 0; i <= 44 && i < frame.size(); ++i)
        check ^= static_cast<unsigned char>(frame.at(i));
    return check;
}

EDMFrameReader::Outcome EDMFrameReader::parse(const QByteArray &frame, EDMReading *reading)
{
    if (frame.size() != FrameSize || frame.at(FrameSize - 1) != '\n' || (frame.at(0) != 'R' && frame.at(0) != '?'))
        return Outcome::Unreadable;
    int check = 0;
    if (!digits(frame, 45, 3, &check) || check != blockCheck(frame))
        return Outcome::BlockCheckError;

    // A length in feet is one in the unit the character names; every later
    // step counts in metres.
    const char distanceUnit = frame.at(10);
    const double metresPerUnit = (distanceUnit == 'f' || distanceUnit == 'F') ? 1.0 / FeetPerMetre : 1.0;
    const char angleUnit = frame.at(26);
    double first = 0;
    EDMReading r;
    if (!length(frame, 1, &first) || !angle(frame, 11, angleUnit, &r.verticalAngle) ||
        !angle(frame, 19, angleUnit, &r.horizontalAngle))
        return Outcome::Unreadable;
    first *= metresPerUnit;
    if (frame.at(0) == '?') {
        r.distance = first;
        if (!length(frame, 27, &r.horizontalDistance))
            return Outcome::Unreadable;
        r.horizontalDistance *= metresPerUnit;
    } else {
        r.horizontalDistance = first;
        r.distance = first / std::sin(r.verticalAngle * RadiansPerDegree);
    }
    // Straight up or down, a frame "R" gives no slope distance.
    if (!std::isfinite(r.distance))
        return Outcome::Unreadable;
    if (r.distance < 0)
        return Outcome::NegativeDistance;
    if (reading)
        *reading = r;
    return Outcome::Reading;
}

EDMFrameReader::Outcome EDMFrameReader::read(const QByteArray &data, EDMReading *reading)
{
    m_buffer.append(data);
    Outcome outcome = Outcome::Nothing;
    while (m_buffer.size() >= 48) {
        const qsizetype lineFeed = m_buffer.indexOf('\n');
        if (lineFeed < 0)
            break;
        const qsizetype start = lineFeed - (FrameSize - 1);
        if (start >= 0 && (m_buffer.at(start) == 'R' || m_buffer.at(start) == '?')) {
            const QByteArray frame = m_buffer.mid(start, FrameSize);
            m_buffer.remove(0, lineFeed + 1);
            outcome = parse(frame, reading);
            break;
        }
        m_buffer.remove(0, lineFeed + 1);
    }
    if (m_buffer.size() > BufferLimit)
        m_buffer.remove(0, m_buffer.size() - BufferLimit);
    return outcome;
}
