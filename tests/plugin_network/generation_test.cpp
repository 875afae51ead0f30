// Generate Network and Clear Network: what is created where, with which status record,
// names in use, repeated presses, and handles the host no longer honours.
#include <cmath>

#include "host_calls.h"
#include "network_host.h"
#include "sim/core/log.h"

using host_calls::Calls;
using host_calls::CreateRecords;
using ::testing::ElementsAre;

namespace {

constexpr double kRadPerDeg = 0.017453292519943295;

// Three ground stations (Alpha at 0/0 heading 90), two relay satellites at longitudes 0
// and 90 that may not take the focus, and two deep-space stations, the second of which
// bears a ground station's name.
MainFolder SmallNetwork() {
    MainFolder f;
    f.stations =
        "N = 3\nFOCUS = TRUE\n"
        "Base 1 = Alpha\nLong 1 = 0\nLat 1 = 0\nHdg 1 = 90\n"
        "Base 2 = Bravo\nLong 2 = -80.6934\nLat 2 = 28.5081\nHdg 2 = 0\n"
        "Base 3 = Charlie\nLong 3 = 148.9778\nLat 3 = -35.5832\nHdg 3 = 12.5";
    f.relays = "N = 2\nFOCUS = FALSE\nSat 1 = Zero\nLong 1 = 0\nSat 2 = Ninety\nLong 2 = 90";
    f.deepSpace = "N = 2\nFOCUS = TRUE\nBase 1 = Delta\nLong 1 = -4.248\nLat 1 = 40.4312\nHdg 1 = 0\nBase 2 = Alpha";
    return f;
}

class Generation : public NetworkTest {
protected:
    void SetUp() override { Start(SmallNetwork()); }

    MATRIX3 EarthRotation() {
        MATRIX3 m;
        oapiGetRotationMatrix(oapiGetObjectByName("Earth"), &m);
        return m;
    }
    static VECTOR3 Times(const MATRIX3& m, VECTOR3 v) {
        return VECTOR3{m.m11 * v.x + m.m12 * v.y + m.m13 * v.z, m.m21 * v.x + m.m22 * v.y + m.m23 * v.z,
                       m.m31 * v.x + m.m32 * v.y + m.m33 * v.z};
    }
    static void ExpectNear(VECTOR3 got, VECTOR3 want, double tolerance) {
        EXPECT_NEAR(got.x, want.x, tolerance);
        EXPECT_NEAR(got.y, want.y, tolerance);
        EXPECT_NEAR(got.z, want.z, tolerance);
    }
    int CreateCalls() {
        int n = 0;
        for (const std::string& c : Calls()) n += c.rfind("create ", 0) == 0;
        return n;
    }
};

TEST_F(Generation, GroundStationsThenRelaysThenDeepSpaceIntoTheirRosters) {
    Calls().clear();
    K().GenerateNetwork();
    EXPECT_THAT(SlotNames(K().stationRoster, 4), ElementsAre("Alpha", "Bravo", "Charlie", ""));
    EXPECT_THAT(SlotNames(K().relayRoster, 3), ElementsAre("Zero", "Ninety", ""));
    // Alpha is a ground station already: the deep-space entry of that name creates nothing.
    EXPECT_THAT(SlotNames(K().deepSpaceRoster, 3), ElementsAre("Delta", "", ""));
    std::vector<std::string> creates;
    for (const std::string& c : Calls())
        if (c.rfind("create ", 0) == 0) creates.push_back(c);
    EXPECT_THAT(creates, ElementsAre("create Alpha Groundpost", "create Bravo Groundpost", "create Charlie Groundpost",
                                     "create Zero Relvana", "create Ninety Relvana", "create Delta Groundpost"));
    EXPECT_FALSE(*K().trackEnabled);  // generation does not switch tracking on
}

TEST_F(Generation, StationsLandAtTheirCoordinatesInRadians) {
    K().GenerateNetwork();
    struct Want {
        int slot;
        double lng, lat, hdg;  // degrees
    } const wants[] = {{0, 0, 0, 90}, {1, -80.6934, 28.5081, 0}, {2, 148.9778, -35.5832, 12.5}};
    for (const Want& w : wants) {
        SCOPED_TRACE(w.slot);
        const sim::Vessel* v = V(K().stationRoster[w.slot]);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->class_name, "Groundpost");
        EXPECT_EQ(v->state.status, sim::VesselState::Status::Landed);
        EXPECT_EQ(v->state.body, "Earth");
        EXPECT_DOUBLE_EQ(v->state.lng, w.lng * kRadPerDeg);
        EXPECT_DOUBLE_EQ(v->state.lat, w.lat * kRadPerDeg);
        EXPECT_DOUBLE_EQ(v->state.hdg, w.hdg * kRadPerDeg);
    }
    EXPECT_DOUBLE_EQ(V(K().stationRoster[0])->state.hdg, M_PI / 2);
}

