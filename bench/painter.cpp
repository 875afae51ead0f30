// The painter under the map's load: one mark as the map window draws it on every step
// (a drawing context and a pen of its own, the position circle, three 37-point coverage
// lines with a 3-pixel pen, the name in a 100-pixel box), and the full repaint that
// wipes the marks.
#include <benchmark/benchmark.h>

#include <cmath>

#include "sim/core/log.h"
#include "sim/simulator.h"
#include "sim/ui/window_system.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRadian = kPi / 180;

const ControlTemplate kMapControls[] = {
    {1009, ControlKind::StaticBitmap, "", 0, 0, 420, 194, WS_CHILD | WS_VISIBLE | SS_BITMAP, 107},
};
const DialogTemplate kMap{9, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS,
                          WS_EX_TOOLWINDOW, "MAP", "MS Shell Dlg", 8, 600, 0, 419, 206, kMapControls, 1};

// A coverage line of angular radius rho around (lng0, lat0), degrees, in map pixels.
struct Mark {
    int x0, y0;
    POINT line[3][37];
};

Mark make_mark(double lng0, double lat0, double rho) {
    Mark m{};
    const double x0 = (lng0 / 180 + 1.0) * 315, y0 = 158 - lat0 / 90 * 158;
    m.x0 = int(x0);
    m.y0 = int(y0);
    const double a = std::abs(lat0) * kRadian, r = rho * kRadian;
    for (int k = 0; k < 37; ++k) {
        const double az = 10 * k * kRadian;
        double lat = std::asin(std::cos(a) * std::sin(r) * std::cos(az) + std::sin(a) * std::cos(r));
        if (lat0 < 0) lat = -lat;
        const double dlng = std::atan2(std::sin(az) * std::tan(r), std::cos(a) - std::tan(r) * std::cos(az) * std::sin(a));
        const int x = int(dlng / kRadian * 315 / 180 + 315 + lng0 * 315 / 180), y = int(158 - lat / kRadian * 158 / 90);
        m.line[0][k] = {x, y};
        m.line[1][k] = {x + 630, y};
        m.line[2][k] = {x - 630, y};
    }
    return m;
}

void draw_mark(HWND map, const Mark& m, COLORREF colour, const char* name) {
    const HDC dc = GetDC(map);
    Ellipse(dc, m.x0 - 5, m.y0 - 5, m.x0 + 5, m.y0 + 5);
    RECT label{m.x0 + 6, m.y0 - 10, m.x0 + 106, m.y0 + 10};
    const HPEN pen = CreatePen(PS_SOLID, 3, colour);
    const HGDIOBJ old = SelectObject(dc, pen);
    for (const POINT* line : m.line) Polyline(dc, line, 37);
    SelectObject(dc, old);
    DeleteObject(pen);
    DrawTextA(dc, name, -1, &label, DT_SINGLELINE);
    ReleaseDC(map, dc);
}

struct MapHost {
    sim::Simulator sim{ORV_DATA_DIR};
    HWND map = sim.windows().open_dialog(reinterpret_cast<HINSTANCE>(0x1), 9, kMap, nullptr, nullptr);
};

// The focus vessel 400 km over Florida (coverage radius about 19.8 degrees).
void BM_MapMark(benchmark::State& state) {
    MapHost host;
    const Mark mark = make_mark(-80.6, 28.5, 19.8);
    for (auto _ : state) draw_mark(host.map, mark, RGB(0, 0, 255), "Orvenet Test Vessel");
    if (sim::contract_violations() != 0) state.SkipWithError("contract violations");
}
BENCHMARK(BM_MapMark)->Unit(benchmark::kMicrosecond);

// A geostationary relay satellite's mark: a coverage line of 81.3 degrees, across the map.
void BM_MapMarkGeostationary(benchmark::State& state) {
    MapHost host;
    const Mark mark = make_mark(-41.0, 0.0, 81.3);
    for (auto _ : state) draw_mark(host.map, mark, RGB(255, 0, 0), "Relvana 4");
    if (sim::contract_violations() != 0) state.SkipWithError("contract violations");
}
BENCHMARK(BM_MapMarkGeostationary)->Unit(benchmark::kMicrosecond);

// The full repaint of the map window with erase, as every three seconds.
void BM_MapRepaint(benchmark::State& state) {
    MapHost host;
    for (auto _ : state) {
        InvalidateRect(host.map, nullptr, TRUE);
        host.sim.windows().run_pending_repaints();
    }
}
BENCHMARK(BM_MapRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
