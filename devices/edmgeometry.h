#pragma once

#include <optional>

#include "devices/edmreading.h"

// Plane geometry of readings taken from one station: every point is known
// by its horizontal distance and horizontal angle from the station, and its
// height above the instrument by the slope distance and vertical angle.
//
// A distance that is not a finite number must never become a mark, so the
// functions that can meet one (points on top of each other, rounding that
// leaves a cosine just outside [-1, 1]) say so by returning no value.
namespace EDMGeometry {

constexpr double RadiansPerDegree = 0.017453292519943295;
// Points nearer to each other than this (the instrument's resolution, 1 mm)
// are one point: no line runs through them and no angle is measured at them.
constexpr double SamePointLimit = 0.001;

// A reading whose horizontal distance is missing (0 or less) gets it from the
// slope distance and vertical angle; a negative one points the other way.
EDMReading normalised(const EDMReading &reading);

// Law of cosines on the two horizontal distances and the angle between them.
double planeDistance(const EDMReading &a, const EDMReading &b);

// The distance of p from the line through a and b; none when two of the
// three points are one.
std::optional<double> distanceToLine(const EDMReading &p, const EDMReading &a, const EDMReading &b);

// Height above the instrument's axis.
double height(const EDMReading &reading);

} // namespace EDMGeometry
