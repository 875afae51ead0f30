// Sun, Earth and Moon: positions, velocities and rotations at a Modified Julian Date.
//
// Global frame: ecliptic and equinox of J2000, origin at the Sun, metres, in the host's
// left-handed convention (x to the equinox, y to ecliptic north, z 90 degrees east of x
// in the ecliptic). Earth from VSOP87, the Moon from ELP 2000-82B (libnova); both are
// evaluated on a coarse grid and interpolated, because the full lunar series is costly.
#pragma once

#include "host/types.h"

namespace sim {

// Physical constants of the bodies.
constexpr double kEarthRadius = 6371010.0;     // m
constexpr double kMoonRadius = 1737400.0;      // m
constexpr double kSunRadius = 6.96e8;          // m
constexpr double kEarthGM = 3.986004418e14;    // m^3/s^2
constexpr double kMoonGM = 4.9048695e12;       // m^3/s^2
constexpr double kSunGM = 1.32712440018e20;    // m^3/s^2
constexpr double kObliquityDeg = 23.4392911;   // J2000 mean obliquity
constexpr double kMoonSphereOfInfluence = 6.61e7;  // m, from the Moon's centre

// Index 0 Sun, 1 Earth, 2 Moon (as BodyId).
struct BodyStates {
    VECTOR3 pos[3];  // global, m
    VECTOR3 vel[3];  // global, m/s
    MATRIX3 rot[3];  // body frame into the global frame
};

class Ephemeris {
public:
    // Interpolated state at `mjd` (cheap: the grid is filled on demand).
    void states(double mjd, BodyStates& out) const;
    // The full series at `mjd` (costly; for tests and for filling the grid).
    static void exact_states(double mjd, BodyStates& out);
    // Earth's rotation: the obliquity tilt times the spin about the pole by the mean
    // sidereal angle, so that Earth-fixed +x lies on the 0 degree meridian and +y on the
    // north pole.
    static MATRIX3 earth_rotation(double mjd);
    // The Moon, tidally locked: its +x toward Earth, +y on the ecliptic north side.
    static MATRIX3 moon_rotation(const VECTOR3& moon_minus_earth);

private:
    struct Impl;
    mutable Impl* impl_ = nullptr;
public:
    Ephemeris();
    ~Ephemeris();
    Ephemeris(const Ephemeris&) = delete;
    Ephemeris& operator=(const Ephemeris&) = delete;
};

}  // namespace sim
