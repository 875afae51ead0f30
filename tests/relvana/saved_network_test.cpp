// A saved network: stations and relay satellites written into a scenario remove
// themselves at their first step after it is loaded, and leave their names free for the
// next network generation.
#include <gtest/gtest.h>

#include <filesystem>

#include "host_fixture.h"

namespace relvana_test {
namespace {

using SavedNetwork = HostTest;

OBJHANDLE CreateStation(sim::Simulator& sim, const std::string& name, double lng, double lat) {
    VesselCreateStatus status{};
    status.version = 2;
    status.rbody = sim.find_object("Earth");
    status.status = 1;
    status.surf_lng = lng;
    status.surf_lat = lat;
    return sim.create_vessel(name, "Groundpost", status);
}

TEST_F(SavedNetwork, SavedStationsAndSatellitesRemoveThemselvesAfterLoading) {
    const std::vector<std::string> names = {"Goldstone", "Canberra", "TDRS-1", "TDRS-2"};
    ASSERT_NE(CreateStation(sim, names[0], -2.04, 0.618), nullptr);
    ASSERT_NE(CreateStation(sim, names[1], 2.59, -0.61), nullptr);
    ASSERT_NE(CreateRelay(names[2], {1, 0, 0}), nullptr);
    ASSERT_NE(CreateRelay(names[3], {0, 0, 1}), nullptr);
    sim.step(1.0);

    const std::filesystem::path dir = std::filesystem::path(ORV_BINARY_DIR) / "test_scenarios";
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "saved_network.scn";
    sim.save_scenario(file);
    sim.load_scenario(file);
    for (const std::string& name : names) EXPECT_NE(sim.find_object(name), nullptr) << name << " was not restored";

    sim.step(1.0);
    for (const std::string& name : names) EXPECT_EQ(sim.find_object(name), nullptr) << name << " stayed";
    EXPECT_TRUE(sim.vessel_handles().empty());

    // The names are free again: the network can be generated anew, and it stays.
    ASSERT_NE(CreateStation(sim, names[0], -2.04, 0.618), nullptr);
    ASSERT_NE(CreateRelay(names[2]), nullptr);
    for (int i = 0; i < 3; ++i) sim.step(1.0);
    EXPECT_NE(sim.find_object(names[0]), nullptr);
    EXPECT_NE(sim.find_object(names[2]), nullptr);
}

}  // namespace
}  // namespace relvana_test
