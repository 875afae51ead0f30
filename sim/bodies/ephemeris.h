// Sun, Earth and Moon: positions, velocities and rotations at a Modified Julian Date.
//
// Global frame: ecliptic and equinox of J2000, origin at the Sun, metres, in the host's
// left-handed convention (x to the equinox, y to ecliptic north, z 90 degrees east of x
// in the ecliptic). Earth from VSOP87, the Moon from ELP 2000-82B (libnova); both are
// evaluated on a coarse grid and interpolated, because the full lunar series is costly.
//
// Time: the MJD is the one uniform time scale of this host. The series (which expect
// dynamical time) and the sidereal angle (which expects universal time) are both fed
// JD = MJD + 2400000.5; the ~70 s between the two scales is ignored.
#pragma once

#include <memory>

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
constexpr double kAstronomicalUnit = 149597870700.0;  // m

// Index 0 Sun, 1 Earth, 2 Moon (as BodyId).
struct BodyStates {
    VECTOR3 pos[3];  // global, m (the Sun's is the origin)
    VECTOR3 vel[3];  // global, m/s (the Sun's is zero)
    MATRIX3 rot[3];  // body frame into the global frame (the Sun's is the identity)
};

class Ephemeris {
public:
    // Width of one interpolation cell, days. Grid nodes lie at whole multiples of it.
    static constexpr double kGridStep = 0.5;
    // The dates the series are used for (about the years -880 to 4596). A date outside
    // is clamped to the nearer end; a NaN is taken as J2000 (MJD 51544.5).
    static constexpr double kMinMjd = -1.0e6;
    static constexpr double kMaxMjd = 1.0e6;

    Ephemeris();
    ~Ephemeris();
    Ephemeris(const Ephemeris&) = delete;
    Ephemeris& operator=(const Ephemeris&) = delete;

    // Interpolated state at `mjd`: cubic Hermite between grid nodes that carry the full
    // series' positions and velocities. Nodes are computed on first use and cached, so
    // a call in a cell already visited is cheap. A date out of range is clamped, with a
    // warning in the host log (once per Ephemeris). Not for concurrent use from several
    // threads.
    void states(double mjd, BodyStates& out) const;
    // The full series at `mjd` (costly, a few milliseconds; for tests and for filling
    // the grid). Velocities are central differences of the series. Clamps like states(),
    // with a warning on every clamped call.
    static void exact_states(double mjd, BodyStates& out);
    // Earth's rotation, Earth frame into the global frame: the obliquity tilt times the
    // spin about the pole by the mean sidereal angle, so that Earth-fixed +x lies on the
    // 0 degree meridian, +y on the north pole and +z on 90 degrees east. Any finite MJD;
    // can't fail.
    static MATRIX3 earth_rotation(double mjd);
    // The Moon, tidally locked, Moon frame into the global frame: +x toward Earth, +y
    // on the ecliptic north side (perpendicular to +x), det +1. `moon_minus_earth` is the
    // Moon's position relative to Earth (global axes, any unit). A zero or non-finite
    // vector gives the identity; a vector along the ecliptic pole takes +y from global
    // +z instead.
    static MATRIX3 moon_rotation(const VECTOR3& moon_minus_earth);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace sim
