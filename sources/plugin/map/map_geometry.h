// The map's geometry, without any host call: the projection, the coverage radius and
// every pixel coordinate of one mark.
//
// Projection (equirectangular, the map's pixels, x to the right, y downwards):
// x = (lng / 180 + 1) * 315, y = 158 - lat / 90 * 158, degrees; every pixel coordinate is
// computed in double precision and truncated toward zero, each coordinate on its own.
#pragma once

#include "host/host.h"

// The map picture's width, pixels: the coverage line is drawn again this far left and
// right, so a circle running over one edge shows its remainder at the other.
constexpr int MAP_WIDTH = 630;
// Points of a coverage line: azimuths 0, 10, ..., 360 degrees.
constexpr int COVERAGE_POINTS = 37;

struct MarkGeometry {
    RECT circle;                         // box of the position circle
    RECT label;                          // box of the name
    POINT line[COVERAGE_POINTS];         // the coverage line in place
    POINT right[COVERAGE_POINTS];        // shifted MAP_WIDTH to the right
    POINT left[COVERAGE_POINTS];         // shifted MAP_WIDTH to the left
};

double MapX(double lngDeg);
double MapY(double latDeg);
// Angle at Earth's centre between the point below an object at distance d (m) from the
// centre and the object's horizon, radians. At or below the sphere's surface (a station
// can land a hair below it by rounding) it is 0: the circle shrinks to the mark's point.
double CoverageRadius(double d);
// The mark of an object over (lngDeg, latDeg) at distance d from Earth's centre.
MarkGeometry ComputeMark(double lngDeg, double latDeg, double d);