TEST_F(Generation, RelaysStartOnTheirGeostationarySlots) {
    const MATRIX3 R = EarthRotation();  // no step passes: Earth's rotation is the one generation used
    K().GenerateNetwork();
    struct Want {
        int slot;
        VECTOR3 pos, vel;  // Earth's frame
    } const wants[] = {{0, {42164000, 0, 0}, {0, 0, 3074.6}}, {1, {0, 0, 42164000}, {-3074.6, 0, 0}}};
    for (const Want& w : wants) {
        SCOPED_TRACE(w.slot);
        const sim::Vessel* v = V(K().relayRoster[w.slot]);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->class_name, "Relvana");
        EXPECT_EQ(v->state.status, sim::VesselState::Status::Orbiting);
        EXPECT_EQ(v->state.body, "Earth");
        ExpectNear(v->state.rpos, Times(R, w.pos), 1e-6);
        ExpectNear(v->state.rvel, Times(R, w.vel), 1e-9);
    }
}

TEST_F(Generation, RelaysStayOverTheirLongitudes) {
    K().GenerateNetwork();
    for (int i = 0; i < 3600; ++i) Sim().step(1.0);
    const OBJHANDLE earth = oapiGetObjectByName("Earth");
    const struct {
        int slot;
        double lngDeg;
    } wants[] = {{0, 0.0}, {1, 90.0}};
    for (const auto& w : wants) {
        SCOPED_TRACE(w.slot);
        VECTOR3 global, local;
        oapiGetGlobalPos(K().relayRoster[w.slot], &global);
        oapiGlobalToLocal(earth, &global, &local);
        EXPECT_NEAR(std::atan2(local.z, local.x) / kRadPerDeg, w.lngDeg, 0.05);
        EXPECT_NEAR(std::hypot(local.x, local.y, local.z), 42164000.0, 2000.0);
        EXPECT_NEAR(local.y, 0.0, 2000.0);
    }
}

TEST_F(Generation, StatusRecordsCarryOnlyTheirFields) {
    K().GenerateNetwork();
    const OBJHANDLE earth = oapiGetObjectByName("Earth");
    ASSERT_EQ(CreateRecords().size(), 6u);
    for (std::size_t i = 0; i < CreateRecords().size(); ++i) {
        SCOPED_TRACE(i);
        const VesselCreateStatus& r = CreateRecords()[i];
        const bool relay = i == 3 || i == 4;
        EXPECT_EQ(r.version, 2u);
        EXPECT_EQ(r.flag, 0u);
        EXPECT_EQ(r.rbody, earth);
        EXPECT_EQ(r.base, nullptr);
        EXPECT_EQ(r.port, 0);
        EXPECT_EQ(r.status, relay ? 0 : 1);
        const double zeros[] = {r.vrot.x, r.vrot.y, r.vrot.z, r.arot.x, r.arot.y, r.arot.z,
                                r.reserved[0], r.reserved[1], r.reserved[2], r.reserved[3]};
        for (double z : zeros) EXPECT_EQ(z, 0.0);
        if (relay) {
            EXPECT_NEAR(std::hypot(r.rpos.x, r.rpos.y, r.rpos.z), 42164000.0, 1e-6);
            EXPECT_NEAR(std::hypot(r.rvel.x, r.rvel.y, r.rvel.z), 3074.6, 1e-9);
            EXPECT_EQ(r.surf_lng, 0.0);
            EXPECT_EQ(r.surf_lat, 0.0);
            EXPECT_EQ(r.surf_hdg, 0.0);
        } else {
            for (double z : {r.rpos.x, r.rpos.y, r.rpos.z, r.rvel.x, r.rvel.y, r.rvel.z}) EXPECT_EQ(z, 0.0);
        }
    }
}

