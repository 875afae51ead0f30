// Generate Network followed by Clear Network, as the controller dialog's buttons run
// them: the bundled network (27 vessels of the real vessel classes) and full lists of
// 100 entries each (300 plain vessels).
//
//   bench_network_generation
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "host/host.h"
#include "sim/simulator.h"
#include "sources/plugin/test_hooks.h"

namespace {

// A list file of `count` entries named PREFIX1 .. PREFIXcount.
std::string List(const char* nameKey, const std::string& prefix, int count) {
    std::string text = "N = " + std::to_string(count) + "\nFOCUS = TRUE\n";
    for (int i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        text += std::string(nameKey) + " " + n + " = " + prefix + n + "\nLong " + n + " = " + std::to_string(i * 3.6 - 180) +
                "\nLat " + n + " = " + std::to_string((i % 17) * 10 - 80) + "\n";
    }
    return text;
}

std::filesystem::path FullListsRoot() {
    const auto root = std::filesystem::temp_directory_path() / ("orv_bench_network_" + std::to_string(getpid()));
    std::filesystem::create_directories(root / "config/Orvenet");
    std::ofstream(root / "config/Orvenet/Zeravivadad.cfg") << List("Base", "Ground ", 100);
    std::ofstream(root / "config/Orvenet/TDRS.cfg") << List("Sat", "Relay ", 100);
    std::ofstream(root / "config/Orvenet/DSN.cfg") << List("Base", "Deep ", 100);
    return root;
}

void GenerateAndClear(benchmark::State& state, const std::filesystem::path& root, std::size_t vessels) {
    sim::Simulator sim(root);
    sim::Module* plugin = sim.load_plugin(ORV_MODULE_DIR "/Kavrin.so");
    if (!plugin) {
        state.SkipWithError("Kavrin.so cannot be loaded");
        return;
    }
    KavrinHooks* k = reinterpret_cast<KavrinTestHooksFunc>(plugin->symbol("KavrinTestHooks"))();
    for (auto _ : state) {
        k->GenerateNetwork();
        if (sim.vessel_handles().size() != vessels) {
            state.SkipWithError("the network was not generated in full");
            return;
        }
        k->ClearNetwork();
    }
    state.counters["vessels"] = double(vessels);
}

void BM_BundledNetwork(benchmark::State& state) { GenerateAndClear(state, ORV_DATA_DIR, 27); }
BENCHMARK(BM_BundledNetwork)->Unit(benchmark::kMillisecond);

void BM_FullLists(benchmark::State& state) {
    const auto root = FullListsRoot();
    GenerateAndClear(state, root, 300);
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_FullLists)->Unit(benchmark::kMillisecond);

}  // namespace
