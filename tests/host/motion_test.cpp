// Motion: landed vessels ride Earth's rotation, free vessels follow gravity.
#include <cmath>

#include "fixture.h"

using namespace hosttest;
using namespace sim;  // vector operators
using sim::length;
using sim::operator-;

namespace {

constexpr double kSiderealDay = 86164.0905;  // s
constexpr double kDeg = M_PI / 180;

double angle_between(const VECTOR3& a, const VECTOR3& b) {
    return std::atan2(length(sim::cross(a, b)), sim::dot(a, b));
}

}  // namespace

TEST(Motion, LandedVesselRidesEarthsRotation) {
    ScratchRoot root;
    sim::Simulator s(root.path());
    const OBJHANDLE earth = s.body(sim::BodyId::Earth);
    const double lng = -80.6934 * kDeg, lat = 28.5081 * kDeg;
    const OBJHANDLE v = s.create_vessel("Pad", "Plain", landed(earth, lng, lat, 0.3));
    ASSERT_NE(v, nullptr);

    MATRIX3 R;
    oapiGetRotationMatrix(earth, &R);
    VECTOR3 rel;
    oapiGetRelativePos(v, earth, &rel);
    const VECTOR3 expected = sim::mul(R, VECTOR3{std::cos(lat) * std::cos(lng), std::sin(lat), std::cos(lat) * std::sin(lng)} * sim::kEarthRadius);
    EXPECT_LT(length(rel - expected), 1e-4);  // global coordinates are ~1.5e11 m

    double elng, elat, erad;
    VECTOR3 gpos;
    oapiGetGlobalPos(v, &gpos);
    oapiGlobalToEqu(earth, gpos, &elng, &elat, &erad);
    EXPECT_NEAR(elng, lng, 1e-9);
    EXPECT_NEAR(elat, lat, 1e-9);
    EXPECT_NEAR(erad, sim::kEarthRadius, 1e-4);

    for (int i = 0; i < 86; ++i) s.step(1000.0);
    s.step(kSiderealDay - 86000.0);
    VECTOR3 later;
    oapiGetRelativePos(v, earth, &later);
    EXPECT_LT(angle_between(rel, later), 1e-6);
}

TEST(Motion, CircularLowOrbitKeepsRadiusAndPeriod) {
    ScratchRoot root;
    sim::Simulator s(root.path());
    const OBJHANDLE earth = s.body(sim::BodyId::Earth);
    const double a = sim::kEarthRadius + 420e3;
    const double v0 = std::sqrt(sim::kEarthGM / a);
    const double inc = 51.6 * kDeg;
    // Equatorial plane is not needed for this test: any plane through the centre.
    const VECTOR3 r0{a, 0, 0}, vel{0, v0 * std::sin(inc), v0 * std::cos(inc)};
    const OBJHANDLE h = s.create_vessel("Orbiter", "Plain", orbiting(earth, r0, vel));
    ASSERT_NE(h, nullptr);
    const double period = 2 * M_PI * std::sqrt(a * a * a / sim::kEarthGM);

    double rmin = a, rmax = a, crossing = -1;
    double prev_angle = 0;
    for (int i = 1; i <= int(period) + 60; ++i) {
        s.step(1.0);
        VECTOR3 r;
        oapiGetRelativePos(h, earth, &r);
        rmin = std::min(rmin, length(r));
        rmax = std::max(rmax, length(r));
        // Angle travelled in the orbit plane, measured from the start.
        const double y = sim::dot(r, sim::normalised(vel)), x = sim::dot(r, r0) / a;
        double angle = std::atan2(y, x);
        if (angle < 0) angle += 2 * M_PI;
        if (i > 10 && prev_angle > 6 && angle < 1 && crossing < 0) {
            crossing = (i - 1) + (2 * M_PI - prev_angle) / (2 * M_PI - prev_angle + angle);
        }
        prev_angle = angle;
    }
    EXPECT_LT(rmax - a, 1000.0);
    EXPECT_LT(a - rmin, 1000.0);
    ASSERT_GT(crossing, 0);
    EXPECT_NEAR(crossing, period, 1.0);
}

TEST(Motion, GeostationaryVesselHoldsItsLongitude) {
    ScratchRoot root;
    sim::Simulator s(root.path());
    const OBJHANDLE earth = s.body(sim::BodyId::Earth);
    MATRIX3 R;
    oapiGetRotationMatrix(earth, &R);
    const double lng = 30 * kDeg;
    const VECTOR3 p{42164000 * std::cos(lng), 0, 42164000 * std::sin(lng)};
    const VECTOR3 v{-3074.6 * std::sin(lng), 0, 3074.6 * std::cos(lng)};
    const OBJHANDLE h = s.create_vessel("Geo", "Plain", orbiting(earth, sim::mul(R, p), sim::mul(R, v)));
    ASSERT_NE(h, nullptr);
    double worst = 0;
    for (int i = 0; i < 24 * 60; ++i) {
        s.step(60.0);
        VECTOR3 g;
        oapiGetGlobalPos(h, &g);
        double l, la, r;
        oapiGlobalToEqu(earth, g, &l, &la, &r);
        worst = std::max(worst, std::abs(std::remainder(l - lng, 2 * M_PI)));
    }
    EXPECT_LT(worst, 0.1 * kDeg);
}

TEST(Motion, SurfaceReferenceIsTheMoonInsideItsSphere) {
    ScratchRoot root;
    sim::Simulator s(root.path());
    const OBJHANDLE moon = s.body(sim::BodyId::Moon);
    const OBJHANDLE h = s.create_vessel("Lunar", "Plain", orbiting(moon, {1.8e6, 0, 0}, {0, 0, 1600}));
    const OBJHANDLE e = s.create_vessel("Low", "Plain", orbiting(s.body(sim::BodyId::Earth), {7e6, 0, 0}, {0, 0, 7500}));
    EXPECT_EQ(oapiGetVesselInterface(h)->GetSurfaceRef(), moon);
    EXPECT_EQ(oapiGetVesselInterface(e)->GetSurfaceRef(), s.body(sim::BodyId::Earth));
}
