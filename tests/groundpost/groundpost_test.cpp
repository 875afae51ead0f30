// Groundpost: the ground station vessel as the host sees it: its class set-up, its
// scenario marker and its removal after a reload.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstring>
#include <sstream>

#include "sim/simulator.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct ExpectedCall {
    const char* name;
    std::vector<double> values;
};

// Every station, in this order, with these values.
const std::vector<ExpectedCall> kStationSetup = {
    {"SetSize", {5}},
    {"SetEmptyMass", {1}},
    {"SetPMI", {1, 1, 1}},
    {"SetCrossSections", {0.6, 0.6, 0.27}},
    {"SetRotDrag", {0, 0, 0}},
    {"SetTouchdownPoints", {-1, 0, 0, 0, 1, 0, 1, 0, 0}},
    {"SetSurfaceFrictionCoeff", {0.07, 0.3}},
    {"SetCW", {0.09, 0.09, 2, 1.4}},
    {"EnableTransponder", {1}},
    {"InitNavRadios", {4}},
    {"SetCameraOffset", {0, 0, 0}},
    {"SetVisibilityLimit", {0, 0.002}},
    {"SetAlbedoRGB", {1, 1, 1}},
    {"SetGravityGradientDamping", {0}},
    {"SetWingAspect", {0}},
    {"SetWingEffectiveness", {0}},
    {"SetMaxWheelbrakeForce", {200000}},
    {"SetBankMomentScale", {0}},
    {"SetPitchMomentScale", {0}},
};

class Groundpost : public ::testing::Test {
protected:
    Groundpost() : sim(ORV_DATA_DIR) {
        sim.modules().search_path().push_back(ORV_MODULE_DIR);
        sim::reset_contract_violations();
    }
    ~Groundpost() override { EXPECT_EQ(sim::contract_violations(), 0u) << "the host saw a contract violation"; }

    // A station as the plug-in's network generation creates it: landed on Earth.
    OBJHANDLE CreateStation(const std::string& name) {
        VesselCreateStatus status{};
        status.version = 2;
        status.rbody = sim.find_object("Earth");
        status.status = 1;
        status.surf_lng = -2.04;
        status.surf_lat = 0.618;
        return sim.create_vessel(name, "Groundpost", status);
    }

    std::filesystem::path ScenarioFile(const std::string& stem) {
        const std::filesystem::path dir = std::filesystem::path(ORV_BINARY_DIR) / "test_scenarios";
        std::filesystem::create_directories(dir);
        return dir / ("groundpost_" + stem + ".scn");
    }

    // Loads a scenario holding one station with `lines` after its standard lines.
    OBJHANDLE LoadStation(const std::vector<std::string>& lines) {
        std::ostringstream text;
        text << "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 60000\nEND_ENVIRONMENT\n\nBEGIN_SHIPS\n"
             << "Station:Groundpost\n  STATUS Landed Earth\n  POS -116.89 35.43\n  HEADING 10\n";
        for (const std::string& line : lines) text << "  " << line << "\n";
        text << "END\nEND_SHIPS\n";
        const std::filesystem::path file = ScenarioFile("station");
        std::ofstream(file) << text.str();
        sim.load_scenario(file);
        return sim.find_object("Station");
    }

