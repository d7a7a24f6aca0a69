#pragma once

// What the distance meter reports about one aimed point.
struct EDMReading
{
    double distance = 0;           // slope distance, m
    double verticalAngle = 0;      // degrees from the zenith
    double horizontalAngle = 0;    // degrees
    double horizontalDistance = 0; // m
};
