// The step driver: the map clock, and handles that the host has since made stale.
#include <string>
#include <vector>

#include "link_host.h"

namespace {

// The map is repainted when the clock is strictly more than 3 s from the last repaint,
// either way, and the repaint time moves on whether or not the map is open.
TEST_F(LinkTest, MapClockRepaintsAfterMoreThanThreeSecondsEitherWay) {
    struct Tick {
        double simt;
        double lastRefresh;  // expected after the step
    };
    const Tick ticks[] = {
        {1.0, 0.0},    {3.0, 0.0},   // exactly 3 s from the load-time 0.0: not yet
        {3.5, 3.5},    {6.5, 3.5},   {6.75, 6.75},
        {3.75, 6.75},                // back exactly 3 s
        {3.5, 3.5},                  // back 3.25 s
        {0.0, 0.0},    {-1.0, 0.0},  {100.0, 100.0},
    };
    for (bool mapOpen : {false, true}) {
        SCOPED_TRACE(mapOpen ? "map open" : "map closed");
        *K().lastMapRefresh = 0.0;
        if (mapOpen) OpenMap();
        for (const Tick& t : ticks) {
            SCOPED_TRACE(t.simt);
            PostStep(t.simt);
            EXPECT_EQ(*K().lastMapRefresh, t.lastRefresh);
        }
    }
}

TEST_F(LinkTest, StepWithoutFocusShowsNoLink) {
    OpenReadouts();
    OpenMap();
    Track();
    PostStep(10.0);
    for (int id : {1008, 1001, 1005, 1003, 1004, 1010}) EXPECT_EQ(Text(id), "N/A") << id;
    EXPECT_EQ(*K().currentStation, nullptr);
    EXPECT_EQ(*K().currentRelay, nullptr);
}

class StaleHandleTest : public LinkTest {
protected:
    // A ship in low orbit with the focus, tracking on, the readout dialog and the map
    // open; three ground stations, two relays and a deep-space station in the rosters,
    // and one step taken so that a station and a relay are selected.
    void SetUp() override {
        LinkTest::SetUp();
        ship = Free("Ship", Above(0, 0, kEarthR + 5e5));
        Focus(ship);
        Track();
        OpenReadouts();
        OpenMap();
        const double lng[] = {2, 8, 15};
        for (int i = 0; i < 3; ++i) K().stationRoster[i] = Landed("Station" + std::to_string(i), lng[i], 0);
        const VECTOR3 at = FromEarth(ship);
        K().relayRoster[0] = Free("Relay0", Add(at, Scale(Unit(at), 1e6)));
        K().relayRoster[1] = Free("Relay1", Add(at, Scale(Unit(at), 2e6)));
        K().deepSpaceRoster[0] = Landed("Deep0", 0, 30);
        Step();
        ASSERT_EQ(*K().currentStation, K().stationRoster[0]);
        ASSERT_EQ(*K().currentRelay, K().relayRoster[0]);
    }
    void DeleteVessel(OBJHANDLE vessel) { ASSERT_TRUE(oapiDeleteVessel(vessel, nullptr)); }
    int Occupied(const OBJHANDLE* roster) {
        int n = 0;
        for (int i = 0; i < 100; ++i) n += roster[i] != nullptr;
        return n;
    }

    OBJHANDLE ship = nullptr;
};

// The selected station and relay deleted by other means: the next step forgets their
// handles and selects among the vessels that are left.
TEST_F(StaleHandleTest, VesselsDeletedByOtherMeans) {
    const OBJHANDLE nextStation = K().stationRoster[1];
    const OBJHANDLE nextRelay = K().relayRoster[1];
    DeleteVessel(K().stationRoster[0]);
    DeleteVessel(K().relayRoster[0]);
    Step();
    EXPECT_EQ(K().stationRoster[0], nullptr);
    EXPECT_EQ(K().relayRoster[0], nullptr);
    // Slot 0 is now empty: no network in either list, so the searches change nothing but
    // the dead selections are gone.
    EXPECT_EQ(*K().currentStation, nullptr);
    EXPECT_EQ(*K().currentRelay, nullptr);
    EXPECT_EQ(Text(1003), "N/A");

    // A vessel deleted from a later slot leaves the rest of the list serving.
    K().stationRoster[0] = nextStation;
    K().relayRoster[0] = nextRelay;
    K().stationRoster[1] = nullptr;
    K().relayRoster[1] = nullptr;
    DeleteVessel(K().stationRoster[2]);
    Step();
    EXPECT_EQ(*K().currentStation, nextStation);
    EXPECT_EQ(*K().currentRelay, nextRelay);
    EXPECT_EQ(Occupied(K().stationRoster), 1);
}

// Clearing the network deletes the vessels and switches tracking off, but leaves the
// selections naming them; tracking switched on again before a new network must not
// measure against them, nor draw them on the map.
TEST_F(StaleHandleTest, SelectionsLeftByClearingTheNetwork) {
    *K().trackEnabled = false;
    for (OBJHANDLE* roster : {K().deepSpaceRoster, K().stationRoster, K().relayRoster}) {
        for (int i = 0; i < 100; ++i) {
            if (roster[i]) DeleteVessel(roster[i]);
            roster[i] = nullptr;
        }
    }
    Track();
    for (int i = 0; i < 3; ++i) Step();
    EXPECT_EQ(*K().currentStation, nullptr);
    EXPECT_EQ(*K().currentRelay, nullptr);
    for (int id : {1001, 1005, 1003, 1004, 1010}) EXPECT_EQ(Text(id), "N/A") << id;
}

// The end of a run deletes every vessel while the plug-in stays loaded; steps of the next
// run (first without any vessel, then with a new ship) reach the host with no old handle.
TEST_F(StaleHandleTest, EndOfARun) {
    Sim().end_run();
    Step();
    EXPECT_EQ(Occupied(K().stationRoster) + Occupied(K().relayRoster) + Occupied(K().deepSpaceRoster), 0);
    EXPECT_EQ(*K().currentStation, nullptr);
    EXPECT_EQ(*K().currentRelay, nullptr);

    const OBJHANDLE newShip = Free("New ship", Above(0, 0, kEarthR + 5e5));
    Focus(newShip);
    Step();
    EXPECT_EQ(Text(1008), "N/A");
}

}  // namespace
