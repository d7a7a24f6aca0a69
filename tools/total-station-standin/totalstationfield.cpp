#include "tools/total-station-standin/totalstationfield.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

constexpr double DegreesPerRadian = 180.0 / M_PI;

bool pointFromJson(const QJsonValue &value, FieldPoint *point)
{
    const QJsonArray array = value.toArray();
    if (array.size() != 3)
        return false;
    for (const QJsonValue &coordinate : array) {
        if (!coordinate.isDouble())
            return false;
    }
    *point = {array.at(0).toDouble(), array.at(1).toDouble(), array.at(2).toDouble()};
    return true;
}

} // namespace

TotalStationField::Sight TotalStationField::sight(const FieldPoint &point) const
{
    const double dx = point.x - m_station.x;
    const double dy = point.y - m_station.y;
    const double dz = point.z - m_station.z;
    Sight sight;
    sight.horizontalDistance = std::hypot(dx, dy);
    sight.slopeDistance = std::hypot(sight.horizontalDistance, dz);
    sight.verticalAngle = std::atan2(sight.horizontalDistance, dz) * DegreesPerRadian;
    sight.horizontalAngle = std::atan2(dx, dy) * DegreesPerRadian;
    if (sight.horizontalAngle < 0)
        sight.horizontalAngle += 360;
    return sight;
}

double TotalStationField::planeDistance(const FieldPoint &a, const FieldPoint &b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

double TotalStationField::distanceToLine(const FieldPoint &p, const FieldPoint &a, const FieldPoint &b)
{
    // |AB x AP| / |AB|
    const double abx = b.x - a.x;
    const double aby = b.y - a.y;
    return std::abs(abx * (p.y - a.y) - aby * (p.x - a.x)) / std::hypot(abx, aby);
}

TotalStationField TotalStationField::demo()
{
    TotalStationField field;
    field.setStation({0, 0, 1.6});
    // Discus: the circle 3 m east of the station, the sector to the north.
    field.setPoint(QStringLiteral("centre"), {3, 0, 0});
    field.setPoint(QStringLiteral("discus"), {9.5, 52.3, 0});
    // Long jump: the runway along y, 8 m west; take-off lines across it.
    field.setPoint(QStringLiteral("board1a"), {-8.61, 20, 0});
    field.setPoint(QStringLiteral("board1b"), {-7.39, 20, 0});
    field.setPoint(QStringLiteral("board2a"), {-8.61, 23, 0});
    field.setPoint(QStringLiteral("board2b"), {-7.39, 23, 0});
    field.setPoint(QStringLiteral("jump"), {-8.2, 26.475, 0});
    field.setPoint(QStringLiteral("test"), {-8.0, 25, 0});
    // Pole vault: the crossbar 12 m south, at 4.5 m and then at 4.75 m.
    field.setPoint(QStringLiteral("crossbar"), {0, -12, 4.5});
    field.setPoint(QStringLiteral("crossbar2"), {0, -12, 4.75});
    return field;
}

bool TotalStationField::load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open %1").arg(path);
        return false;
    }
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    TotalStationField field;
    FieldPoint station;
    if (!pointFromJson(root.value(QStringLiteral("station")), &station)) {
        if (error)
            *error = QStringLiteral("%1: no \"station\": [x, y, z]").arg(path);
        return false;
    }
    field.setStation(station);
    const QJsonObject points = root.value(QStringLiteral("points")).toObject();
    for (auto it = points.begin(); it != points.end(); ++it) {
        FieldPoint point;
        if (!pointFromJson(it.value(), &point)) {
            if (error)
                *error = QStringLiteral("%1: point %2 is not [x, y, z]").arg(path, it.key());
            return false;
        }
        field.setPoint(it.key(), point);
    }
    *this = field;
    return true;
}
