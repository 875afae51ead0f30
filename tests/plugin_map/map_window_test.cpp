// The map window in the stand-in: the real plug-in draws its marks on the map's client
// raster after each step; the tests read the pixels back.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "sim/core/log.h"
#include "sim/core/vecmath.h"
#include "sim/simulator.h"
#include "sim/ui/raster.h"
#include "sim/ui/window_system.h"
#include "sources/plugin/map/map_geometry.h"
#include "sources/plugin/test_hooks.h"

namespace {

constexpr double kDeg = 0.017453292519943295;
constexpr sim::Pixel kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kBlack = 0x000000;

class MapWindow : public ::testing::Test {
protected:
    void SetUp() override {
        sim::reset_contract_violations();
        sim_ = std::make_unique<sim::Simulator>(ORV_DATA_DIR);
        plugin_ = sim_->load_plugin("Kavrin");
        ASSERT_NE(plugin_, nullptr);
        hooks_ = reinterpret_cast<KavrinTestHooksFunc>(plugin_->symbol("KavrinTestHooks"))();
    }
    void TearDown() override {
        sim_.reset();
        EXPECT_EQ(sim::contract_violations(), 0u);
    }

    // A plain vessel in free flight at distance d over (lng, lat), degrees; it barely
    // moves during the tests' short steps.
    OBJHANDLE Place(const char* name, double lngDeg, double latDeg, double d) {
        MATRIX3 R;
        oapiGetRotationMatrix(sim_->body(sim::BodyId::Earth), &R);
        const double lng = lngDeg * kDeg, lat = latDeg * kDeg;
        VesselCreateStatus st{};
        st.version = 2;
        st.rbody = sim_->body(sim::BodyId::Earth);
        st.rpos = sim::mul(R, VECTOR3{d * std::cos(lat) * std::cos(lng), d * std::sin(lat), d * std::cos(lat) * std::sin(lng)});
        return sim_->create_vessel(name, "Plain", st);
    }
    // The mark the plug-in should draw for an object, from the host's own numbers.
    MarkGeometry Expected(OBJHANDLE h) {
        VECTOR3 g;
        oapiGetGlobalPos(h, &g);
        double lng, lat, rad;
        oapiGlobalToEqu(sim_->body(sim::BodyId::Earth), g, &lng, &lat, &rad);
        return ComputeMark(lng / kDeg, lat / kDeg, rad);
    }
    HWND OpenMap() {
        EXPECT_TRUE(sim_->run_command("Orvenet"));
        controller_ = sim_->windows().find_window("Orvenet Controller");
        EXPECT_TRUE(sim_->windows().press(controller_, "MAP"));
        map_ = sim_->windows().find_window("MAP");
        EXPECT_NE(map_, nullptr);
        return map_;
    }
    const sim::Raster& Pixels() { return *sim_->windows().client_raster(map_); }
    int Count(sim::Pixel colour) {
        const sim::Raster& r = Pixels();
        int n = 0;
        for (int y = 0; y < r.height(); ++y)
            for (int x = 0; x < r.width(); ++x) n += r.pixel(x, y) == colour;
        return n;
    }
    std::vector<sim::Pixel> Snapshot() {
        const sim::Raster& r = Pixels();
        std::vector<sim::Pixel> out;
        for (int y = 0; y < r.height(); ++y)
            for (int x = 0; x < r.width(); ++x) out.push_back(r.pixel(x, y));
        return out;
    }

    std::unique_ptr<sim::Simulator> sim_;
    sim::Module* plugin_ = nullptr;
    KavrinHooks* hooks_ = nullptr;
    HWND controller_ = nullptr, map_ = nullptr;
};

}  // namespace

TEST_F(MapWindow, FocusMarkAtItsPlace) {
    const OBJHANDLE focus = Place("Watcher", -80.6, 28.5, 6371010.0 + 400e3);
    ASSERT_TRUE(sim_->set_focus(focus));
    OpenMap();
    sim_->step(0.001);
    const MarkGeometry m = Expected(focus);
    EXPECT_EQ(m.circle.left, 168);
    EXPECT_EQ(m.circle.top, 102);
    const sim::Raster& r = Pixels();
    const int midY = (m.circle.top + m.circle.bottom) / 2;
    EXPECT_EQ(r.pixel(m.circle.left, midY), kBlack) << "the circle's outline touches its left column";
    EXPECT_NE(r.pixel(m.circle.right, midY), kBlack) << "and never its right one";
    EXPECT_EQ(r.pixel(m.line[0].x, m.line[0].y), kBlue);
    EXPECT_EQ(r.pixel(m.line[18].x, m.line[18].y), kBlue);
    int text = 0;
    for (int y = m.label.top; y < m.label.bottom; ++y)
        for (int x = m.label.left; x < m.label.right; ++x) text += r.pixel(x, y) == kBlack;
    EXPECT_GT(text, 20) << "the name is written beside the mark";
}

