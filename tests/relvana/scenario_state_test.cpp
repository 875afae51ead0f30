// Relvana: the lines a relay satellite writes into a scenario and reads back, and the
// removal of a satellite restored from a save.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "host_fixture.h"

namespace relvana_test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::Not;

using ScenarioState = HostTest;

// The block's last lines, before END.
std::vector<std::string> Tail(const std::vector<std::string>& block, std::size_t n) {
    if (block.size() < n) return block;
    return {block.end() - std::ptrdiff_t(n), block.end()};
}

TEST_F(ScenarioState, GeneratedSatelliteWritesItsLinesAfterTheHostsLines) {
    CreateRelay("Relay-1");
    sim.step(1.0);  // the host now shows both animations at 1; the records still hold 0
    const std::vector<std::string> block = ShipBlock(sim.scenario_text(), "Relay-1");
    ASSERT_GE(block.size(), 4u);
    EXPECT_THAT(block.front(), HasSubstr("STATUS"));
    EXPECT_THAT(Tail(block, 3), ElementsAre("  ANIM_0 -2 0.0000", "  ANIM_1 -2 0.0000", "  SAVED 1.000000"));
}

// A satellite loaded with `lines` after its standard lines, before its first step.
struct ReaderCase {
    const char* name;
    std::vector<std::string> lines;
    const char* anim0;           // the saved value of ANIM_0 afterwards
    const char* anim1;           // of ANIM_1
    double shown0, shown1;       // the host's animation states
    std::vector<std::string> kept;  // what reached the host and was kept as unknown
};

const ReaderCase kReaderCases[] = {
    {"no lines of its own", {}, "-2 0.0000", "-2 0.0000", 0, 0, {}},
    {"lower-case key", {"anim_1 -2 0.2500"}, "-2 0.0000", "-2 0.2500", 0, 0.25, {}},
    {"indices 2 and -1 dropped", {"ANIM_2 7 0.5000", "ANIM_-1 7 0.5000"}, "-2 0.0000", "-2 0.0000", 0, 0, {}},
    {"index without a number", {"ANIM_x 7 0.5000"}, "-2 0.0000", "-2 0.0000", 0, 0, {}},
    {"status 5, state 0.5", {"ANIM_0 5 0.5000"}, "5 0.5000", "-2 0.0000", 0.5, 0, {}},
    // The state is read at a fixed place, which here holds the status code's last digit.
    {"status -10", {"ANIM_0 -10 0.5000"}, "-10 0.0000", "-2 0.0000", 0, 0, {}},
    {"key with nothing after it", {"ANIM_0 3 0.7000", "ANIM_0"}, "3 0.7000", "-2 0.0000", 0.7, 0, {}},
    {"last occurrence wins", {"ANIM_1 4 0.2000", "ANIM_1 6 0.6000"}, "-2 0.0000", "6 0.6000", 0, 0.6, {}},
    {"state that is not a number", {"ANIM_0 3 0.4000", "ANIM_0 5 nan"}, "5 0.4000", "-2 0.0000", 0.4, 0, {}},
    {"other lines go to the host in order",
     {"FOO 1 2", "ANIM_1 -2 0.1000", "anima 3", "SAVE 1", "AN"},
     "-2 0.0000", "-2 0.1000", 0, 0.1, {"FOO 1 2", "anima 3", "SAVE 1", "AN"}},
};

