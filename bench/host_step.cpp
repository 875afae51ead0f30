// One host step with 40 plain vessels: 25 landed, 15 in free flight.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "sim/simulator.h"

namespace {

void BM_HostStep40Vessels(benchmark::State& state) {
    sim::Simulator s(ORV_DATA_DIR);
    const OBJHANDLE earth = s.body(sim::BodyId::Earth);
    for (int i = 0; i < 25; ++i) {
        VesselCreateStatus st{};
        st.version = 2;
        st.rbody = earth;
        st.status = 1;
        st.surf_lng = -3.0 + 0.24 * i;
        st.surf_lat = -1.2 + 0.1 * i;
        s.create_vessel("Landed " + std::to_string(i), "Plain", st);
    }
    for (int i = 0; i < 15; ++i) {
        VesselCreateStatus st{};
        st.version = 2;
        st.rbody = earth;
        const double r = 6.8e6 + 1e6 * i, v = std::sqrt(sim::kEarthGM / r);
        st.rpos = {r, 0, 0};
        st.rvel = {0, 0.3 * v, 0.95 * v};
        s.create_vessel("Free " + std::to_string(i), "Plain", st);
    }
    for (auto _ : state) s.step(1.0);
}
BENCHMARK(BM_HostStep40Vessels);

}  // namespace
