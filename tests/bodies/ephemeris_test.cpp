// Body positions and velocities: the frame of the series, the host-axis conversion, the
// Moon's orbit, and the interpolated grid against the full series.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks.h"
#include "sim/core/log.h"

namespace {

using namespace bodies_test;
using sim::BodyStates;
using sim::Ephemeris;
using sim::kAstronomicalUnit;

constexpr int kEarth = 1, kMoon = 2;

VECTOR3 moon_from_earth(const BodyStates& s) { return s.pos[kMoon] - s.pos[kEarth]; }

// --- Frames ---------------------------------------------------------------------------

// At the equinoxes and solstices the Sun seen from Earth lies at ecliptic longitude 0,
// 90, 180, 270 degrees, so Earth lies opposite. In host axes (y north, z at longitude
// 90) a swapped y and z would put Earth 90 degrees off, or out of the ecliptic.
TEST(BodyFrames, EarthAtTheSeasonsLiesOnTheHostAxes) {
    struct Case {
        const char* name;
        double mjd;
        VECTOR3 earth;  // direction from the Sun
    };
    const Case cases[] = {
        {"March equinox", kMarchEquinox2023, {-1, 0, 0}},
        {"June solstice", kJuneSolstice2023, {0, 0, -1}},
        {"September equinox", kSeptEquinox2023, {1, 0, 0}},
        {"December solstice", kDecSolstice2023, {0, 0, 1}},
    };
    Ephemeris ephemeris;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BodyStates s;
        ephemeris.states(c.mjd, s);
        // 0.5 degrees: the J2000 equinox lies 0.32 degrees from that of 2023. The
        // ecliptic of 2023 is tilted 0.003 degrees to that of J2000.
        EXPECT_LT(angle_deg(s.pos[kEarth], c.earth), 0.5);
        EXPECT_LT(std::abs(latitude_deg(s.pos[kEarth])), 0.005);
        // Earth moves on, toward greater longitude (from +x toward +z).
        const VECTOR3 ahead = {-c.earth.z, 0, c.earth.x};
        EXPECT_LT(angle_deg(s.vel[kEarth], ahead), 2.0);
    }
}