TEST_F(MapWindow, CircleOverTheEdgeShowsAtTheOtherSide) {
    const OBJHANDLE focus = Place("Geo Watcher", 100, -30, 42164000);
    ASSERT_TRUE(sim_->set_focus(focus));
    OpenMap();
    sim_->step(0.001);
    const MarkGeometry m = Expected(focus);
    EXPECT_GT(m.line[0].x, 630);
    EXPECT_EQ(Pixels().pixel(m.left[0].x, m.left[0].y), kBlue);
}

TEST_F(MapWindow, MarksPileUpUntilTheRepaintRestoresTheBitmap) {
    const OBJHANDLE focus = Place("Watcher", 10, 20, 6371010.0 + 400e3);
    ASSERT_TRUE(sim_->set_focus(focus));
    OpenMap();
    const std::vector<sim::Pixel> bare = Snapshot();
    sim_->step(1.0);
    sim_->step(1.0);
    sim_->step(1.0);  // t = 3: exactly 3 s after the last refresh is not enough
    EXPECT_NE(Snapshot(), bare);
    EXPECT_GT(Count(kBlue), 0);
    const int piled = Count(kBlue);
    sim_->step(1.0);  // t = 4: a repaint is asked for; the window shows the marks until the next step
    EXPECT_GE(Count(kBlue), piled);
    sim_->windows().run_pending_repaints();
    EXPECT_EQ(Snapshot(), bare) << "the repaint restores the bitmap exactly";
    sim_->step(1.0);
    EXPECT_GT(Count(kBlue), 0);
}

TEST_F(MapWindow, NetworkMarksInTheirColoursAndStopTrack) {
    // Over Merritt Island: its ground station serves, with a relay satellite.
    const OBJHANDLE focus = Place("Watcher", -80.6934, 28.5081, 6371010.0 + 400e3);
    ASSERT_TRUE(sim_->set_focus(focus));
    OpenMap();
    ASSERT_TRUE(sim_->windows().press(controller_, "Generate Network"));
    ASSERT_TRUE(sim_->windows().press(controller_, "Enable Track"));
    sim_->step(0.5);  // the searches choose
    sim_->step(0.5);  // and the marks show them
    ASSERT_NE(*hooks_->currentStation, nullptr);
    ASSERT_NE(*hooks_->currentRelay, nullptr);
    EXPECT_GT(Count(kRed), 0);
    EXPECT_GT(Count(kBlue), 0);
    // The focus vessel's circle, drawn last, lies on top of the station's point below it.
    const MarkGeometry station = Expected(*hooks_->currentStation);
    EXPECT_NE(Pixels().pixel(station.line[0].x, station.line[0].y), kGreen);

    // Three degrees east of the station its green point shows beside the focus mark.
    const OBJHANDLE beside = Place("Beside", -77.6934, 28.5081, 6371010.0 + 400e3);
    ASSERT_TRUE(sim_->set_focus(beside));
    sim_->step(0.5);
    sim_->step(0.5);
    EXPECT_EQ(Pixels().pixel(station.line[0].x, station.line[0].y), kGreen);
    EXPECT_GT(Count(kRed), 0);

    ASSERT_TRUE(sim_->windows().press(controller_, "Stop Track"));
    sim_->step(0.5);  // t = 2.5: the relay's red mark once more
    EXPECT_GT(Count(kRed), 0);
    sim_->step(1.0);  // t = 3.5: repaint asked for, carried out as the next step begins
    sim_->step(0.5);  // marks of the station and the focus vessel only
    EXPECT_EQ(Count(kRed), 0);
    EXPECT_GT(Count(kGreen), 0);
    EXPECT_GT(Count(kBlue), 0);
}

TEST_F(MapWindow, ClosedMapDrawsNothingAndNoDCLeaks) {
    const OBJHANDLE focus = Place("Watcher", 10, 20, 6371010.0 + 400e3);
    ASSERT_TRUE(sim_->set_focus(focus));
    OpenMap();
    sim_->step(1.0);
    EXPECT_EQ(sim_->windows().dc_count(), 0u) << "every mark released its drawing context";
    EXPECT_EQ(sim_->windows().gdi_object_count(), 0u) << "and deleted its pen";
    ASSERT_TRUE(sim_->windows().press_close_box(map_));
    EXPECT_EQ(sim_->windows().find_window("MAP"), nullptr);
    EXPECT_NE(sim_->windows().find_window("Orvenet Controller"), nullptr) << "id 2 closes the map only";
    sim_->step(1.0);
}
