// Stale and foreign handles: every call does nothing, crashes nothing and counts one
// violation; the end of a run makes every handle of that run stale.
#include "fixture.h"

using namespace hosttest;

namespace {

struct Call {
    const char* name;
    void (*run)(OBJHANDLE stale);
};

const Call kCalls[] = {
    {"oapiGetGlobalPos", [](OBJHANDLE h) { VECTOR3 p{1, 2, 3}; oapiGetGlobalPos(h, &p); EXPECT_EQ(p.x, 1); }},
    {"oapiGetRelativePos", [](OBJHANDLE h) { VECTOR3 p{1, 2, 3}; oapiGetRelativePos(h, oapiGetObjectByName("Earth"), &p); EXPECT_EQ(p.y, 2); }},
    {"oapiGetFocusRelativePos", [](OBJHANDLE h) { VECTOR3 p{1, 2, 3}; oapiGetFocusRelativePos(h, &p); }},
    {"oapiGlobalToLocal", [](OBJHANDLE h) { VECTOR3 g{0, 0, 0}, l{5, 5, 5}; oapiGlobalToLocal(h, &g, &l); EXPECT_EQ(l.z, 5); }},
    {"oapiGlobalToEqu", [](OBJHANDLE h) { double a = 7, b = 7, r = 7; oapiGlobalToEqu(h, VECTOR3{0, 0, 0}, &a, &b, &r); EXPECT_EQ(r, 7); }},
    {"oapiGetRotationMatrix", [](OBJHANDLE h) { MATRIX3 m{}; oapiGetRotationMatrix(h, &m); EXPECT_EQ(m.m11, 0); }},
    {"oapiGetSize", [](OBJHANDLE h) { EXPECT_EQ(oapiGetSize(h), 0.0); }},
    {"oapiGetObjectName", [](OBJHANDLE h) { char n[8] = "keep"; oapiGetObjectName(h, n, 8); EXPECT_STREQ(n, "keep"); }},
    {"oapiGetVesselInterface", [](OBJHANDLE h) { EXPECT_EQ(oapiGetVesselInterface(h), nullptr); }},
    {"oapiDeleteVessel", [](OBJHANDLE h) { EXPECT_FALSE(oapiDeleteVessel(h, nullptr)); }},
};

}  // namespace

TEST(Handles, EveryCallWithADeletedVesselCountsOneViolation) {
    ScratchRoot root;
    sim::Simulator s(root.path());
    const OBJHANDLE earth = s.body(sim::BodyId::Earth);
    const OBJHANDLE keep = s.create_vessel("Keeper", "Plain", orbiting(earth, {8e6, 0, 0}, {0, 0, 7000}));
    const OBJHANDLE gone = s.create_vessel("Gone", "Plain", orbiting(earth, {7e6, 0, 0}, {0, 0, 7500}));
    ASSERT_TRUE(keep && gone);
    ASSERT_TRUE(oapiDeleteVessel(gone, nullptr));
    ASSERT_FALSE(oapiIsVessel(gone));
    for (const Call& c : kCalls) {
        SCOPED_TRACE(c.name);
        sim::reset_contract_violations();
        c.run(gone);
        EXPECT_EQ(sim::contract_violations(), 1u);
        EXPECT_NE(sim::log().lines().back().find(c.name), std::string::npos) << sim::log().lines().back();
    }
    sim::reset_contract_violations();
    VESSEL2 stale(gone);
    stale.SetSize(3);
    stale.SetEnableFocus(false);
    EXPECT_STREQ(stale.GetName(), "");
    EXPECT_EQ(sim::contract_violations(), 3u);
}

TEST(Handles, NameReuseGivesANewHandle) {
    ScratchRoot root;
    sim::Simulator s(root.path());
    const OBJHANDLE earth = s.body(sim::BodyId::Earth);
    const OBJHANDLE first = s.create_vessel("Twin", "Plain", orbiting(earth, {7e6, 0, 0}, {0, 0, 7500}));
    EXPECT_EQ(s.create_vessel("Twin", "Plain", orbiting(earth, {7e6, 0, 0}, {0, 0, 7500})), nullptr)
        << "names are unique";
    oapiDeleteVessel(first, nullptr);
    const OBJHANDLE second = s.create_vessel("Twin", "Plain", orbiting(earth, {7e6, 0, 0}, {0, 0, 7500}));
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_FALSE(oapiIsVessel(first));
    EXPECT_TRUE(oapiIsVessel(second));
}

TEST(Handles, EndOfRunMakesEveryHandleStale) {
    ScratchRoot root;
    sim::Simulator s(root.path());
    const OBJHANDLE earth = s.body(sim::BodyId::Earth);
    const OBJHANDLE v = s.create_vessel("Runner", "Probe", orbiting(earth, {7e6, 0, 0}, {0, 0, 7500}));
    ASSERT_NE(v, nullptr);
    s.end_run();
    sim::reset_contract_violations();
    VECTOR3 p;
    oapiGetGlobalPos(v, &p);
    oapiGetGlobalPos(earth, &p);
    EXPECT_EQ(sim::contract_violations(), 2u);
    EXPECT_NE(oapiGetObjectByName("Earth"), earth) << "a new run has new bodies";
    EXPECT_EQ(s.sim_time(), 0.0);
}

TEST(Handles, ForeignHandleKindIsRefused) {
    ScratchRoot root;
    sim::Simulator s(root.path());
    const MESHHANDLE mesh = oapiLoadMeshGlobal("Nothing\\Here");
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(oapiLoadMeshGlobal("Nothing\\Here"), mesh) << "one handle per name";
    sim::reset_contract_violations();
    EXPECT_EQ(oapiGetSize(reinterpret_cast<OBJHANDLE>(mesh)), 0.0);
    EXPECT_EQ(sim::contract_violations(), 1u);
}

TEST(Handles, BodiesAreNotVessels) {
    ScratchRoot root;
    sim::Simulator s(root.path());
    sim::reset_contract_violations();
    EXPECT_FALSE(oapiIsVessel(oapiGetObjectByName("Earth")));
    EXPECT_EQ(sim::contract_violations(), 0u) << "asking is not a violation";
    EXPECT_EQ(oapiGetVesselInterface(oapiGetObjectByName("Moon")), nullptr);
    EXPECT_EQ(sim::contract_violations(), 1u);
}

TEST(Handles, NamesThatWouldBreakASavedScenarioAreRefused) {
    ScratchRoot root;
    sim::Simulator s(root.path());
    const OBJHANDLE earth = s.body(sim::BodyId::Earth);
    const auto st = orbiting(earth, {7e6, 0, 0}, {0, 0, 7500});
    for (const char* bad : {"", " Lead", "Trail ", "Line\nBreak", "Tab\tName"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(s.create_vessel(bad, "Plain", st), nullptr);
    }
    EXPECT_EQ(s.create_vessel("Ok", "Bad:Class", st), nullptr);
    EXPECT_NE(s.create_vessel("Merritt Island", "Plain", st), nullptr) << "inner blanks are fine";
}
