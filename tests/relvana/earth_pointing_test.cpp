// Relvana: the attitude that turns +z on the Earth's centre, exactly on the worked
// cases and through the host over a day in orbit.
#include <gtest/gtest.h>

#include <cmath>

#include "host_fixture.h"
#include "sim/core/vecmath.h"
#include "sources/Relvana/earth_pointing.h"

namespace relvana_test {
namespace {

using sim::operator+;
using sim::operator-;

void ExpectExactly(const VECTOR3& got, const VECTOR3& want, const char* what) {
    EXPECT_EQ(got.x, want.x) << what;
    EXPECT_EQ(got.y, want.y) << what;
    EXPECT_EQ(got.z, want.z) << what;
}

struct WorkedCase {
    const char* name;
    VECTOR3 vessel;  // Earth at the origin
    VECTOR3 z, u, x, y;
    MATRIX3 R;
};

const WorkedCase kWorkedCases[] = {
    {"on +x", {42164000, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 1, 0}, {0, 0, -1, 0, 1, 0, 1, 0, 0}},
    {"on +z", {0, 0, 42164000}, {0, 0, -1}, {0, 1, 0}, {-1, 0, 0}, {0, 1, 0}, {-1, 0, 0, 0, 1, 0, 0, 0, -1}},
    {"on +y", {0, 42164000, 0}, {0, -1, 0}, {1, 0, 0}, {0, 0, -1}, {1, 0, 0}, {0, 1, 0, 0, 0, -1, -1, 0, 0}},
};

TEST(PointingFrame, WorkedCasesExactly) {
    for (const WorkedCase& c : kWorkedCases) {
        SCOPED_TRACE(c.name);
        POINTING_FRAME f;
        ASSERT_TRUE(FrameTowards(c.vessel, {0, 0, 0}, f));
        ExpectExactly(f.z, c.z, "z");
        ExpectExactly(f.u, c.u, "u");
        ExpectExactly(f.x, c.x, "x");
        ExpectExactly(f.y, c.y, "y");
        const double* got = &f.R.m11;
        const double* want = &c.R.m11;
        for (int i = 0; i < 9; ++i) EXPECT_EQ(got[i], want[i]) << "R element " << i;
    }
}

TEST(PointingFrame, AuxiliaryAxisSwitchesStrictlyAboveOneThousandth) {
    struct Case {
        double zx, zz;
        VECTOR3 u;
    };
    const Case cases[] = {
        {0.001, 0, {1, 0, 0}},
        {-0.001, 0.001, {1, 0, 0}},
        {0.0011, 0, {0, 1, 0}},
        {0, -0.0011, {0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.zx) + ", " + std::to_string(c.zz));
        const VECTOR3 z{c.zx, -std::sqrt(1 - c.zx * c.zx - c.zz * c.zz), c.zz};
        ExpectExactly(FrameFacing(z).u, c.u, "u");
    }
}

TEST(PointingFrame, IsARotationTakingPlusZOntoTheDirection) {
    const VECTOR3 directions[] = {{3, 4, 12}, {-1, 0.0005, 0.0001}, {0.0009, 1, -0.0009}, {0.2, -0.9, 0.1}};
    for (const VECTOR3& d : directions) {
        POINTING_FRAME f;
        ASSERT_TRUE(FrameTowards({0, 0, 0}, d, f));
        const VECTOR3 z = sim::normalised(d);
        const VECTOR3 rz = sim::mul(f.R, VECTOR3{0, 0, 1});
        EXPECT_NEAR(rz.x, z.x, 1e-15);
        EXPECT_NEAR(rz.y, z.y, 1e-15);
        EXPECT_NEAR(rz.z, z.z, 1e-15);
        const MATRIX3 rtr = sim::mul(sim::transpose(f.R), f.R);
        const double* m = &rtr.m11;
        for (int i = 0; i < 9; ++i) EXPECT_NEAR(m[i], i % 4 == 0 ? 1.0 : 0.0, 1e-15);
    }
}

TEST(PointingFrame, NoDirectionWhenThePositionsCoincide) {
    POINTING_FRAME f{};
    f.u = {7, 7, 7};
    EXPECT_FALSE(FrameTowards({5, 6, 7}, {5, 6, 7}, f));
    EXPECT_FALSE(FrameTowards({0, 0, 0}, {NAN, 0, 0}, f));
    EXPECT_EQ(f.u.x, 7.0);
}

using Pointing = HostTest;

TEST_F(Pointing, WithoutATargetTheAttitudeIsLeftAlone) {
    const OBJHANDLE h = CreatePlain("Plain");
    sim::Vessel& v = VesselOf(h);
    const MATRIX3 tilted = sim::rotation({0, 1, 0}, 0.3);
    v.iface->SetRotationMatrix(tilted);
    TurnZAxisTowards(*v.iface, nullptr);
    const double* got = &v.state.attitude.m11;
    const double* want = &tilted.m11;
    for (int i = 0; i < 9; ++i) EXPECT_EQ(got[i], want[i]);
    // And with the Earth as target, +z turns onto it.
    TurnZAxisTowards(*v.iface, sim.find_object("Earth"));
    const VECTOR3 z = sim::mul(v.state.attitude, VECTOR3{0, 0, 1});
    const VECTOR3 to_earth = sim::normalised(sim.global_pos(*sim.object(sim.find_object("Earth"))) - v.global_pos);
    EXPECT_NEAR(sim::dot(z, to_earth), 1.0, 1e-12);
}

TEST_F(Pointing, PlusZStaysOnEarthsCentreForADay) {
    const OBJHANDLE h = CreateRelay("Relay-1", {0.6, 0, 0.8});
    const OBJHANDLE earth = sim.find_object("Earth");
    constexpr double kStep = 60.0;  // s
    constexpr int kSteps = int(86400 / kStep);
    double worst = 0;
    for (int i = 0; i < kSteps; ++i) {
        sim.step(kStep);
        const sim::Vessel& v = VesselOf(h);
        const VECTOR3 to_earth = sim::normalised(sim.global_pos(*sim.object(earth)) - v.global_pos);
        const VECTOR3 z = sim::mul(v.state.attitude, VECTOR3{0, 0, 1});
        worst = std::max(worst, sim::length(z - to_earth));
    }
    EXPECT_LT(worst, 1e-9);
}

}  // namespace
}  // namespace relvana_test
