// Cost of the body states: the interpolated grid once warm (as the simulator calls it,
// stepping forward, and at scattered dates already visited), its parts, and the full
// series.
#include <benchmark/benchmark.h>

#include "sim/bodies/ephemeris.h"

namespace {

using sim::BodyStates;
using sim::Ephemeris;

constexpr double kStart = 60000.0;      // MJD
constexpr double kStepDays = 1.0 / 86400;  // one 1 s host step

// Stepping forward 1 s a call through two warm days, as a run does (the cell changes
// every 12 h of simulated time).
void BM_StatesWarmStepping(benchmark::State& state) {
    Ephemeris ephemeris;
    BodyStates out;
    constexpr double kSpan = 2.0;  // days
    for (double t = kStart; t <= kStart + kSpan + 1; t += Ephemeris::kGridStep) ephemeris.states(t, out);
    double t = kStart;
    for (auto _ : state) {
        ephemeris.states(t, out);
        benchmark::DoNotOptimize(out);
        t += kStepDays;
        if (t > kStart + kSpan) t = kStart;
    }
}
BENCHMARK(BM_StatesWarmStepping);

// Dates scattered over a warm month: every call changes cell and looks nodes up.
void BM_StatesWarmScattered(benchmark::State& state) {
    Ephemeris ephemeris;
    BodyStates out;
    constexpr double kSpan = 30.0;  // days
    for (double t = kStart; t <= kStart + kSpan + 1; t += Ephemeris::kGridStep) ephemeris.states(t, out);
    double t = kStart;
    for (auto _ : state) {
        ephemeris.states(t, out);
        benchmark::DoNotOptimize(out);
        t += 7.3;  // days: another cell each call
        if (t > kStart + kSpan) t -= kSpan;
    }
}
BENCHMARK(BM_StatesWarmScattered);

void BM_EarthRotation(benchmark::State& state) {
    double t = kStart;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Ephemeris::earth_rotation(t));
        t += kStepDays;
    }
}
BENCHMARK(BM_EarthRotation);

void BM_ExactStates(benchmark::State& state) {
    BodyStates out;
    double t = kStart;
    for (auto _ : state) {
        Ephemeris::exact_states(t, out);
        benchmark::DoNotOptimize(out);
        t += 0.37;
    }
}
BENCHMARK(BM_ExactStates)->Unit(benchmark::kMillisecond);

}  // namespace
