// A host step with the network generated, tracking on and the map open: three marks
// drawn by the plug-in (relay, station, focus vessel), plus the searches and readouts.
#include <benchmark/benchmark.h>

#include <cmath>

#include "sim/core/vecmath.h"
#include "sim/simulator.h"
#include "sim/ui/window_system.h"

namespace {

void BM_StepWithMapAndThreeMarks(benchmark::State& state) {
    sim::Simulator s(ORV_DATA_DIR);
    s.load_plugin("Kavrin");
    MATRIX3 R;
    oapiGetRotationMatrix(s.body(sim::BodyId::Earth), &R);
    const double lng = -78.0 * 0.017453292519943295, lat = 28.5 * 0.017453292519943295, d = 6371010.0 + 400e3;
    VesselCreateStatus st{};
    st.version = 2;
    st.rbody = s.body(sim::BodyId::Earth);
    st.rpos = sim::mul(R, VECTOR3{d * std::cos(lat) * std::cos(lng), d * std::sin(lat), d * std::cos(lat) * std::sin(lng)});
    s.set_focus(s.create_vessel("Watcher", "Plain", st));
    s.run_command("Orvenet");
    HWND controller = s.windows().find_window("Orvenet Controller");
    s.windows().press(controller, "Generate Network");
    s.windows().press(controller, "Enable Track");
    s.windows().press(controller, "MAP");
    // Short steps: the full repaint (every 3 s of simulation time) stays out of the figure.
    for (auto _ : state) s.step(1e-4);
}
BENCHMARK(BM_StepWithMapAndThreeMarks);

}  // namespace