// Published positions of 1992 (of date, geometric), moved to the J2000 equinox by the
// precession since: +0.1009 degrees for Earth's date, +0.1078 for the Moon's. A frame
// of date would be 0.1 degrees off; a flipped ecliptic north would flip the Moon's
// latitude.
TEST(BodyFrames, PublishedPositionsInJ2000Axes) {
    struct Case {
        const char* name;
        double mjd;
        int body;
        double longitude, latitude;  // degrees, J2000
        double distance;             // m, from the Sun (Earth) or Earth (Moon)
        double distance_tolerance;   // m: the published figures come from shortened series
    };
    const Case cases[] = {
        {"Earth 1992-10-13", 48908.0, kEarth, 19.907372 + 0.1009, 0.0, 0.99760775 * kAstronomicalUnit, 200e3},
        {"Moon 1992-04-12", 48724.0, kMoon, 133.162655 + 0.1078, -3.229126, 368409.7e3, 10e3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BodyStates s;
        Ephemeris::exact_states(c.mjd, s);
        const VECTOR3 r = c.body == kEarth ? s.pos[kEarth] : moon_from_earth(s);
        EXPECT_NEAR(longitude_deg(r), c.longitude, 0.005);
        EXPECT_NEAR(latitude_deg(r), c.latitude, 0.005);
        EXPECT_NEAR(length(r), c.distance, c.distance_tolerance);
    }
}

// Full Moon: the Moon opposite the Sun, so along Earth's heliocentric direction; new
// Moon: toward the Sun. Both within the Moon's 5.1 degree inclination.
TEST(BodyFrames, MoonPhasesLineUpWithTheSun) {
    Ephemeris ephemeris;
    BodyStates s;
    ephemeris.states(kFullMoon2023, s);
    EXPECT_LT(angle_deg(moon_from_earth(s), s.pos[kEarth]), 5.5);
    ephemeris.states(kNewMoon2023, s);
    EXPECT_LT(angle_deg(moon_from_earth(s), -s.pos[kEarth]), 5.5);
}

// --- A year of states ---------------------------------------------------------------------

// Every 1.3 days through 2023: Earth about 1 AU at about 30 km/s; the Moon between
// perigee and apogee, near the ecliptic, at about 1 km/s, all around its orbit, and
// facing Earth.
TEST(BodyStates, AYearOfOrbits) {
    Ephemeris ephemeris;
    double min_moon = 1e300, max_moon = 0, min_moon_y = 0, max_moon_y = 0;
    for (double mjd = 59945.0; mjd < 59945.0 + 365; mjd += 1.3) {
        SCOPED_TRACE(mjd);
        BodyStates s;
        ephemeris.states(mjd, s);
        EXPECT_EQ(length(s.pos[0]), 0.0);
        EXPECT_EQ(length(s.vel[0]), 0.0);

        const double r_earth = length(s.pos[kEarth]) / kAstronomicalUnit;
        EXPECT_GT(r_earth, 0.983);
        EXPECT_LT(r_earth, 1.017);
        EXPECT_GT(length(s.vel[kEarth]), 29.2e3);
        EXPECT_LT(length(s.vel[kEarth]), 30.4e3);

        const VECTOR3 moon = moon_from_earth(s);
        const double r_moon = length(moon);
        EXPECT_GT(r_moon, 356000e3);
        EXPECT_LT(r_moon, 407000e3);
        EXPECT_LT(std::abs(latitude_deg(moon)), 5.4);
        const double v_moon = length(s.vel[kMoon] - s.vel[kEarth]);
        EXPECT_GT(v_moon, 0.95e3);
        EXPECT_LT(v_moon, 1.11e3);
        EXPECT_LT(angle_deg(mul(s.rot[kMoon], kX), -moon), 1e-9);

        min_moon = std::min(min_moon, r_moon);
        max_moon = std::max(max_moon, r_moon);
        min_moon_y = std::min(min_moon_y, moon.z);
        max_moon_y = std::max(max_moon_y, moon.z);
    }
    // The 2023 perigees come down to 356,600 km and the apogees reach 406,500 km.
    EXPECT_LT(min_moon, 358000e3);
    EXPECT_GT(max_moon, 405500e3);
    // The Moon goes all around Earth in the ecliptic plane (x-z).
    EXPECT_LT(min_moon_y, -350000e3);
    EXPECT_GT(max_moon_y, 350000e3);
}

// Velocities are the time derivative of positions, in m/s: a central difference of
// interpolated positions over two minutes matches them.
TEST(BodyStates, VelocitiesAreRatesOfPosition) {
    Ephemeris ephemeris;
    constexpr double kHalf = 60.0;  // s
    for (double mjd : {60000.1, 60000.5, 60123.9}) {
        SCOPED_TRACE(mjd);
        BodyStates before, at, after;
        ephemeris.states(mjd - kHalf / 86400, before);
        ephemeris.states(mjd, at);
        ephemeris.states(mjd + kHalf / 86400, after);
        for (int b : {kEarth, kMoon}) {
            const VECTOR3 rate = (after.pos[b] - before.pos[b]) / (2 * kHalf);
            EXPECT_LT(length(rate - at.vel[b]), 0.05) << "body " << b;
        }
    }
}

// --- The grid -------------------------------------------------------------------------------

// The interpolated states against the full series, at nodes, just either side of them,
// and inside cells, over a year and at a date before 1858 (negative MJD).
TEST(BodyGrid, InterpolationFollowsTheFullSeries) {
    constexpr double h = Ephemeris::kGridStep;
    constexpr double kTiny = 1e-7;  // days, about 9 ms
    std::vector<double> times;
    for (double node : {60000.0, 60000.0 + 41 * h, 60000.0 + 250 * h, 60000.0 + 731 * h, -3000.0 * h}) {
        for (double offset : {0.0, kTiny, -kTiny, 0.25 * h, 0.5 * h, 0.9 * h}) times.push_back(node + offset);
    }
    Ephemeris ephemeris;
    for (double mjd : times) {
        SCOPED_TRACE(mjd);
        BodyStates grid, exact;
        ephemeris.states(mjd, grid);
        Ephemeris::exact_states(mjd, exact);
        EXPECT_LT(angle_deg(grid.pos[kEarth], exact.pos[kEarth]), 0.01);
        EXPECT_LT(angle_deg(moon_from_earth(grid), moon_from_earth(exact)), 0.01);
        EXPECT_NEAR(length(moon_from_earth(grid)), length(moon_from_earth(exact)), 1e3);
        EXPECT_LT(length(grid.vel[kEarth] - exact.vel[kEarth]), 0.1);
        EXPECT_LT(length(grid.vel[kMoon] - exact.vel[kMoon]), 0.2);
        EXPECT_LT(angle_deg(mul(grid.rot[kMoon], kZ), mul(exact.rot[kMoon], kZ)), 0.01);
    }
}

// Crossing a node the state is continuous: from just below to just above it, the
// bodies move by their velocity times the time between (a few metres), no more.
TEST(BodyGrid, ContinuousAcrossNodes) {
    Ephemeris ephemeris;
    const double node = 60000.0 + 17 * Ephemeris::kGridStep;
    const double before = node - 1e-9, after = node + 1e-9;  // days, 86 microseconds apart
    const double dt = (after - before) * 86400;            // s
    BodyStates below, above;
    ephemeris.states(before, below);
    ephemeris.states(after, above);
    for (int b : {kEarth, kMoon}) {
        EXPECT_LT(length(above.pos[b] - below.pos[b] - below.vel[b] * dt), 0.05) << "body " << b;
        EXPECT_LT(length(above.vel[b] - below.vel[b]), 1e-3) << "body " << b;
    }
}

// Dates outside the series' range are clamped to its ends (NaN to J2000), with one
// warning per Ephemeris, not one per call.
TEST(BodyGrid, DatesOutOfRangeAreClamped) {
    sim::log().take_new();
    Ephemeris ephemeris;
    BodyStates far, end;
    ephemeris.states(1e12, far);
    ephemeris.states(Ephemeris::kMaxMjd, end);
    EXPECT_EQ(length(far.pos[kMoon] - end.pos[kMoon]), 0.0);

    BodyStates nan_state, j2000;
    ephemeris.states(std::nan(""), nan_state);
    ephemeris.states(-1e300, far);
    ephemeris.states(51544.5, j2000);
    EXPECT_EQ(length(nan_state.pos[kMoon] - j2000.pos[kMoon]), 0.0);
    EXPECT_TRUE(std::isfinite(far.pos[kMoon].x));

    const std::vector<std::string> lines = sim::log().take_new();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("ephemeris"), std::string::npos);
    EXPECT_EQ(sim::contract_violations(), 0u);
}

}  // namespace
