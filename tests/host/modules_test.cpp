// The module contract: load and unload order, vessel-module callbacks, self-deletion.
#include <dlfcn.h>

#include "fixture.h"

using namespace hosttest;

TEST(Modules, PluginLoadAndUnloadOrder) {
    ScratchRoot root;
    sim::log().clear();
    {
        sim::Simulator s(root.path());
        sim::Module* m = s.load_plugin(ORV_TEST_MODULE_DIR "/order_plugin.so");
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(s.load_plugin(ORV_TEST_MODULE_DIR "/order_plugin.so"), m) << "a loaded module is not loaded twice";
        s.step(1.0);
        s.step(1.0);
        s.unload_module(m);
    }
    const std::vector<std::string> expected = {
        "order_plugin: static initialisation", "order_plugin: entry point attach", "order_plugin: InitModule",
        "order_plugin: opcPostStep 1.000000",  "order_plugin: opcPostStep 2.000000",
        "order_plugin: ExitModule",            "order_plugin: entry point detach",
        "order_plugin: ExitModule",            "order_plugin: static destruction"};
    EXPECT_EQ(lines_with("order_plugin:"), expected);
    EXPECT_EQ(lines_with("InitLib: order_plugin").size(), 1u);
}

TEST(Modules, ReloadRunsStaticInitialisationAgain) {
    ScratchRoot root;
    sim::Simulator s(root.path());
    sim::log().clear();
    s.unload_module(s.load_plugin(ORV_TEST_MODULE_DIR "/order_plugin.so"));
    s.unload_module(s.load_plugin(ORV_TEST_MODULE_DIR "/order_plugin.so"));
    EXPECT_EQ(lines_with("order_plugin: static initialisation").size(), 2u);
}

TEST(Modules, MissingModuleIsReported) {
    ScratchRoot root;
    sim::Simulator s(root.path());
    EXPECT_EQ(s.load_plugin("NoSuchModule"), nullptr);
    EXPECT_EQ(s.load_plugin("/nonexistent/NoSuchModule.so"), nullptr);
}

TEST(Modules, VesselModuleCallbacksInOrder) {
    ScratchRoot root;
    sim::reset_contract_violations();
    sim::Simulator s(root.path());
    sim::log().clear();
    const OBJHANDLE earth = s.body(sim::BodyId::Earth);
    const OBJHANDLE h = s.create_vessel("Probe 1", "Probe", orbiting(earth, {7e6, 0, 0}, {0, 0, 7500}));
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(oapiGetObjectByName("Probe 1"), h) << "a new vessel is found by name at once";
    s.step(1.0);
    s.step(1.0);
    ASSERT_TRUE(oapiDeleteVessel(h, nullptr));
    EXPECT_EQ(lines_with("probe:"), (std::vector<std::string>{"probe: ovcInit", "probe: clbkDefineClass",
                                                              "probe: clbkAfterStep 1.000000",
                                                              "probe: clbkAfterStep 2.000000", "probe: ovcExit",
                                                              "probe: destroyed"}));
    EXPECT_EQ(sim::contract_violations(), 0u);
}

TEST(Modules, RestoredVesselGetsRestoreStateAndCanDeleteItself) {
    ScratchRoot root;
    root.write("Scenarios/probe.scn",
               "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 60000.0\nEND_ENVIRONMENT\n"
               "BEGIN_FOCUS\n  Ship Probe 1\nEND_FOCUS\n"
               "BEGIN_SHIPS\nProbe 1:Probe\n  STATUS Orbiting Earth\n  RPOS 7000000 0 0\n  RVEL 0 0 7500\n"
               "  SELFDELETE\nEND\nEND_SHIPS\n");
    sim::reset_contract_violations();
    sim::Simulator s(root.path());
    sim::log().clear();
    s.load_scenario(root.path() / "Scenarios/probe.scn");
    const OBJHANDLE h = s.find_object("Probe 1");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(s.focus(), h);
    s.step(1.0);
    EXPECT_EQ(s.find_object("Probe 1"), nullptr) << "deleted at the end of the step that asked";
    EXPECT_FALSE(oapiIsVessel(h));
    EXPECT_EQ(lines_with("probe:"),
              (std::vector<std::string>{"probe: ovcInit", "probe: clbkDefineClass", "probe: clbkRestoreState",
                                        "probe: clbkAfterStep 1.000000", "probe: ovcExit", "probe: destroyed"}));
    EXPECT_EQ(sim::contract_violations(), 0u);
}

