#include "devices/edmgeometry.h"

#include <algorithm>
#include <cmath>

#include "devices/transport/transportlogging.h"

namespace EDMGeometry {

EDMReading normalised(const EDMReading &reading)
{
    EDMReading r = reading;
    if (r.horizontalDistance > 0)
        return r;
    r.horizontalDistance = std::sin(r.verticalAngle * RadiansPerDegree) * r.distance;
    if (r.horizontalDistance < 0) {
        r.horizontalDistance = -r.horizontalDistance;
        r.horizontalAngle += 180;
    }
    return r;
}

double planeDistance(const EDMReading &a, const EDMReading &b)
{
    const double ha = a.horizontalDistance;
    const double hb = b.horizontalDistance;
    const double square =
        ha * ha + hb * hb - 2 * ha * hb * std::cos((b.horizontalAngle - a.horizontalAngle) * RadiansPerDegree);
    // Two readings of one point can leave a square just below zero.
    return std::sqrt(std::max(0.0, square));
}

std::optional<double> distanceToLine(const EDMReading &p, const EDMReading &a, const EDMReading &b)
{
    const double pa = planeDistance(p, a);
    const double ab = planeDistance(a, b);
    const double pb = planeDistance(p, b);
    if (pa < SamePointLimit || ab < SamePointLimit || pb < SamePointLimit)
        return std::nullopt;
    // Rounding can leave the cosine a hair outside [-1, 1] when the three
    // points lie on one line.
    const double cosine = std::clamp((ab * ab + pa * pa - pb * pb) / (2 * pa * ab), -1.0, 1.0);
    double theta = std::acos(cosine);
    if (theta > M_PI / 2)
        theta = M_PI - theta;
    const double distance = pa * std::sin(theta);
    if (!std::isfinite(distance))
        return std::nullopt;
    return distance;
}

double height(const EDMReading &reading)
{
    const double v = reading.verticalAngle * RadiansPerDegree;
    if (reading.horizontalDistance > 0) {
        const double computed = std::sin(v) * reading.distance;
        qCDebug(lcTransport) << "horizontal distance difference in calculated horizontal distance: "
                             << std::abs(computed - reading.horizontalDistance) << " (" << reading.horizontalDistance
                             << " - " << computed << ")";
    }
    return std::cos(v) * reading.distance;
}

} // namespace EDMGeometry