TEST_F(ScenarioState, ReaderTable) {
    for (const ReaderCase& c : kReaderCases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> lines = OrbitLines();
        lines.insert(lines.end(), c.lines.begin(), c.lines.end());
        LoadScenario({{"Relay-1", "Relvana", lines}});
        const OBJHANDLE h = sim.find_object("Relay-1");
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(AnimationState(h, 0), c.shown0);
        EXPECT_EQ(AnimationState(h, 1), c.shown1);
        const sim::Vessel& v = VesselOf(h);
        // The standard lines reached the host.
        EXPECT_EQ(v.state.status, sim::VesselState::Status::Orbiting);
        EXPECT_EQ(v.state.rpos.x, kGeoRadius);
        EXPECT_THAT(v.state.kept_lines, ElementsAreArray(c.kept));
        const std::vector<std::string> block = ShipBlock(sim.scenario_text(), "Relay-1");
        EXPECT_THAT(Tail(block, 3), ElementsAre(std::string("  ANIM_0 ") + c.anim0, std::string("  ANIM_1 ") + c.anim1,
                                                "  SAVED 1.000000"));
        EXPECT_THAT(sim.scenario_text(), Not(HasSubstr("ANIM_2")));
        EXPECT_THAT(sim.scenario_text(), Not(HasSubstr("ANIM_-1")));
    }
}

// Removal at the first step, by the marker line.
struct MarkerCase {
    const char* line;  // null: no marker line
    bool removed;
};

TEST_F(ScenarioState, MarkerTable) {
    const MarkerCase cases[] = {
        {nullptr, false},        {"SAVED 0", false}, {"SAVED 0.5", false},    {"SAVED 2.0", false},
        {"SAVED 1.000000", true}, {"saved 1", true},  {"SAVED 1.0000001", false},
    };
    for (const MarkerCase& c : cases) {
        SCOPED_TRACE(c.line ? c.line : "no marker line");
        std::vector<std::string> lines = OrbitLines();
        if (c.line) lines.push_back(c.line);
        LoadScenario({{"Relay-1", "Relvana", lines}});
        const OBJHANDLE h = sim.find_object("Relay-1");
        ASSERT_NE(h, nullptr);
        EXPECT_TRUE(VesselOf(h).state.kept_lines.empty()) << "the marker line went to the host";
        sim.step(1.0);
        EXPECT_EQ(sim.vessel(h) == nullptr, c.removed);
        EXPECT_EQ(sim.find_object("Relay-1") == nullptr, c.removed);
        sim.step(1.0);
        EXPECT_EQ(sim.find_object("Relay-1") == nullptr, c.removed);
    }
}

TEST_F(ScenarioState, RestoredSatelliteShowsItsSavedStateUntilItsFirstStep) {
    LoadScenario({{"Relay-1", "Relvana", {"STATUS Orbiting Earth", "RPOS 0 0 42164000", "RVEL -3074.6 0 0",
                                          "ANIM_0 -2 0.3000", "ANIM_1 -2 0.6000", "SAVED 1.000000"}},
                  {"Relay-2", "Relvana", {"STATUS Orbiting Earth", "RPOS 42164000 0 0", "RVEL 0 0 3074.6",
                                          "ANIM_0 -2 0.3000"}}});
    const OBJHANDLE saved = sim.find_object("Relay-1");
    const OBJHANDLE kept = sim.find_object("Relay-2");
    ASSERT_NE(saved, nullptr);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(AnimationState(saved, 0), 0.3);
    EXPECT_EQ(AnimationState(saved, 1), 0.6);
    EXPECT_EQ(AnimationState(kept, 0), 0.3);
    sim.step(1.0);
    EXPECT_EQ(sim.vessel(saved), nullptr);
    EXPECT_EQ(sim.find_object("Relay-1"), nullptr);
    // The satellite without a marker stays, shows its animations at 1 and still writes
    // back the state it read.
    ASSERT_NE(sim.vessel(kept), nullptr);
    EXPECT_EQ(AnimationState(kept, 0), 1.0);
    EXPECT_EQ(AnimationState(kept, 1), 1.0);
    EXPECT_THAT(Tail(ShipBlock(sim.scenario_text(), "Relay-2"), 3),
                ElementsAre("  ANIM_0 -2 0.3000", "  ANIM_1 -2 0.0000", "  SAVED 1.000000"));
}

}  // namespace
}  // namespace relvana_test
