// The map window's marks: where an object lies over Earth, and how its mark is drawn.
#pragma once

#include "host/host.h"

// Longitude and latitude (radians, east and north positive) of the point of Earth's
// surface below `object`. Longitude in (-pi, pi]; an object exactly above a pole (or at
// Earth's centre) gets longitude 0. Asks the host afresh; a non-vessel handle is the
// caller's care (the step hands live vessels only).
void EarthLongLat(OBJHANDLE object, double* longitude, double* latitude);
