#include "link_host.h"

#include <cmath>
#include <fstream>

#include "sim/core/log.h"
#include "sim/ui/window_system.h"

namespace {

constexpr double kTinyStep = 1e-6;  // s
constexpr double kPi = 3.141592653589793;

const DWORD kText = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_SUNKEN | SS_CENTERIMAGE | SS_CENTER;
const ControlTemplate kReadoutControls[] = {
    {1008, ControlKind::StaticText, "", 13, 57, 99, 22, kText, 0},
    {1001, ControlKind::StaticText, "", 136, 57, 42, 22, kText, 0},
    {1005, ControlKind::StaticText, "", 199, 57, 42, 22, kText, 0},
    {1003, ControlKind::StaticText, "", 13, 99, 99, 22, kText, 0},
    {1004, ControlKind::StaticText, "", 136, 99, 42, 22, kText, 0},
    {1010, ControlKind::StaticText, "", 199, 99, 42, 22, kText, 0},
    {1015, ControlKind::RadioButton, "Omni", 17, 18, 61, 16,
     WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON | BS_PUSHLIKE, 0},
    {1016, ControlKind::RadioButton, "High Gain", 90, 18, 61, 16,
     WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | BS_PUSHLIKE, 0},
};
const DialogTemplate kReadoutDialog = {
    101, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, WS_EX_TOOLWINDOW, "Readouts",
    "MS Sans Serif", 8, 0, 0, 257, 193, kReadoutControls, int(std::size(kReadoutControls))};
const DialogTemplate kMapDialog = {
    9, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, WS_EX_TOOLWINDOW, "MAP",
    "MS Shell Dlg", 8, 600, 0, 419, 206, nullptr, 0};

INT_PTR CALLBACK ReadoutProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        CheckRadioButton(window, 1015, 1016, 1015);
        return TRUE;
    }
    return oapiDefDialogProc(window, message, wparam, lparam);
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text << "\n";
}

}  // namespace

double Norm(VECTOR3 a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }
VECTOR3 Unit(VECTOR3 a) { return Scale(a, 1.0 / Norm(a)); }

void LinkTest::Start(const ListFiles& lists) {
    if (sim_) TearDown();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = std::filesystem::path(ORV_BINARY_DIR) / "test_roots" / "plugin_link" /
            (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(root_);
    WriteFile(root_ / "config/Orvenet/Zeravivadad.cfg", lists.stations);
    WriteFile(root_ / "config/Orvenet/TDRS.cfg", lists.relays);
    WriteFile(root_ / "config/Orvenet/DSN.cfg", lists.deepSpace);

    sim::reset_contract_violations();
    sim_ = std::make_unique<sim::Simulator>(root_);
    plugin_ = sim_->load_plugin(ORV_MODULE_DIR "/Kavrin.so");
    ASSERT_NE(plugin_, nullptr);
    auto hooks = reinterpret_cast<KavrinTestHooksFunc>(plugin_->symbol("KavrinTestHooks"));
    ASSERT_NE(hooks, nullptr);
    hooks_ = hooks();
}

void LinkTest::TearDown() {
    if (!sim_) return;
    readouts_ = nullptr;
    hooks_ = nullptr;
    plugin_ = nullptr;
    sim_.reset();
    EXPECT_EQ(sim::contract_violations(), 0u) << "the host saw contract violations";
}

HINSTANCE LinkTest::Instance() const { return plugin_->instance; }

OBJHANDLE LinkTest::Free(const std::string& name, VECTOR3 rpos) {
    VesselCreateStatus status{};
    status.version = 2;
    status.rbody = oapiGetObjectByName("Earth");
    status.status = 0;
    status.rpos = rpos;
    const OBJHANDLE h = Sim().create_vessel(name, "TestProbe", status);
    EXPECT_NE(h, nullptr) << name;
    return h;
}

OBJHANDLE LinkTest::Landed(const std::string& name, double lngDeg, double latDeg) {
    VesselCreateStatus status{};
    status.version = 2;
    status.rbody = oapiGetObjectByName("Earth");
    status.status = 1;
    status.surf_lng = lngDeg * kPi / 180.0;
    status.surf_lat = latDeg * kPi / 180.0;
    const OBJHANDLE h = Sim().create_vessel(name, "TestStation", status);
    EXPECT_NE(h, nullptr) << name;
    return h;
}

VECTOR3 LinkTest::Above(double lngDeg, double latDeg, double r) {
    const double lng = lngDeg * kPi / 180.0, lat = latDeg * kPi / 180.0;
    const VECTOR3 local{r * std::cos(lat) * std::cos(lng), r * std::sin(lat), r * std::cos(lat) * std::sin(lng)};
    MATRIX3 m;
    oapiGetRotationMatrix(oapiGetObjectByName("Earth"), &m);
    return VECTOR3{m.m11 * local.x + m.m12 * local.y + m.m13 * local.z,
                   m.m21 * local.x + m.m22 * local.y + m.m23 * local.z,
                   m.m31 * local.x + m.m32 * local.y + m.m33 * local.z};
}

VECTOR3 LinkTest::FromEarth(OBJHANDLE object) {
    VECTOR3 pos;
    oapiGetRelativePos(object, oapiGetObjectByName("Earth"), &pos);
    return pos;
}

void LinkTest::Focus(OBJHANDLE vessel) { ASSERT_TRUE(Sim().set_focus(vessel)); }

void LinkTest::Track() {
    *K().antennaVector = VECTOR3{0, 0, 1};
    *K().trackEnabled = true;
}

void LinkTest::Step() { Sim().step(kTinyStep); }

void LinkTest::PostStep(double simt) { plugin_->post_step(simt, 0.0, Sim().mjd()); }

HWND LinkTest::OpenReadouts() {
    readouts_ = Sim().windows().open_dialog(Instance(), 101, kReadoutDialog, ReadoutProc, nullptr);
    EXPECT_NE(readouts_, nullptr);
    return readouts_;
}

HWND LinkTest::OpenMap() {
    const HWND map = Sim().windows().open_dialog(Instance(), 9, kMapDialog, ReadoutProc, nullptr);
    EXPECT_NE(map, nullptr);
    return map;
}

std::string LinkTest::Text(int control) {
    char text[256] = {};
    GetWindowTextA(GetDlgItem(readouts_, control), text, int(sizeof text));
    return text;
}
