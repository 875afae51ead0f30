// Earth's rotation (tilt and sidereal spin) and the Moon's tidal lock.
#include <gtest/gtest.h>

#include "checks.h"

namespace {

using namespace bodies_test;
using sim::BodyStates;
using sim::Ephemeris;

// libnova's mean sidereal angle advances 360.98564736629 degrees a day (plus terms in
// T^2 and T^3 that shift a day's turn by under 1e-10 rad this century).
constexpr double kSiderealDay = 360.0 / 360.98564736629;  // days

// A few Earth-fixed directions: the meridian, 90 east, the pole, and askew.
const VECTOR3 kFixed[] = {kX, kZ, kY, {0.6, -0.48, 0.64}};

TEST(EarthRotation, IsARotationWithThePoleTilted) {
    for (double mjd : {51544.5, 60000.0, 60116.3, 73000.7}) {
        SCOPED_TRACE(mjd);
        const MATRIX3 r = Ephemeris::earth_rotation(mjd);
        expect_rotation(r);
        const VECTOR3 pole = mul(r, kY);
        EXPECT_NEAR(angle_deg(pole, kY), sim::kObliquityDeg, 1e-9);
        // The pole leans toward ecliptic longitude 90 degrees (+z), whatever the spin.
        EXPECT_NEAR(pole.z, std::sin(sim::kObliquityDeg * kDeg), 1e-12);
        EXPECT_NEAR(pole.x, 0.0, 1e-12);
    }
}

// After one sidereal day every Earth-fixed direction points where it did; after a
// quarter, the 0 meridian points where 90 east did (the spin runs eastward).
TEST(EarthRotation, TurnsOncePerSiderealDayEastward) {
    for (double mjd : {51544.5, 60000.0, 60000.37, 62500.9}) {
        SCOPED_TRACE(mjd);
        const MATRIX3 now = Ephemeris::earth_rotation(mjd);
        const MATRIX3 day = Ephemeris::earth_rotation(mjd + kSiderealDay);
        for (const VECTOR3& v : kFixed) EXPECT_LT(length(mul(day, v) - mul(now, v)), 1e-6);
        const MATRIX3 quarter = Ephemeris::earth_rotation(mjd + kSiderealDay / 4);
        EXPECT_LT(length(mul(quarter, kX) - mul(now, kZ)), 1e-6);
    }
}

// Where the Sun stands overhead: at 12h UT near the 0 meridian, at 6h UT near 90 west
// (within the equation of time, at most 4.1 degrees); its latitude there is the
// declination, 0 at the equinoxes and +-23.44 at the solstices (0.6 degrees: near the
// equinoxes it moves 0.4 degrees a day, and the J2000 equinox is 8 hours from 2023's).
TEST(EarthRotation, SunIsOverTheRightPlace) {
    struct Case {
        double mjd;       // the day at 0h UT
        double hours_ut;
        double declination;
    };
    const Case cases[] = {
        {60023.0, 12, 0},     {60023.0, 6, 0}, {60023.0, 18, 0},      {60023.0, 0, 0},
        {60116.0, 12, 23.44}, {60210.0, 9, 0}, {60300.0, 15, -23.44}, {60251.0, 12, -15.2},
    };
    Ephemeris ephemeris;
    for (const Case& c : cases) {
        const double mjd = c.mjd + c.hours_ut / 24;
        SCOPED_TRACE(mjd);
        BodyStates s;
        ephemeris.states(mjd, s);
        const VECTOR3 sun = tmul(s.rot[1], -s.pos[1]);  // Earth frame
        EXPECT_NEAR(wrap_deg(longitude_deg(sun) - 15 * (12 - c.hours_ut)), 0.0, 4.5);
        EXPECT_NEAR(latitude_deg(sun), c.declination, 0.6);
    }
}

TEST(MoonRotation, FacesEarthWithNorthUp) {
    const VECTOR3 cases[] = {{3.0e8, 2.0e7, 1.0e8}, {-1, 0, 0},  {0, 0, 5},        {2, -1, -3},
                             {0, 4.0e8, 0},         {0, -1, 0},  {1e-9, 1, -1e-10}, {1e308, -1e308, 1e308}};
    for (const VECTOR3& v : cases) {
        SCOPED_TRACE(testing::Message() << v.x << " " << v.y << " " << v.z);
        const MATRIX3 r = Ephemeris::moon_rotation(v);
        expect_rotation(r);
        const VECTOR3 to_earth = -normalised(v / std::max({std::abs(v.x), std::abs(v.y), std::abs(v.z)}));
        EXPECT_LT(length(mul(r, kX) - to_earth), 1e-12);
        // +y: in the plane of +x and ecliptic north (on the pole, global +z), on north's
        // side. With +y perpendicular to +x that fixes it.
        const VECTOR3 north = std::hypot(to_earth.x, to_earth.z) < 1e-12 ? kZ : kY;
        const VECTOR3 up = mul(r, kY);
        EXPECT_NEAR(dot(up, normalised(cross(to_earth, north))), 0.0, 1e-12);
        EXPECT_GT(dot(up, north), 0.0);
    }
    for (const VECTOR3& bad : {VECTOR3{0, 0, 0}, VECTOR3{std::nan(""), 1, 0}, VECTOR3{INFINITY, 1, 0}}) {
        const MATRIX3 r = Ephemeris::moon_rotation(bad);
        EXPECT_EQ(r.m11 + r.m22 + r.m33, 3.0);  // the identity
    }
}

// Tidally locked and turning with its orbit: the Moon's +x keeps to Earth, and an hour
// later Earth has moved toward the Moon's +z (east), as Earth's meridian does.
TEST(MoonRotation, TurnsWithItsOrbit) {
    Ephemeris ephemeris;
    BodyStates now, later;
    ephemeris.states(60000.2, now);
    ephemeris.states(60000.2 + 1.0 / 24, later);
    const VECTOR3 earth_later = tmul(now.rot[2], later.pos[1] - later.pos[2]);
    EXPECT_GT(earth_later.z, 0.0);
}

}  // namespace
