// One configuration item read: on a parsed ConfigFile, and through the host call that
// the plug-in makes on every step (oapiReadItem_int on an open file). Goal: under 100 ns.
//
// The file is a network file of 100 stations (401 items), the plug-in's largest.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "host/oapi.h"
#include "sim/core/log.h"
#include "sim/files/config_file.h"
#include "sim/simulator.h"

namespace {

std::string station_file() {
    std::string text = "N = 100\nFOCUS = FALSE\n";
    for (int i = 1; i <= 100; ++i) {
        const std::string n = std::to_string(i);
        text += "Base " + n + " = Station number " + n + "\nLong " + n + " = " + std::to_string(i * 3.5 - 180) +
                "\nLat " + n + " = " + std::to_string(i * 0.8 - 40) + "\nHdg " + n + " = 0\n";
    }
    return text;
}

void BM_ConfigFile_read_int(benchmark::State& state) {
    const sim::ConfigFile file = sim::ConfigFile::from_text(station_file(), "stations.cfg");
    int n = 0;
    for (auto _ : state) {
        file.read_int("N", n);
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_ConfigFile_read_int);

void BM_ConfigFile_read_float(benchmark::State& state) {
    const sim::ConfigFile file = sim::ConfigFile::from_text(station_file(), "stations.cfg");
    double lng = 0;
    for (auto _ : state) {
        file.read_float("Long 57", lng);
        benchmark::DoNotOptimize(lng);
    }
}
BENCHMARK(BM_ConfigFile_read_float);

// A simulator on a scratch main folder holding the station file.
class HostFixture {
public:
    HostFixture() {
        root_ = std::filesystem::temp_directory_path() / ("orv-bench-config-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root_ / "config" / "Orvenet");
        std::ofstream(root_ / "config" / "Orvenet" / "Zeravivadad.cfg") << station_file();
        sim_ = std::make_unique<sim::Simulator>(root_);
        file_ = oapiOpenFile("config\\Orvenet\\Zeravivadad.cfg", FILE_IN, ROOT);
    }
    ~HostFixture() {
        oapiCloseFile(file_, FILE_IN);
        sim_.reset();
        std::filesystem::remove_all(root_);
    }
    FILEHANDLE file() const { return file_; }

private:
    std::filesystem::path root_;
    std::unique_ptr<sim::Simulator> sim_;
    FILEHANDLE file_ = nullptr;
};

void BM_oapiReadItem_int(benchmark::State& state) {
    HostFixture host;
    int n = 0;
    for (auto _ : state) {
        oapiReadItem_int(host.file(), "N", n);
        benchmark::DoNotOptimize(n);
    }
    if (n != 100 || sim::contract_violations() != 0) state.SkipWithError("the read failed");
}
BENCHMARK(BM_oapiReadItem_int);

void BM_oapiReadItem_string(benchmark::State& state) {
    HostFixture host;
    char name[256];
    for (auto _ : state) {
        oapiReadItem_string(host.file(), "Base 57", name);
        benchmark::DoNotOptimize(name);
    }
}
BENCHMARK(BM_oapiReadItem_string);

}  // namespace
