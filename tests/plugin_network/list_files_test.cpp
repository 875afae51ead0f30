// How the list files' items reach the rosters: counts out of range, missing items,
// names in use and over-long names, the focus item, angles in degrees.
#include <cmath>
#include <cstdio>

#include "host_calls.h"
#include "network_host.h"

using ::testing::ElementsAre;

namespace {

constexpr double kRadPerDeg = 0.017453292519943295;

class ListFiles : public NetworkTest {};

std::string Entries(const char* pattern, int first, int last) {
    std::string text;
    for (int i = first; i <= last; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, pattern, i, i);
        text += line;
    }
    return text;
}

struct CountCase {
    const char* name;
    std::string stations;           // the ground station file
    std::vector<std::string> slots;  // names in slots 0 .. 4
};

TEST_F(ListFiles, EntriesReachTheRosterUpToTheCount) {
    const std::string five = Entries("Base %d = S%d\n", 1, 5);
    const CountCase cases[] = {
        {"N of 0", "N = 0\n" + five, {"", "", "", "", ""}},
        {"N of -1", "N = -1\n" + five, {"", "", "", "", ""}},
        {"no N", five, {"", "", "", "", ""}},
        {"N of 3 reads no key above 3", "N = 3\n" + five, {"S1", "S2", "S3", "", ""}},
        {"a missing name is the previous entry's, in use", "N = 3\nBase 1 = S1\nBase 3 = S3", {"S1", "", "S3", "", ""}},
        {"a first entry without a name creates nothing", "N = 2\nBase 2 = S2", {"", "S2", "", "", ""}},
        {"an empty name creates nothing", "N = 2\nBase 1 =\nBase 2 = S2", {"", "S2", "", "", ""}},
        {"the same name twice", "N = 2\nBase 1 = S1\nBase 2 = S1", {"S1", "", "", "", ""}},
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(c.name);
        MainFolder folder;
        folder.stations = c.stations;
        Start(folder);
        K().GenerateNetwork();
        EXPECT_EQ(SlotNames(K().stationRoster, 5), c.slots);
        int created = 0;
        for (const std::string& s : c.slots) created += !s.empty();
        EXPECT_EQ(int(VesselNames().size()), created);
        // Clearing walks the same count and leaves nothing behind.
        K().ClearNetwork();
        EXPECT_TRUE(VesselNames().empty());
    }
}

TEST_F(ListFiles, NoEntryPastTheHundredthReachesARoster) {
    MainFolder folder;
    folder.relays = "N = 150\n" + Entries("Sat %d = R%d\n", 1, 150);
    Start(folder);
    K().GenerateNetwork();
    EXPECT_EQ(VesselNames().size(), 100u);
    EXPECT_EQ(V(K().relayRoster[99])->name(), "R100");
    EXPECT_EQ(oapiGetObjectByName("R101"), nullptr);
    K().ClearNetwork();
    EXPECT_TRUE(VesselNames().empty());
}

TEST_F(ListFiles, MissingAnglesTakeThePreviousEntrysValuesAndZeroAtFirst) {
    MainFolder folder;
    folder.stations =
        "N = 3\n"
        "Base 1 = First\n"  // no angles at all
        "Base 2 = Second\nLong 2 = 180\nLat 2 = 45\nHdg 2 = 30\n"
        "Base 3 = Third\nLong 3 = -10";  // latitude and heading from Second
    Start(folder);
    K().GenerateNetwork();
    const sim::VesselState& first = V(K().stationRoster[0])->state;
    EXPECT_EQ(first.lng, 0.0);
    EXPECT_EQ(first.lat, 0.0);
    EXPECT_EQ(first.hdg, 0.0);
    const sim::VesselState& second = V(K().stationRoster[1])->state;
    EXPECT_DOUBLE_EQ(second.lng, M_PI);  // degrees: longitude 180 is pi
    EXPECT_DOUBLE_EQ(second.lat, 45 * kRadPerDeg);
    const sim::VesselState& third = V(K().stationRoster[2])->state;
    EXPECT_DOUBLE_EQ(third.lng, -10 * kRadPerDeg);
    EXPECT_DOUBLE_EQ(third.lat, 45 * kRadPerDeg);
    EXPECT_DOUBLE_EQ(third.hdg, 30 * kRadPerDeg);
}

TEST_F(ListFiles, MissingRelayNameAndLongitudeTakeThePreviousEntrys) {
    MainFolder folder;
    folder.relays = "N = 3\nSat 1 = A\nLong 1 = 90\nSat 3 = C";  // entry 2 is A again; C at 90
    Start(folder);
    K().GenerateNetwork();
    EXPECT_THAT(SlotNames(K().relayRoster, 3), ElementsAre("A", "", "C"));
    VECTOR3 a, c;
    oapiGetRelativePos(K().relayRoster[0], oapiGetObjectByName("Earth"), &a);
    oapiGetRelativePos(K().relayRoster[2], oapiGetObjectByName("Earth"), &c);
    EXPECT_NEAR(a.x, c.x, 1e-6);
    EXPECT_NEAR(a.y, c.y, 1e-6);
    EXPECT_NEAR(a.z, c.z, 1e-6);
}

TEST_F(ListFiles, FocusItemOfEachFile) {
    struct {
        const char* item;
        bool focus;
    } const cases[] = {{"", false}, {"FOCUS = FALSE\n", false}, {"FOCUS = TRUE\n", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        MainFolder folder;
        folder.stations = std::string(c.item) + "N = 1\nBase 1 = S";
        folder.relays = std::string(c.item) + "N = 1\nSat 1 = R";
        folder.deepSpace = std::string(c.item) + "N = 1\nBase 1 = D";
        Start(folder);
        K().GenerateNetwork();
        for (const char* name : {"S", "R", "D"}) {
            const sim::Vessel* v = V(oapiGetObjectByName(name));
            ASSERT_NE(v, nullptr) << name;
            EXPECT_EQ(v->focus_enabled, c.focus) << name;
            EXPECT_EQ(Sim().set_focus(oapiGetObjectByName(name)), c.focus) << name;
        }
    }
}

TEST_F(ListFiles, ANameOverTheBufferArrivesCutTo255Characters) {
    MainFolder folder;
    folder.stations = "N = 2\nBase 1 = " + std::string(300, 'x') + "\nBase 2 = " + std::string(255, 'x') + "y";
    Start(folder);
    K().GenerateNetwork();
    // Both names cut to the same 255 characters: the second is in use.
    EXPECT_THAT(SlotNames(K().stationRoster, 2), ElementsAre(std::string(255, 'x'), ""));
    EXPECT_EQ(VesselNames().size(), 1u);
}

}  // namespace