TEST_F(Generation, FocusFlagsReachSetEnableFocus) {
    K().GenerateNetwork();
    EXPECT_TRUE(*K().stationFocus);
    EXPECT_FALSE(*K().relayFocus);
    EXPECT_TRUE(*K().deepSpaceFocus);
    const struct {
        OBJHANDLE vessel;
        double flag;
    } wants[] = {{K().stationRoster[0], 1}, {K().relayRoster[1], 0}, {K().deepSpaceRoster[0], 1}};
    for (const auto& w : wants) {
        const sim::SetterCall* call = V(w.vessel)->last_call("SetEnableFocus");
        ASSERT_NE(call, nullptr) << V(w.vessel)->name();
        EXPECT_EQ(call->values, std::vector<double>{w.flag}) << V(w.vessel)->name();
        EXPECT_EQ(V(w.vessel)->focus_enabled, w.flag == 1);
    }
    EXPECT_FALSE(Sim().set_focus(K().relayRoster[0]));
}

TEST_F(Generation, TwiceInARowCreatesNothingTheSecondTime) {
    K().GenerateNetwork();
    const std::vector<OBJHANDLE> first(K().stationRoster, K().stationRoster + 100);
    const OBJHANDLE relay = K().relayRoster[0];
    Calls().clear();
    K().GenerateNetwork();
    EXPECT_EQ(CreateCalls(), 0);
    EXPECT_EQ(std::vector<OBJHANDLE>(K().stationRoster, K().stationRoster + 100), first);
    EXPECT_EQ(K().relayRoster[0], relay);
    EXPECT_EQ(VesselNames().size(), 6u);
}

TEST_F(Generation, GenerateClearGenerateCreatesEverythingAgainWithNewHandles) {
    K().GenerateNetwork();
    const OBJHANDLE oldStation = K().stationRoster[0], oldRelay = K().relayRoster[1], oldDeep = K().deepSpaceRoster[0];
    *K().trackEnabled = true;
    K().ClearNetwork();
    EXPECT_FALSE(*K().trackEnabled);
    EXPECT_TRUE(VesselNames().empty());
    EXPECT_THAT(SlotNames(K().stationRoster, 3), ElementsAre("", "", ""));
    EXPECT_THAT(SlotNames(K().relayRoster, 2), ElementsAre("", ""));
    EXPECT_THAT(SlotNames(K().deepSpaceRoster, 2), ElementsAre("", ""));
    // Clearing keeps the focus flags.
    EXPECT_TRUE(*K().stationFocus);

    K().GenerateNetwork();
    EXPECT_THAT(SlotNames(K().stationRoster, 3), ElementsAre("Alpha", "Bravo", "Charlie"));
    EXPECT_THAT(SlotNames(K().relayRoster, 2), ElementsAre("Zero", "Ninety"));
    EXPECT_THAT(SlotNames(K().deepSpaceRoster, 2), ElementsAre("Delta", ""));
    EXPECT_NE(K().stationRoster[0], oldStation);
    EXPECT_NE(K().relayRoster[1], oldRelay);
    EXPECT_NE(K().deepSpaceRoster[0], oldDeep);
    EXPECT_FALSE(oapiIsVessel(oldStation));
}

TEST_F(Generation, ClearBeforeAnyGenerationOnlySwitchesTrackingOff) {
    const OBJHANDLE ship = MakeVessel("Ship");
    *K().trackEnabled = true;
    K().ClearNetwork();
    EXPECT_FALSE(*K().trackEnabled);
    EXPECT_TRUE(oapiIsVessel(ship));
    EXPECT_THAT(VesselNames(), ElementsAre("Ship"));
}

