// The relay satellite's step callback inside the stand-in host: two animation states,
// the removal test, two position queries, the attitude maths and one attitude call.
#include <benchmark/benchmark.h>

#include <stdexcept>

#include "sim/simulator.h"

namespace {

void BM_RelvanaAfterStep(benchmark::State& state) {
    sim::Simulator sim(ORV_DATA_DIR);
    sim.modules().search_path().push_back(ORV_MODULE_DIR);
    VesselCreateStatus status{};
    status.version = 2;
    status.rbody = sim.find_object("Earth");
    status.rpos = {42164000.0, 0.0, 0.0};
    status.rvel = {0.0, 0.0, 3074.6};
    const OBJHANDLE h = sim.create_vessel("Relay-1", "Relvana", status);
    sim::Vessel* v = sim.vessel(h);
    if (!v || !v->iface2) throw std::runtime_error("no relay satellite");
    VESSEL2* relay = v->iface2;
    double t = 0.0;
    for (auto _ : state) {
        relay->clbkAfterStep(t, 1.0, 60000.0);
        t += 1.0;
    }
    benchmark::DoNotOptimize(v->state.attitude);
    if (sim::contract_violations() != 0) state.SkipWithError("the host saw a contract violation");
}
BENCHMARK(BM_RelvanaAfterStep);

}  // namespace
