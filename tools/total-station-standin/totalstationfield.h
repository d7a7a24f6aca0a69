#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// A point of the field: plane coordinates (x east, y north) and height z,
// all in metres.
struct FieldPoint
{
    double x = 0;
    double y = 0;
    double z = 0;
};

// The field a stand-in total station stands in: its own position (z is the
// height of its axis) and named points such as the centre of a circle, the
// crossbar, the take-off board points and landing marks.
//
// The geometry is worked out here from the coordinates alone, on purpose
// apart from the program's: a test can then hold what the program computes
// from the frames against the true distances of the field.
class TotalStationField
{
public:
    // What the instrument sees of a point, before any rounding.
    struct Sight
    {
        double slopeDistance = 0;      // m
        double verticalAngle = 0;      // degrees from the zenith, 0 to 180
        double horizontalAngle = 0;    // degrees clockwise from north, 0 to 360
        double horizontalDistance = 0; // m
    };

    void setStation(const FieldPoint &station) { m_station = station; }
    FieldPoint station() const { return m_station; }
    void setPoint(const QString &name, const FieldPoint &point) { m_points.insert(name, point); }
    bool hasPoint(const QString &name) const { return m_points.contains(name); }
    FieldPoint point(const QString &name) const { return m_points.value(name); }
    QStringList pointNames() const { return m_points.keys(); }

    Sight sight(const FieldPoint &point) const;
    Sight sight(const QString &name) const { return sight(point(name)); }

    // Distance in the plane, and from a point to the line through two others.
    static double planeDistance(const FieldPoint &a, const FieldPoint &b);
    static double distanceToLine(const FieldPoint &p, const FieldPoint &a, const FieldPoint &b);

    // A station 3 m beside a discus circle and 8 m beside a long jump runway
    // with two boards, and a pole vault crossbar; see README.md.
    static TotalStationField demo();
    // {"station": [x, y, z], "points": {"name": [x, y, z], ...}}
    bool load(const QString &path, QString *error);

private:
    FieldPoint m_station;
    QMap<QString, FieldPoint> m_points;
};
