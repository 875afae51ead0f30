#include "network_host.h"

#include <fstream>

#include "host_calls.h"
#include "sim/core/log.h"
#include "sim/ui/window_system.h"

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text << "\n";
}

std::filesystem::path NetworkTest::TestRoot() const {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/') c = '_';
    return std::filesystem::path(ORV_BINARY_DIR) / "test_roots" / "plugin_network" / name;
}

void NetworkTest::Load(const std::filesystem::path& root) {
    if (sim_) TearDown();
    host_calls::Reset();
    sim::reset_contract_violations();
    root_ = root;
    sim_ = std::make_unique<sim::Simulator>(root_);
    plugin_ = sim_->load_plugin(ORV_MODULE_DIR "/Kavrin.so");
    ASSERT_NE(plugin_, nullptr);
    auto hooks = reinterpret_cast<KavrinTestHooksFunc>(plugin_->symbol("KavrinTestHooks"));
    ASSERT_NE(hooks, nullptr);
    hooks_ = hooks();
}

void NetworkTest::Start(const MainFolder& folder) {
    const std::filesystem::path root = TestRoot();
    std::filesystem::remove_all(root);
    WriteFile(root / "config/Orvenet/Zeravivadad.cfg", folder.stations);
    WriteFile(root / "config/Orvenet/TDRS.cfg", folder.relays);
    WriteFile(root / "config/Orvenet/DSN.cfg", folder.deepSpace);
    for (const auto& [path, text] : folder.extra) WriteFile(root / path, text);
    Load(root);
}

void NetworkTest::StartBundled(const std::string& scenario) {
    Load(ORV_DATA_DIR);
    ASSERT_NO_THROW(Sim().load_scenario(Root() / "Scenarios" / (scenario + ".scn")));
}

void NetworkTest::TearDown() {
    if (!sim_) return;
    hooks_ = nullptr;
    plugin_ = nullptr;
    sim_.reset();
    host_calls::Reset();
    EXPECT_EQ(sim::contract_violations(), 0u) << "the host saw contract violations";
}

OBJHANDLE NetworkTest::MakeVessel(const std::string& name, const std::string& className) {
    VesselCreateStatus status{};
    status.version = 2;
    status.rbody = oapiGetObjectByName("Earth");
    status.rpos = VECTOR3{7.0e6, 0.0, 0.0};
    const OBJHANDLE h = Sim().create_vessel(name, className, status);
    EXPECT_NE(h, nullptr) << name;
    return h;
}

std::vector<std::string> NetworkTest::SlotNames(const OBJHANDLE* roster, int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        const sim::Vessel* v = V(roster[i]);
        names.push_back(v ? v->name() : roster[i] ? "(stale)" : "");
    }
    return names;
}

std::vector<std::string> NetworkTest::VesselNames() {
    std::vector<std::string> names;
    for (OBJHANDLE h : Sim().vessel_handles()) names.push_back(V(h)->name());
    return names;
}

HWND NetworkTest::Controller() { return Sim().windows().find_dialog(Instance(), 101); }
HWND NetworkTest::Map() { return Sim().windows().find_dialog(Instance(), 9); }

HWND NetworkTest::OpenController() {
    EXPECT_TRUE(Sim().run_command("Orvenet"));
    const HWND dialog = Controller();
    EXPECT_NE(dialog, nullptr);
    return dialog;
}

void NetworkTest::Press(HWND window, const std::string& button) {
    EXPECT_TRUE(Sim().windows().press(window, button)) << button;
}
