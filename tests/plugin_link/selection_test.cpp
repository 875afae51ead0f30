// The station and relay searches inside the plug-in's step: the nearest candidate, the
// horizon, ties, empty slots, list counts and the altitude bands.
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "link_host.h"
#include "read_counter.h"

namespace {

constexpr double kLeo = kEarthR + 5e5;  // 500 km up: the horizon lies 22 degrees away

class SelectionTest : public LinkTest {
protected:
    // A ship above longitude 0, latitude 0 at `r` metres from Earth's centre, with the
    // focus, tracking on and the readout dialog open.
    OBJHANDLE Ship(double r = kLeo) {
        const OBJHANDLE ship = Free("Ship", Above(0, 0, r));
        Focus(ship);
        Track();
        OpenReadouts();
        return ship;
    }
    // A relay probe `metres` from the ship along the ship's local vertical.
    OBJHANDLE RelayAbove(const std::string& name, OBJHANDLE ship, double metres) {
        const VECTOR3 at = FromEarth(ship);
        return Free(name, Add(at, Scale(Unit(at), metres)));
    }
    void Fill(OBJHANDLE* roster, const std::vector<OBJHANDLE>& slots) {
        for (int i = 0; i < 100; ++i) roster[i] = i < int(slots.size()) ? slots[i] : nullptr;
    }
};

TEST_F(SelectionTest, NearestStationServesOnlyAboveTheHorizon) {
    Ship();
    const OBJHANDLE far = Landed("Far", 100, 0);
    const OBJHANDLE near = Landed("Near", 10, 0);
    const OBJHANDLE mid = Landed("Mid", 20, 0);
    Fill(K().stationRoster, {far, near, mid});
    Step();
    EXPECT_EQ(*K().currentStation, near);
    EXPECT_EQ(Text(1008), "Near");

    // The nearest station is below the horizon: none serves, although a farther one
    // would not either.
    const OBJHANDLE low = Landed("Low", 30, 0);
    Fill(K().stationRoster, {far, low});
    Step();
    EXPECT_EQ(*K().currentStation, nullptr);
    EXPECT_EQ(Text(1008), "N/A");
}

TEST_F(SelectionTest, FocusInsideTheSphereSeesNoStation) {
    Ship(kEarthR - 1000.0);
    const OBJHANDLE below = Landed("RightBelow", 0, 0);  // 1 km away
    Fill(K().stationRoster, {below});
    *K().currentStation = below;
    Step();
    EXPECT_EQ(*K().currentStation, nullptr);
    EXPECT_EQ(Text(1008), "N/A");
}

TEST_F(SelectionTest, TiesGoToTheHigherSlot) {
    const OBJHANDLE ship = Ship();
    const OBJHANDLE twinA = Landed("TwinA", 5, 5);
    const OBJHANDLE farther = Landed("Farther", 15, 0);
    const OBJHANDLE twinB = Landed("TwinB", 5, 5);
    Fill(K().stationRoster, {twinA, farther, twinB});
    const OBJHANDLE relayA = RelayAbove("RelayA", ship, 3e6);
    const OBJHANDLE relayB = RelayAbove("RelayB", ship, 3e6);
    const OBJHANDLE relayFar = RelayAbove("RelayFar", ship, 5e6);
    Fill(K().relayRoster, {relayA, relayB, relayFar});
    Step();
    EXPECT_EQ(*K().currentStation, twinB);
    EXPECT_EQ(*K().currentRelay, relayB);
    EXPECT_EQ(*K().relayIndex, 1);
}

TEST_F(SelectionTest, RelayIsChosenByDistanceEvenBehindEarth) {
    const OBJHANDLE ship = Ship(kEarthR + 2e7);
    const OBJHANDLE behind = Free("Behind", Above(180, 0, 42164000));  // 6.9e7 m away
    const OBJHANDLE overhead = Free("Overhead", Above(0, 0, 1e8));     // 7.4e7 m away
    Fill(K().relayRoster, {overhead, behind});
    Step();
    EXPECT_EQ(*K().currentRelay, behind);
    EXPECT_EQ(Text(1003), "Behind");
    (void)ship;
}

// An empty slot after slot 0 (its entry's name was taken when the network was made)
// is not measured and is never chosen, wherever it lies among the occupied ones.
TEST_F(SelectionTest, EmptySlotsAreNeverChosen) {
    struct Case {
        const char* what;
        std::vector<int> layout;  // per slot: 0 empty, 1 near, 2 far
        int chosen;               // slot of the expected choice
    };
    const Case cases[] = {
        {"near, empty, far", {1, 0, 2}, 0},
        {"far, empty, near", {2, 0, 1}, 2},
        {"far, near, empty", {2, 1, 0}, 1},
        {"near, far, empty", {1, 2, 0}, 0},
        {"only slot 0, then empty", {2, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start(ListFiles{"N = 3", "N = 3", "N = 3"});
        const OBJHANDLE ship = Ship();
        std::vector<OBJHANDLE> stations, relays;
        for (int i = 0; i < int(c.layout.size()); ++i) {
            const std::string n = std::to_string(i);
            if (c.layout[i] == 0) {
                stations.push_back(nullptr);
                relays.push_back(nullptr);
                continue;
            }
            const bool near = c.layout[i] == 1;
            stations.push_back(Landed("Station" + n, near ? 5 : 15, 0));
            relays.push_back(RelayAbove("Relay" + n, ship, near ? 1e6 : 2e6));
        }
        Fill(K().stationRoster, stations);
        Fill(K().relayRoster, relays);
        Step();
        EXPECT_EQ(*K().currentStation, stations[c.chosen]);
        EXPECT_EQ(*K().currentRelay, relays[c.chosen]);
        EXPECT_EQ(*K().relayIndex, c.chosen);
    }
}

// The count of a list bounds its search to the roster: a count of 0 (or below, or a
// file without "N") with slot 0 filled searches nothing and selects nothing; a count
// above 100 searches the 100 slots; a count below the filled slots ignores the rest.
TEST_F(SelectionTest, ListCountsAreBoundedToTheRosters) {
    struct Case {
        const char* what;
        const char* count;
        int filled;   // slots filled, the nearest station and relay in the last of them
        int chosen;   // expected slot, or -1 for none
    };
    const Case cases[] = {
        {"count 0", "N = 0", 2, -1},
        {"negative count", "N = -4", 2, -1},
        {"no count", "", 2, -1},
        {"count 150", "N = 150", 100, 99},
        {"count 2 of 3 filled", "N = 2", 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start(ListFiles{c.count, c.count, c.count});
        const OBJHANDLE ship = Ship();
        std::vector<OBJHANDLE> stations, relays;
        for (int i = 0; i < c.filled; ++i) {
            const std::string n = std::to_string(i);
            // Nearer with every slot; with three filled the last is the nearest and slot 0
            // is nearer than slot 1.
            const double step = c.filled == 3 ? std::array{1.0, 2.0, 0.0}[i] : c.filled - i;
            stations.push_back(Landed("Station" + n, 0.1 * step, 1));
            relays.push_back(RelayAbove("Relay" + n, ship, 1e6 + 1e4 * step));
        }
        Fill(K().stationRoster, stations);
        Fill(K().relayRoster, relays);
        *K().currentStation = stations[0];
        *K().currentRelay = relays[0];
        Step();
        EXPECT_EQ(*K().currentStation, c.chosen < 0 ? nullptr : stations[c.chosen]);
        EXPECT_EQ(*K().currentRelay, c.chosen < 0 ? nullptr : relays[c.chosen]);
        EXPECT_EQ(Text(1008), c.chosen < 0 ? "N/A" : "Station" + std::to_string(c.chosen));
    }
}

TEST_F(SelectionTest, AnEmptySlotZeroChangesNothing) {
    const OBJHANDLE ship = Ship();
    const OBJHANDLE station = Landed("Station", 5, 0);
    const OBJHANDLE relay = RelayAbove("Relay", ship, 1e6);
    Fill(K().stationRoster, {station});
    Fill(K().relayRoster, {relay});
    Step();
    ASSERT_EQ(Text(1008), "Station");

    // The lists lose slot 0 (slot 1 still names a vessel): the searches keep their
    // results and the station text keeps its last value.
    const OBJHANDLE other = Landed("Other", 1, 0);
    Fill(K().stationRoster, {nullptr, other});
    Fill(K().relayRoster, {nullptr, RelayAbove("Other relay", ship, 5e5)});
    Step();
    EXPECT_EQ(*K().currentStation, station);
    EXPECT_EQ(*K().currentRelay, relay);
    EXPECT_EQ(Text(1008), "Station");
}

// Which roster feeds the one station result, and whether a relay serves, by altitude.
TEST_F(SelectionTest, AltitudeChoosesTheNetwork) {
    struct Case {
        const char* what;
        double altitude;
        bool deepSpace;
        bool relay;
    };
    const Case cases[] = {
        {"low orbit", 1e7, false, true},
        {"beyond the relays", 1e8, false, false},
        {"deep space", 1e9, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start(ListFiles{});
        const OBJHANDLE ship = Ship(kEarthR + c.altitude);
        const OBJHANDLE ground = Landed("Ground", 0, 0);
        const OBJHANDLE deep = Landed("Deep", 0, 1);
        const OBJHANDLE relay = RelayAbove("Relay", ship, -1e6);
        Fill(K().stationRoster, {ground});
        Fill(K().deepSpaceRoster, {deep});
        Fill(K().relayRoster, {relay});
        *K().currentRelay = relay;
        Step();
        EXPECT_EQ(*K().currentStation, c.deepSpace ? deep : ground);
        EXPECT_EQ(Text(1008), c.deepSpace ? "Deep" : "Ground");
        EXPECT_EQ(*K().currentRelay, c.relay ? relay : nullptr);
        EXPECT_EQ(Text(1003), c.relay ? "Relay" : "N/A");
        if (!c.relay) {
            EXPECT_EQ(Text(1004), "N/A");
            EXPECT_EQ(Text(1010), "N/A");
        }
    }
}

// The band edges themselves, through the host: a ship placed so that its altitude comes
// back from the host as exactly 3e7 m or 4e8 m.
TEST_F(SelectionTest, BandEdgesThroughTheHost) {
    struct Case {
        double altitude;
        bool deepSpace;
    };
    for (const Case& c : {Case{3e7, false}, Case{4e8, true}}) {
        SCOPED_TRACE(c.altitude);
        Start(ListFiles{});
        // Along the global axis of Earth's largest coordinate, on the side where adding
        // the offset to that coordinate is exact, the host hands the offset back exactly.
        VECTOR3 earth;
        oapiGetGlobalPos(oapiGetObjectByName("Earth"), &earth);
        double* e = &earth.x;
        int axis = 0;
        for (int i = 1; i < 3; ++i)
            if (std::fabs(e[i]) > std::fabs(e[axis])) axis = i;
        const double r = kEarthR + c.altitude;
        const double sign = (e[axis] + r) - e[axis] == r ? 1.0 : -1.0;
        auto along = [&](double metres) {
            VECTOR3 v{0, 0, 0};
            (&v.x)[axis] = sign * metres;
            return v;
        };
        const OBJHANDLE ship = Free("Ship", along(r));
        Focus(ship);
        ASSERT_EQ(K().FocusAltitude(), c.altitude) << "the host did not place the ship exactly";
        Track();
        OpenReadouts();
        const OBJHANDLE ground = Free("Ground", along(kEarthR + 1e3));
        const OBJHANDLE deep = Free("Deep", along(kEarthR + 2e3));
        const OBJHANDLE relay = Free("Relay", along(r - 1e6));
        Fill(K().stationRoster, {ground});
        Fill(K().deepSpaceRoster, {deep});
        Fill(K().relayRoster, {relay});
        *K().currentRelay = relay;
        PostStep(1.0);  // nothing moves
        EXPECT_EQ(*K().currentStation, c.deepSpace ? deep : ground);
        EXPECT_EQ(*K().currentRelay, nullptr);
        EXPECT_EQ(Text(1003), "N/A");
    }
}

// A search reads its list's count through the host every time: once before each slot,
// once more to end the loop, and once for the minimum (n + 2 reads). A list no search
// uses is not read.
TEST_F(SelectionTest, EachSearchReadsItsCountThroughTheHostEveryTime) {
    struct Case {
        const char* what;
        double altitude;
        int stationReads, relayReads, deepSpaceReads;
    };
    const Case cases[] = {
        {"low orbit", 1e7, 3 + 2, 2 + 2, 0},
        {"beyond the relays", 1e8, 3 + 2, 0, 0},
        {"deep space", 1e9, 0, 0, 1 + 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start(ListFiles{"N = 3", "N = 2", "N = 1"});
        const OBJHANDLE ship = Ship(kEarthR + c.altitude);
        Fill(K().stationRoster, {Landed("G0", 0, 0), Landed("G1", 10, 0), Landed("G2", 20, 0)});
        Fill(K().relayRoster, {RelayAbove("R0", ship, -1e6), RelayAbove("R1", ship, -2e6)});
        Fill(K().deepSpaceRoster, {Landed("D0", 0, 1)});
        read_counter::Reset();
        PostStep(1.0);
        EXPECT_EQ(read_counter::Reads(*K().stationFile, "N"), c.stationReads);
        EXPECT_EQ(read_counter::Reads(*K().relayFile, "N"), c.relayReads);
        EXPECT_EQ(read_counter::Reads(*K().deepSpaceFile, "N"), c.deepSpaceReads);
    }
}

}  // namespace