TEST_F(Generation, AVesselOfAnotherClassKeepsItsNameAndTheSlotStaysEmpty) {
    const OBJHANDLE impostor = MakeVessel("Bravo");
    K().GenerateNetwork();
    EXPECT_THAT(SlotNames(K().stationRoster, 3), ElementsAre("Alpha", "", "Charlie"));
    EXPECT_EQ(V(impostor)->class_name, "TestShip");
    EXPECT_EQ(V(impostor)->last_call("SetEnableFocus"), nullptr);
    // Clearing deletes only what generation created.
    K().ClearNetwork();
    EXPECT_THAT(VesselNames(), ElementsAre("Bravo"));
}

TEST_F(Generation, ClearDropsTheSelectionsWithTheRosters) {
    K().GenerateNetwork();
    *K().currentStation = K().stationRoster[1];
    *K().currentRelay = K().relayRoster[0];
    K().ClearNetwork();
    EXPECT_EQ(*K().currentStation, nullptr);
    EXPECT_EQ(*K().currentRelay, nullptr);
    // Tracking on again before a new generation, with a focus vessel: the steps measure
    // against nothing that was deleted.
    Sim().set_focus(MakeVessel("Ship"));
    *K().trackEnabled = true;
    for (int i = 0; i < 3; ++i) Sim().step(1.0);
    EXPECT_EQ(sim::contract_violations(), 0u);
}

// Roster vessels that went away without Clear Network: deleted by the user or another
// module, or gone with the end of the run.
TEST_F(Generation, VesselsGoneByOtherMeansAreNeverHandedToTheHost) {
    for (const bool endRun : {false, true}) {
        SCOPED_TRACE(endRun ? "end of the run" : "deleted by other means");
        K().GenerateNetwork();
        const OBJHANDLE bravo = K().stationRoster[1];
        if (endRun) {
            Sim().end_run();
        } else {
            oapiDeleteVessel(bravo, nullptr);
            oapiDeleteVessel(K().relayRoster[0], nullptr);
        }
        ASSERT_FALSE(oapiIsVessel(bravo));
        // Generation fills the freed entries again, with new handles.
        K().GenerateNetwork();
        EXPECT_THAT(SlotNames(K().stationRoster, 3), ElementsAre("Alpha", "Bravo", "Charlie"));
        EXPECT_THAT(SlotNames(K().relayRoster, 2), ElementsAre("Zero", "Ninety"));
        EXPECT_NE(K().stationRoster[1], bravo);
        // And clearing after another loss deletes only live vessels.
        oapiDeleteVessel(K().stationRoster[2], nullptr);
        Sim().end_run();
        K().ClearNetwork();
        EXPECT_THAT(SlotNames(K().stationRoster, 3), ElementsAre("", "", ""));
        EXPECT_EQ(sim::contract_violations(), 0u);
    }
}

TEST_F(Generation, AVesselTheHostCannotCreateLeavesItsSlotEmpty) {
    host_calls::refuseCreation = true;
    K().GenerateNetwork();
    // Every entry is tried; Alpha in both station lists, since neither attempt created it.
    EXPECT_EQ(CreateCalls(), 7);
    EXPECT_THAT(SlotNames(K().stationRoster, 3), ElementsAre("", "", ""));
    EXPECT_THAT(SlotNames(K().relayRoster, 2), ElementsAre("", ""));
    EXPECT_TRUE(VesselNames().empty());
    EXPECT_EQ(sim::contract_violations(), 0u);
    // Once the host creates again, the next press fills the rosters.
    host_calls::refuseCreation = false;
    K().GenerateNetwork();
    EXPECT_THAT(SlotNames(K().stationRoster, 3), ElementsAre("Alpha", "Bravo", "Charlie"));
}

TEST_F(Generation, WithoutAnEarthNothingIsCreated) {
    host_calls::hideEarth = true;
    Calls().clear();
    K().GenerateNetwork();
    K().ClearNetwork();
    EXPECT_EQ(CreateCalls(), 0);
    EXPECT_TRUE(VesselNames().empty());
    EXPECT_FALSE(*K().stationFocus);  // nothing of the files was read
    EXPECT_EQ(sim::contract_violations(), 0u);
}

}  // namespace
