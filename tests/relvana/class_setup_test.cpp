// Relvana: module entry points and the class set-up as the host sees them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <cstring>

#include "host_fixture.h"

namespace relvana_test {
namespace {

using ::testing::ElementsAreArray;

struct ExpectedCall {
    const char* name;
    std::vector<double> values;
};

// Every relay satellite, in this order, with these values.
const std::vector<ExpectedCall> kRelaySetup = {
    {"SetSize", {3.5}},
    {"SetEmptyMass", {1500}},
    {"SetPMI", {1, 1, 1}},
    {"SetCrossSections", {0, 0, 0}},
    {"SetRotDrag", {0, 0, 0}},
    {"SetTouchdownPoints", {0, 0, 1, -1, 0, -1, 1, 0, -1}},
    {"SetSurfaceFrictionCoeff", {0.07, 0.3}},
    {"SetCW", {0.09, 0.09, 2, 1.4}},
    {"EnableTransponder", {1}},
    {"InitNavRadios", {4}},
    {"SetCameraOffset", {0, 0, 2.2}},
    {"SetVisibilityLimit", {0, 0.002}},
    {"SetAlbedoRGB", {1, 1, 1}},
    {"SetGravityGradientDamping", {0}},
    {"SetWingAspect", {0}},
    {"SetWingEffectiveness", {0}},
    {"SetMaxWheelbrakeForce", {200000}},
    {"SetBankMomentScale", {0}},
    {"SetPitchMomentScale", {0}},
};

using ClassSetup = HostTest;

TEST_F(ClassSetup, SettersInOrderWithTheirValues) {
    const OBJHANDLE h = CreateRelay("Relay-1");
    ASSERT_NE(h, nullptr);
    const sim::Vessel& v = VesselOf(h);
    // The setters, then the mesh (no offset; index 0, mode 1), then the two animations
    // and their fourteen components.
    std::vector<ExpectedCall> expected = kRelaySetup;
    expected.push_back({"AddMesh", {0, 0, 0}});
    expected.push_back({"SetMeshVisibilityMode", {0, 1}});
    expected.push_back({"CreateAnimation", {0}});
    expected.push_back({"CreateAnimation", {0}});
    ASSERT_EQ(v.setter_calls.size(), expected.size() + 14);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(v.setter_calls[i].name, expected[i].name) << "call " << i;
        EXPECT_THAT(v.setter_calls[i].values, ElementsAreArray(expected[i].values));
    }
    for (std::size_t i = expected.size(); i < v.setter_calls.size(); ++i)
        EXPECT_EQ(v.setter_calls[i].name, "AddAnimationComponent") << "call " << i;
}

TEST_F(ClassSetup, OneMeshFromTheGlobalStoreVisibleFromOutside) {
    const OBJHANDLE h = CreateRelay("Relay-1");
    const sim::Vessel& v = VesselOf(h);
    ASSERT_EQ(v.meshes.size(), 1u);
    // The mesh file is not part of the system: the store still names it.
    EXPECT_EQ(v.meshes[0].mesh, sim.load_mesh("Relvana\\Relvana"));
    EXPECT_EQ(v.meshes[0].offset.x, 0.0);
    EXPECT_EQ(v.meshes[0].offset.y, 0.0);
    EXPECT_EQ(v.meshes[0].offset.z, 0.0);
    EXPECT_EQ(v.meshes[0].visibility, 1);
}

TEST_F(ClassSetup, GeneratedSatelliteStays) {
    const OBJHANDLE h = CreateRelay("Relay-1");
    for (int i = 0; i < 5; ++i) sim.step(1.0);
    EXPECT_EQ(sim.find_object("Relay-1"), h);
    EXPECT_NE(sim.vessel(h), nullptr);
}

// The module's own exports, looked up as the host does.
template <class F>
F Export(sim::Module& module, const char* name) {
    return reinterpret_cast<F>(module.symbol(name));
}

TEST_F(ClassSetup, ModuleExports) {
    CreateRelay("Relay-1");
    sim::Module* module = sim.modules().find("Relvana");
    ASSERT_NE(module, nullptr);
    auto version = Export<GetModuleVersionFunc>(*module, "GetModuleVersion");
    auto date = Export<ModuleDateFunc>(*module, "ModuleDate");
    ASSERT_NE(version, nullptr);
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(version(), 20100830);
    EXPECT_EQ(version(), version());
    // "Mmm dd yyyy", the day right-aligned in two characters, a date the host can read.
    EXPECT_TRUE(std::strlen(date()) == 11 && date()[3] == ' ' && date()[6] == ' ' && Date2Int(date()) > 0)
        << date();
    EXPECT_GT(Date2Int(date()), 20100830);
    EXPECT_EQ(date(), date());
    ASSERT_NE(module->ovc_exit, nullptr);
    module->ovc_exit(nullptr);  // does nothing
    ASSERT_NE(module->init_module, nullptr);
    ASSERT_NE(module->exit_module, nullptr);
    ASSERT_NE(module->dll_main, nullptr);
}

}  // namespace
}  // namespace relvana_test