    // The station's block lines in the current scenario text, without "NAME:CLASS" and END.
    std::vector<std::string> Block(const std::string& name) {
        std::istringstream in(sim.scenario_text());
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

    sim::Simulator sim;
};

TEST_F(Groundpost, SetUpInOrderWithItsValuesAndMesh) {
    const OBJHANDLE h = CreateStation("Station");
    ASSERT_NE(h, nullptr);
    const sim::Vessel& v = *sim.vessel(h);
    // The setters, then the mesh: no offset; index 0, mode 1.
    std::vector<ExpectedCall> expected = kStationSetup;
    expected.push_back({"AddMesh", {0, 0, 0}});
    expected.push_back({"SetMeshVisibilityMode", {0, 1}});
    ASSERT_EQ(v.setter_calls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(v.setter_calls[i].name, expected[i].name) << "call " << i;
        EXPECT_THAT(v.setter_calls[i].values, ElementsAreArray(expected[i].values));
    }
    ASSERT_EQ(v.meshes.size(), 1u);
    EXPECT_EQ(v.meshes[0].mesh, sim.load_mesh("Zeravivadad\\Groundpost"));
    EXPECT_EQ(v.meshes[0].offset.x, 0.0);
    EXPECT_EQ(v.meshes[0].offset.y, 0.0);
    EXPECT_EQ(v.meshes[0].offset.z, 0.0);
    EXPECT_EQ(v.meshes[0].visibility, 1);
    EXPECT_TRUE(v.animations.empty());
}

TEST_F(Groundpost, GeneratedStationStaysAndSavesItsMarker) {
    const OBJHANDLE h = CreateStation("Station");
    for (int i = 0; i < 3; ++i) sim.step(1.0);
    EXPECT_EQ(sim.find_object("Station"), h);
    const std::vector<std::string> block = Block("Station");
    ASSERT_GE(block.size(), 2u);
    EXPECT_NE(block.front().find("STATUS"), std::string::npos);
    EXPECT_EQ(block.back(), "  SAVED 1.000000");
}

struct MarkerCase {
    const char* line;  // null: no marker line
    bool removed;
};

TEST_F(Groundpost, MarkerTable) {
    const MarkerCase cases[] = {
        {"SAVED 1.000000", true}, {"saved 1", true},   {"SAVED1", true},
        {"SAVED 0", false},       {"SAVED 2", false},  {"SAVED 1.0000001", false},
        {"SAVEDX", false},        {nullptr, false},
    };
    for (const MarkerCase& c : cases) {
        SCOPED_TRACE(c.line ? c.line : "no marker line");
        const OBJHANDLE h = c.line ? LoadStation({c.line}) : LoadStation({});
        ASSERT_NE(h, nullptr);
        EXPECT_TRUE(sim.vessel(h)->state.kept_lines.empty()) << "the marker line went to the host";
        sim.step(1.0);
        EXPECT_EQ(sim.find_object("Station") == nullptr, c.removed);
        sim.step(1.0);
        EXPECT_EQ(sim.find_object("Station") == nullptr, c.removed);
    }
}

TEST_F(Groundpost, EveryOtherLineReachesTheHostUnchangedInOrder) {
    const OBJHANDLE h = LoadStation({"FOO 1", "SAVED 0", "BAR  two  blanks", "SAVE 1", "sav", "ZZZ"});
    ASSERT_NE(h, nullptr);
    const sim::Vessel& v = *sim.vessel(h);
    EXPECT_EQ(v.state.status, sim::VesselState::Status::Landed);
    EXPECT_NEAR(v.state.lng, -116.89 * 0.017453292519943295, 1e-12);
    EXPECT_NEAR(v.state.lat, 35.43 * 0.017453292519943295, 1e-12);
    EXPECT_NEAR(v.state.hdg, 10 * 0.017453292519943295, 1e-12);
    EXPECT_THAT(v.state.kept_lines, ElementsAre("FOO 1", "BAR  two  blanks", "SAVE 1", "sav", "ZZZ"));
}

TEST_F(Groundpost, AStationThatStayedDisappearsAfterTheNextSaveAndLoad) {
    ASSERT_NE(LoadStation({"SAVED 2"}), nullptr);
    sim.step(1.0);
    ASSERT_NE(sim.find_object("Station"), nullptr);
    EXPECT_EQ(Block("Station").back(), "  SAVED 1.000000");
    const std::filesystem::path file = ScenarioFile("resaved");
    sim.save_scenario(file);
    sim.load_scenario(file);
    ASSERT_NE(sim.find_object("Station"), nullptr);
    sim.step(1.0);
    EXPECT_EQ(sim.find_object("Station"), nullptr);
}

template <class F>
F Export(sim::Module& module, const char* name) {
    return reinterpret_cast<F>(module.symbol(name));
}

TEST_F(Groundpost, ModuleExports) {
    CreateStation("Station");
    sim::Module* module = sim.modules().find("Groundpost");
    ASSERT_NE(module, nullptr);
    auto version = Export<GetModuleVersionFunc>(*module, "GetModuleVersion");
    auto date = Export<ModuleDateFunc>(*module, "ModuleDate");
    ASSERT_NE(version, nullptr);
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(version(), 20100830);
    EXPECT_EQ(version(), version());
    EXPECT_TRUE(std::strlen(date()) == 11 && date()[3] == ' ' && date()[6] == ' ' && Date2Int(date()) > 0)
        << date();
    EXPECT_GT(Date2Int(date()), 20100830);
    ASSERT_NE(module->ovc_exit, nullptr);
    module->ovc_exit(nullptr);
    EXPECT_NE(module->init_module, nullptr);
    EXPECT_NE(module->exit_module, nullptr);
    EXPECT_NE(module->dll_main, nullptr);
}

}  // namespace
