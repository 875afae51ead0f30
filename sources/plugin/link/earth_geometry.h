// Geometric judgements about the focus vessel: its altitude, the distance to a station,
// whether a station is above its horizon, whether Earth is hidden from it, and how far
// its high-gain antenna points off a target.
//
// Every position is asked of the host at the moment of the call; nothing is cached.
// The routines that take no focus check expect the host to have a focus vessel (the
// step driver calls them only then).
#pragma once

#include "host/host.h"

// Altitude of the focus vessel above the spherical Earth: the length of Earth's position
// relative to the focus vessel minus EARTH_RADIUS, m. Negative inside the sphere.
double FocusAltitude();

// Straight-line distance from the focus vessel's centre to a station, m: the radius of
// the station's global position in the focus vessel's equatorial coordinates. The
// station must be a live vessel.
double StationDistance(OBJHANDLE station);

// Distance from a point r metres from Earth's centre to where its lines of sight touch
// the sphere, m: sqrt(((r - R) + R)^2 - R^2), the altitude formed first. NaN for a point
// inside the sphere (r < R).
double HorizonDistance(double r);

// Whether a station d metres away lies above the horizon of a focus vessel r metres from
// Earth's centre: the horizon distance is at least d (a station exactly at the horizon
// counts as above it). False when the horizon distance has no real value (inside the
// sphere) and when d is not a number. Stations count as lying on the sphere.
bool AboveHorizon(double r, double d);

// False when the body the focus vessel flies near (its surface reference) hides Earth:
// that body is nearer to Earth than the vessel and the line through the vessel towards
// Earth passes less than the body's radius from its centre. True whenever the surface
// reference is Earth (or the host reports none).
bool EarthVisible();

// Angle between the focus ship's high-gain antenna (g_antennaVector turned into the global
// frame by the ship's rotation matrix) and the line of sight to the target, radians in
// [0, pi]. 0.0 while tracking is off or for a null target. A target at the focus
// vessel's own position, or a zero antenna vector, gives NaN.
double AntennaAngle(OBJHANDLE target);
