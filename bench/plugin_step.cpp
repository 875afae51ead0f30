// One step of the plug-in's link evaluation (opcPostStep) with a network of the given
// size: the focus ship in low orbit, so that both the station and the relay searches run,
// tracking on, the map closed, and the readout dialog closed (dialog:0) or open (dialog:1).
//
//   bench_plugin_step --benchmark_filter=PostStep
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "host/host.h"
#include "sim/simulator.h"
#include "sim/ui/window_system.h"
#include "sources/plugin/test_hooks.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kEarthR = 6371010.0;

const DWORD kText = WS_CHILD | WS_VISIBLE | SS_SUNKEN | SS_CENTER;
const ControlTemplate kReadoutControls[] = {
    {1008, ControlKind::StaticText, "", 13, 57, 99, 22, kText, 0},
    {1001, ControlKind::StaticText, "", 136, 57, 42, 22, kText, 0},
    {1005, ControlKind::StaticText, "", 199, 57, 42, 22, kText, 0},
    {1003, ControlKind::StaticText, "", 13, 99, 99, 22, kText, 0},
    {1004, ControlKind::StaticText, "", 136, 99, 42, 22, kText, 0},
    {1010, ControlKind::StaticText, "", 199, 99, 42, 22, kText, 0},
    {1015, ControlKind::RadioButton, "Omni", 17, 18, 61, 16, WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, 0},
    {1016, ControlKind::RadioButton, "High Gain", 90, 18, 61, 16, WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0},
};
const DialogTemplate kReadoutDialog = {101, WS_POPUP | WS_CAPTION, 0, "Readouts", "MS Sans Serif", 8, 0, 0, 257, 193,
                                       kReadoutControls, 8};

INT_PTR CALLBACK ReadoutProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        CheckRadioButton(window, 1015, 1016, 1015);
        return TRUE;
    }
    return oapiDefDialogProc(window, message, wparam, lparam);
}

VesselCreateStatus Landed(double lngDeg, double latDeg) {
    VesselCreateStatus s{};
    s.version = 2;
    s.rbody = oapiGetObjectByName("Earth");
    s.status = 1;
    s.surf_lng = lngDeg * kPi / 180.0;
    s.surf_lat = latDeg * kPi / 180.0;
    return s;
}

VesselCreateStatus Free(VECTOR3 rpos) {
    VesselCreateStatus s{};
    s.version = 2;
    s.rbody = oapiGetObjectByName("Earth");
    s.rpos = rpos;
    return s;
}

// A host with the plug-in and a network of the given sizes.
struct Network {
    std::filesystem::path root;
    std::unique_ptr<sim::Simulator> sim;
    sim::Module* plugin = nullptr;

    Network(int stations, int relays, int deepSpace, bool dialog) {
        root = std::filesystem::temp_directory_path() / ("orv_bench_plugin_step_" + std::to_string(getpid()));
        std::filesystem::create_directories(root / "config/Orvenet");
        std::ofstream(root / "config/Orvenet/Zeravivadad.cfg") << "N = " << stations << "\n";
        std::ofstream(root / "config/Orvenet/TDRS.cfg") << "N = " << relays << "\n";
        std::ofstream(root / "config/Orvenet/DSN.cfg") << "N = " << deepSpace << "\n";
        sim = std::make_unique<sim::Simulator>(root);
        plugin = sim->load_plugin(ORV_MODULE_DIR "/Kavrin.so");
        KavrinHooks& k = *reinterpret_cast<KavrinTestHooksFunc>(plugin->symbol("KavrinTestHooks"))();
        for (int i = 0; i < stations; ++i)
            k.stationRoster[i] = sim->create_vessel("Station" + std::to_string(i), "BenchStation",
                                                    Landed(-180.0 + 360.0 * i / stations, 30.0 * std::sin(i)));
        for (int i = 0; i < relays; ++i) {
            const double lng = 2 * kPi * i / relays;
            k.relayRoster[i] = sim->create_vessel("Relay" + std::to_string(i), "BenchRelay",
                                                  Free(VECTOR3{42164000 * std::cos(lng), 0, 42164000 * std::sin(lng)}));
        }
        for (int i = 0; i < deepSpace; ++i)
            k.deepSpaceRoster[i] = sim->create_vessel("Deep" + std::to_string(i), "BenchStation",
                                                      Landed(120.0 * i, -20.0 + i % 7));
        const OBJHANDLE ship = sim->create_vessel("Ship", "BenchShip", Free(VECTOR3{kEarthR + 5e5, 0, 0}));
        sim->set_focus(ship);
        *k.antennaVector = VECTOR3{0, 0, 1};
        *k.trackEnabled = true;
        if (dialog) sim->windows().open_dialog(plugin->instance, 101, kReadoutDialog, ReadoutProc, nullptr);
    }
    ~Network() {
        sim.reset();
        std::filesystem::remove_all(root);
    }
};

void BM_PostStep(benchmark::State& state) {
    Network net(int(state.range(0)), int(state.range(1)), int(state.range(2)), state.range(3) != 0);
    double simt = 0.0;
    for (auto _ : state) {
        simt += 1.0;
        net.plugin->post_step(simt, 1.0, net.sim->mjd());
    }
}
BENCHMARK(BM_PostStep)
    ->ArgNames({"stations", "relays", "deep", "dialog"})
    ->Args({15, 10, 3, 0})
    ->Args({100, 100, 100, 0})
    ->Args({15, 10, 3, 1})
    ->Args({100, 100, 100, 1});

}  // namespace
