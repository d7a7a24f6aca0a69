// The distance meter's byte stream: frames are found across blocks, among
// garbage and noise; a reading is always a finite slope distance of zero or
// more with finite angles; the buffer stays bounded; a good frame after any
// bytes is still read. Every reading then goes through the geometry of the
// events (distance between two points, distance to the line through two
// points, height): no distance that is not a finite number comes out.
//
// The first byte gives the size of the blocks (1 to 256) in which the rest
// arrives, as a port delivers it.
#include <QList>

#include <cmath>

#include "devices/edmframereader.h"
#include "devices/edmgeometry.h"
#include "fuzzsupport.h"

namespace {

// A frame of 12.345 m at 90° 15' 30" and 45°, 12.000 m horizontally.
const QByteArray GoodFrame = "?000012345m0901530 0450000d000012000000000000043 \r\n";

bool finite(const EDMReading &r)
{
    return std::isfinite(r.distance) && std::isfinite(r.verticalAngle) && std::isfinite(r.horizontalAngle) &&
           std::isfinite(r.horizontalDistance);
}

QString text(const EDMReading &r)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(r.distance)
        .arg(r.verticalAngle)
        .arg(r.horizontalAngle)
        .arg(r.horizontalDistance);
}

void checkGeometry(const QList<EDMReading> &readings)
{
    for (qsizetype i = 0; i < readings.size(); ++i) {
        const EDMReading p = EDMGeometry::normalised(readings.at(i));
        FUZZ_CHECK(finite(p), text(p));
        FUZZ_CHECK(std::isfinite(EDMGeometry::height(p)), text(p));
        if (i < 2)
            continue;
        const EDMReading a = EDMGeometry::normalised(readings.at(i - 2));
        const EDMReading b = EDMGeometry::normalised(readings.at(i - 1));
        const double plane = EDMGeometry::planeDistance(p, a);
        FUZZ_CHECK(std::isfinite(plane) && plane >= 0, text(p) + " / " + text(a));
        const std::optional<double> toLine = EDMGeometry::distanceToLine(p, a, b);
        FUZZ_CHECK(!toLine || (std::isfinite(*toLine) && *toLine >= 0), text(p) + " / " + text(a) + " / " + text(b));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    EDMFrameReader reader;
    QList<EDMReading> readings;
    const auto take = [&](const QByteArray &block) {
        EDMReading reading;
        const EDMFrameReader::Outcome outcome = reader.read(block, &reading);
        FUZZ_CHECK(reader.buffered() <= EDMFrameReader::BufferLimit, QString::number(reader.buffered()));
        if (outcome == EDMFrameReader::Outcome::Reading) {
            FUZZ_CHECK(finite(reading) && reading.distance >= 0, text(reading));
            readings.append(reading);
        }
        return outcome;
    };
    for (const QByteArray &block : FuzzInput(data, size).portBlocks())
        take(block);
    checkGeometry(readings);

    // Whatever came before, a good frame is read: frames still waiting come
    // first, one a call.
    readings.clear();
    for (EDMFrameReader::Outcome outcome = take(GoodFrame); outcome != EDMFrameReader::Outcome::Nothing;
         outcome = take(QByteArray())) {
    }
    FUZZ_CHECK(!readings.isEmpty() && std::abs(readings.last().distance - 12.345) < 1e-9 &&
                   readings.last().horizontalDistance == 12.0,
               readings.isEmpty() ? QStringLiteral("no reading") : text(readings.last()));
    return 0;
}
