// Earth geometry of the focus vessel.
#include "link/earth_geometry.h"

#include <algorithm>
#include <cmath>

#include "link/globals.h"
#include "link/vector_math.h"

double FocusAltitude() {
    VECTOR3 earth;
    oapiGetRelativePos(oapiGetObjectByName(EARTH_NAME), oapiGetFocusObject(), &earth);
    return Length(earth) - EARTH_RADIUS;
}

double StationDistance(OBJHANDLE station) {
    VECTOR3 pos;
    oapiGetGlobalPos(station, &pos);
    double lng = 0.0, lat = 0.0, rad = 0.0;
    oapiGlobalToEqu(oapiGetFocusObject(), pos, &lng, &lat, &rad);
    return rad;
}

double HorizonDistance(double r) {
    // The altitude first, then the radius added back: the order fixes the rounding.
    const double altitude = r - EARTH_RADIUS;
    const double centre = altitude + EARTH_RADIUS;
    return std::sqrt(centre * centre - EARTH_RADIUS_SQ);
}

bool AboveHorizon(double r, double d) {
    // Written as "not below" so that a NaN on either side counts as below the horizon.
    return HorizonDistance(r) >= d;
}

bool EarthVisible() {
    const OBJHANDLE earth = oapiGetObjectByName(EARTH_NAME);
    const OBJHANDLE ref = oapiGetFocusInterface()->GetSurfaceRef();
    if (!ref || ref == earth) return true;

    const OBJHANDLE focus = oapiGetFocusObject();
    VECTOR3 a, e, b;
    oapiGetRelativePos(focus, ref, &a);    // vessel relative to its reference body
    oapiGetRelativePos(focus, earth, &e);  // vessel relative to Earth
    oapiGetRelativePos(ref, earth, &b);    // reference body relative to Earth

    // Distance from the body's centre to the whole line through the vessel along the
    // Earth-vessel direction: A projected on that direction leaves the miss distance.
    const double toEarth = Length(e);
    const VECTOR3 dir{e.x / toEarth, e.y / toEarth, e.z / toEarth};
    const double along = Dot(a, dir);
    const double miss = std::sqrt(std::fabs(Dot(a, a) - along * along));

    const bool bodyNearer = Length(b) < toEarth;
    const bool lineInside = miss < oapiGetSize(ref);
    return !(bodyNearer && lineInside);
}

double AntennaAngle(OBJHANDLE target) {
    if (!g_trackEnabled || !target) return 0.0;
    const OBJHANDLE focus = oapiGetFocusObject();
    MATRIX3 rot;
    oapiGetRotationMatrix(focus, &rot);
    const VECTOR3 antenna = Multiply(rot, g_antennaVector);

    VECTOR3 sight;
    oapiGetRelativePos(target, focus, &sight);
    const double range = Length(sight);
    const VECTOR3 u{sight.x / range, sight.y / range, sight.z / range};

    // Rounding can carry the cosine of two parallel directions just past +-1, where acos
    // has no value; the cosine is held to [-1, 1] (a NaN stays NaN).
    const double cosine = Dot(u, antenna) / (Length(u) * Length(antenna));
    return std::acos(std::clamp(cosine, -1.0, 1.0));
}
