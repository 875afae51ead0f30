// A stand-in host for the relay satellite tests: the simulator on the data folder with
// the build's vessel modules, helpers to create satellites and to load scenarios written
// on the fly, and the check that the run ends without a contract violation.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim/simulator.h"

namespace relvana_test {

constexpr double kGeoRadius = 42164000.0;  // m
constexpr double kGeoSpeed = 3074.6;       // m/s

// One vessel of a scenario: "NAME:CLASS", its lines, "END".
struct ScenarioShip {
    std::string name;
    std::string class_name;
    std::vector<std::string> lines;
};

// The host's standard lines of a satellite on the geostationary radius over +x.
inline std::vector<std::string> OrbitLines() {
    return {"STATUS Orbiting Earth", "RPOS 42164000 0 0", "RVEL 0 0 3074.6"};
}

// The host's standard lines of a station landed on Earth.
inline std::vector<std::string> LandedLines() { return {"STATUS Landed Earth", "POS -116.89 35.43", "HEADING 0"}; }

inline std::string ScenarioText(const std::vector<ScenarioShip>& ships) {
    std::ostringstream out;
    out << "BEGIN_DESC\nEND_DESC\n\nBEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 60000\nEND_ENVIRONMENT\n\nBEGIN_SHIPS\n";
    for (const ScenarioShip& ship : ships) {
        out << ship.name << ":" << ship.class_name << "\n";
        for (const std::string& line : ship.lines) out << "  " << line << "\n";
        out << "END\n";
    }
    out << "END_SHIPS\n";
    return out.str();
}

// The lines of vessel `name`'s block in a scenario text, without its "NAME:CLASS" and
// "END" lines, as written (with their leading blanks). Empty when there is no such block.
inline std::vector<std::string> ShipBlock(const std::string& text, const std::string& name) {
    std::istringstream in(text);
    std::vector<std::string> block;
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (!inside) {
            inside = line.rfind(name + ":", 0) == 0;
            continue;
        }
        if (line == "END") break;
        block.push_back(line);
    }
    return block;
}

class HostTest : public ::testing::Test {
protected:
    HostTest() : sim(ORV_DATA_DIR) {
        sim.modules().search_path().push_back(ORV_MODULE_DIR);
        sim::reset_contract_violations();
    }
    ~HostTest() override { EXPECT_EQ(sim::contract_violations(), 0u) << "the host saw a contract violation"; }

    // A satellite as the plug-in's network generation creates it: free flight on the
    // geostationary radius, position relative to Earth along `direction`.
    OBJHANDLE CreateRelay(const std::string& name, VECTOR3 direction = {1, 0, 0}) {
        VesselCreateStatus status{};
        status.version = 2;
        status.rbody = sim.find_object("Earth");
        status.status = 0;
        status.rpos = {direction.x * kGeoRadius, direction.y * kGeoRadius, direction.z * kGeoRadius};
        status.rvel = {-direction.z * kGeoSpeed, 0, direction.x * kGeoSpeed};
        return sim.create_vessel(name, "Relvana", status);
    }

    // A vessel of a class without a module: the host's base behaviour.
    OBJHANDLE CreatePlain(const std::string& name) {
        VesselCreateStatus status{};
        status.version = 2;
        status.rbody = sim.find_object("Earth");
        status.rpos = {kGeoRadius, 0, 0};
        status.rvel = {0, 0, kGeoSpeed};
        return sim.create_vessel(name, "PlainTestClass", status);
    }

    // Writes `ships` as a scenario file named after the running test and loads it.
    void LoadScenario(const std::vector<ScenarioShip>& ships) {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string stem = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : stem) {
            if (c == '/') c = '_';
        }
        const std::filesystem::path dir = std::filesystem::path(ORV_BINARY_DIR) / "test_scenarios";
        std::filesystem::create_directories(dir);
        const std::filesystem::path file = dir / (stem + ".scn");
        std::ofstream(file) << ScenarioText(ships);
        sim.load_scenario(file);
    }

    sim::Vessel& VesselOf(OBJHANDLE h) {
        sim::Vessel* v = sim.vessel(h);
        if (!v) throw std::runtime_error("no such vessel");
        return *v;
    }

    // The host's state of animation 0 or 1 of a relay satellite: the identifiers are
    // those its components were registered under (animation 0 owns the first, 1 the last).
    double AnimationState(OBJHANDLE h, int index) {
        const sim::Vessel& v = VesselOf(h);
        const UINT id = index == 0 ? v.components.front().animation : v.components.back().animation;
        return v.animations.at(id).state;
    }

    sim::Simulator sim;
};

}  // namespace relvana_test
