// Loading and unloading the plug-in: the list files, the custom command, the windows
// left open, and the module's other exports.
#include <algorithm>
#include <cctype>

#include "host_calls.h"
#include "network_host.h"
#include "sim/core/log.h"
#include "sim/ui/window_system.h"

using host_calls::Calls;
using ::testing::ElementsAre;

namespace {

class ModuleEntry : public NetworkTest {};

const char* const kOpenLists[] = {"open config/Orvenet/Zeravivadad.cfg", "open config/Orvenet/TDRS.cfg",
                                  "open config/Orvenet/DSN.cfg"};

TEST_F(ModuleEntry, LoadOpensTheListsBeforeTheEntryPointThenRegistersTheCommand) {
    EXPECT_THAT(Calls(), ElementsAre(kOpenLists[0], kOpenLists[1], kOpenLists[2], "InitLib",
                                     "register Orvenet | Opens the Orbiter Network Control Dialog"));
    ASSERT_EQ(Sim().commands().size(), 1u);
    EXPECT_EQ(Sim().commands()[0].id, *K().customCmdId);
    EXPECT_EQ(*K().hDLL, Instance());
    for (FILEHANDLE* file : {K().stationFile, K().relayFile, K().deepSpaceFile}) EXPECT_NE(*file, nullptr);
}

TEST_F(ModuleEntry, UnloadUnregistersThenClosesTheListsOnceThoughExitModuleRunsTwice) {
    Calls().clear();
    Sim().unload_module(&Plugin());
    // The host calls ExitModule, then the entry point's detach calls it again.
    EXPECT_THAT(Calls(), ElementsAre("unregister", "close config/Orvenet/Zeravivadad.cfg",
                                     "close config/Orvenet/TDRS.cfg", "close config/Orvenet/DSN.cfg"));
    EXPECT_TRUE(Sim().commands().empty());
    EXPECT_EQ(sim::contract_violations(), 0u);
}

TEST_F(ModuleEntry, ExitModuleDropsTheSelectionsAndCallsAgainDoNothing) {
    const auto exitModule = reinterpret_cast<ExitModuleFunc>(Plugin().symbol("ExitModule"));
    ASSERT_NE(exitModule, nullptr);
    const OBJHANDLE ship = MakeVessel("Ship");
    *K().currentStation = ship;
    *K().currentRelay = ship;
    Calls().clear();
    exitModule(Instance());
    exitModule(Instance());
    EXPECT_EQ(*K().currentStation, nullptr);
    EXPECT_EQ(*K().currentRelay, nullptr);
    EXPECT_EQ(Calls().size(), 4u);
    // The unload's own two calls add nothing either; no handle went to the host twice.
    Calls().clear();
    Sim().unload_module(&Plugin());
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(sim::contract_violations(), 0u);
}

TEST_F(ModuleEntry, ReloadOpensTheListsAndRegistersTheCommandAgain) {
    Sim().unload_module(&Plugin());
    Calls().clear();
    sim::Module* again = Sim().load_plugin(ORV_MODULE_DIR "/Kavrin.so");
    ASSERT_NE(again, nullptr);
    EXPECT_THAT(Calls(), ElementsAre(kOpenLists[0], kOpenLists[1], kOpenLists[2], "InitLib",
                                     "register Orvenet | Opens the Orbiter Network Control Dialog"));
    ASSERT_EQ(Sim().commands().size(), 1u);
    EXPECT_TRUE(Sim().run_command("Orvenet"));
    EXPECT_NE(Sim().windows().find_dialog(again->instance, 101), nullptr);
}

TEST_F(ModuleEntry, UnloadingWithTheControllerAndTheMapOpenLeavesNoWindow) {
    Press(OpenController(), "MAP");
    ASSERT_NE(Map(), nullptr);
    Sim().unload_module(&Plugin());
    EXPECT_TRUE(Sim().windows().windows().empty());
    // Steps and repaints after the unload reach no procedure of the gone module.
    Sim().step(1.0);
    EXPECT_TRUE(Sim().windows().windows().empty());
    EXPECT_EQ(sim::contract_violations(), 0u);
}

TEST_F(ModuleEntry, VersionDateAndScenarioState) {
    const auto version = reinterpret_cast<GetModuleVersionFunc>(Plugin().symbol("GetModuleVersion"));
    const auto date = reinterpret_cast<ModuleDateFunc>(Plugin().symbol("ModuleDate"));
    ASSERT_NE(version, nullptr);
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(version(), 20100830);
    EXPECT_EQ(version(), 20100830);
    // Month, blank, the day right-aligned in two characters, blank, year.
    const std::string text = date();
    ASSERT_EQ(text.size(), 11u) << text;
    EXPECT_NE(std::string("JanFebMarAprMayJunJulAugSepOctNovDec").find(text.substr(0, 3)), std::string::npos) << text;
    EXPECT_TRUE(text[3] == ' ' && (text[4] == ' ' || std::isdigit(text[4])) && std::isdigit(text[5]) && text[6] == ' ' &&
                std::all_of(text.begin() + 7, text.end(), ::isdigit))
        << text;
    EXPECT_GT(Date2Int(date()), 20100830);
    // One empty routine under both names.
    void* save = Plugin().symbol("opcSaveState");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(Plugin().symbol("opcLoadState"), save);
}

}  // namespace