TEST(Modules, UnloadingAVesselModuleDeletesItsVesselsFirst) {
    ScratchRoot root;
    sim::reset_contract_violations();
    sim::Simulator s(root.path());
    const OBJHANDLE h = s.create_vessel("Probe 1", "Probe", orbiting(s.body(sim::BodyId::Earth), {7e6, 0, 0}, {0, 0, 7500}));
    ASSERT_NE(h, nullptr);
    sim::Module* m = s.modules().find("probe_vessel");
    ASSERT_NE(m, nullptr);
    s.unload_module(m);
    EXPECT_FALSE(oapiIsVessel(h));
    EXPECT_EQ(sim::contract_violations(), 0u);
}

TEST(Modules, ClassWithoutModuleIsAPlainVessel) {
    ScratchRoot root;
    root.write("Config/Vessels/Plain.cfg", "Size = 3\n");
    sim::Simulator s(root.path());
    const OBJHANDLE a = s.create_vessel("A", "Plain", orbiting(s.body(sim::BodyId::Earth), {7e6, 0, 0}, {0, 0, 7500}));
    const OBJHANDLE b = s.create_vessel("B", "NoFileAtAll", orbiting(s.body(sim::BodyId::Earth), {8e6, 0, 0}, {0, 0, 7000}));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(s.vessel(a)->module, nullptr);
    EXPECT_STREQ(oapiGetVesselInterface(b)->GetClassNameA(), "NoFileAtAll");
    s.step(1.0);
}

TEST(Modules, CustomCommandsByLabel) {
    ScratchRoot root;
    sim::reset_contract_violations();
    sim::Simulator s(root.path());
    sim::Module* m = s.load_plugin(ORV_TEST_MODULE_DIR "/order_plugin.so");
    ASSERT_NE(m, nullptr);
    ASSERT_EQ(s.commands().size(), 1u);
    EXPECT_EQ(s.commands()[0].label, "Order Test");
    EXPECT_EQ(s.commands()[0].description, "Logs its context");
    sim::log().clear();
    EXPECT_TRUE(s.run_command("Order Test"));
    EXPECT_FALSE(s.run_command("No Such Command"));
    EXPECT_EQ(lines_with("order_plugin: command"), std::vector<std::string>{"order_plugin: command context"});
    s.unload_module(m);
    EXPECT_TRUE(s.commands().empty());
    EXPECT_EQ(sim::contract_violations(), 0u);
}

TEST(Modules, FocusFollowsTheFlag) {
    ScratchRoot root;
    sim::Simulator s(root.path());
    const OBJHANDLE earth = s.body(sim::BodyId::Earth);
    const OBJHANDLE a = s.create_vessel("A", "Plain", orbiting(earth, {7e6, 0, 0}, {0, 0, 7500}));
    const OBJHANDLE b = s.create_vessel("B", "Plain", orbiting(earth, {8e6, 0, 0}, {0, 0, 7000}));
    EXPECT_EQ(oapiGetFocusObject(), a) << "the first vessel takes the focus when there is none";
    oapiGetVesselInterface(b)->SetEnableFocus(false);
    EXPECT_FALSE(s.set_focus(b));
    oapiGetVesselInterface(b)->SetEnableFocus(true);
    EXPECT_TRUE(s.set_focus(b));
    EXPECT_EQ(oapiGetFocusInterface(), oapiGetVesselInterface(b));
    oapiDeleteVessel(b, nullptr);
    EXPECT_EQ(oapiGetFocusObject(), a) << "the focus moves on when its vessel goes";
}

