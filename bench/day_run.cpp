// A simulated day of the default scenario at 1 s steps: network generated, tracking on,
// the controller dialog and the map open.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "sim/simulator.h"
#include "sim/ui/window_system.h"

namespace {

void BM_DefaultScenarioOneDay(benchmark::State& state) {
    for (auto _ : state) {
        sim::Simulator s(ORV_DATA_DIR);
        s.load_plugin("Kavrin");
        s.load_scenario(std::filesystem::path(ORV_DATA_DIR) / "Scenarios" / "default.scn");
        s.run_command("Orvenet");
        HWND controller = s.windows().find_window("Orvenet Controller");
        s.windows().press(controller, "Generate Network");
        s.windows().press(controller, "Enable Track");
        s.windows().press(controller, "MAP");
        for (int i = 0; i < 86400; ++i) s.step(1.0);
    }
}
BENCHMARK(BM_DefaultScenarioOneDay)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
