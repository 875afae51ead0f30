// Contacts as the runner reports them: derived from the readouts, and for one station
// on the equator as long as the horizon geometry says.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "apps/orvenet-sim/recorder.h"
#include "sim/core/vecmath.h"
#include "sim/simulator.h"
#include "sim/ui/window_system.h"

using runner::Contact;
using runner::ReadoutRow;

namespace {

ReadoutRow row(double t, const std::string& station, const std::string& relay) {
    ReadoutRow r;
    r.time = t;
    r.station = station;
    r.relay = relay;
    return r;
}

}  // namespace

TEST(Contacts, DerivedFromTheReadouts) {
    const std::vector<ReadoutRow> rows = {
        row(1, "", ""),          row(2, "N/A", "N/A"),    row(3, "Bermuda", "TDRS-3"), row(4, "Bermuda", "TDRS-3"),
        row(5, "Antigua", "TDRS-3"), row(6, "N/A", "TDRS-6"), row(7, "Bermuda", "TDRS-6"),
    };
    const std::vector<Contact> c = runner::derive_contacts(rows);
    ASSERT_EQ(c.size(), 5u);
    struct Want {
        const char* vessel;
        double aos, los;
        bool open;
    } want[] = {{"Bermuda", 3, 5, false}, {"TDRS-3", 3, 6, false}, {"Antigua", 5, 6, false},
                {"TDRS-6", 6, 7, true},   {"Bermuda", 7, 7, true}};
    for (std::size_t i = 0; i < c.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(c[i].vessel, want[i].vessel);
        EXPECT_EQ(c[i].acquisition, want[i].aos);
        EXPECT_EQ(c[i].loss, want[i].los);
        EXPECT_EQ(c[i].open_at_end, want[i].open);
    }
    EXPECT_EQ(runner::csv_field("plain"), "plain");
    EXPECT_EQ(runner::csv_field("a,\"b\""), "\"a,\"\"b\"\"\"");
}

TEST(Contacts, EquatorialPassMatchesTheHorizonGeometry) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("orv-contacts-" + std::to_string(::getpid()));
    fs::remove_all(root);
    auto write = [&](const std::string& rel, const std::string& text) {
        fs::create_directories((root / rel).parent_path());
        std::ofstream(root / rel) << text;
    };
    write("config/Orvenet/Zeravivadad.cfg", "N = 1\nFOCUS = TRUE\nBase 1 = Equator\nLong 1 = 0\nLat 1 = 0\nHdg 1 = 0\n");
    write("config/Orvenet/TDRS.cfg", "N = 0\n");
    write("config/Orvenet/DSN.cfg", "N = 0\n");
    write("Config/Vessels/Groundpost.cfg", "Module = Groundpost\n");
    write("Config/Vessels/Relvana.cfg", "Module = Relvana\n");
    sim::reset_contract_violations();
    std::vector<ReadoutRow> rows;
    {
        sim::Simulator s(root);
        ASSERT_NE(s.load_plugin("Kavrin"), nullptr);
        const OBJHANDLE earth = s.body(sim::BodyId::Earth);
        MATRIX3 R;
        oapiGetRotationMatrix(earth, &R);
        // A circular, prograde, equatorial orbit starting 90 degrees west of the station.
        const double r = 6371010.0 + 1000e3, v = std::sqrt(sim::kEarthGM / r);
        const double lng = -M_PI / 2;
        VesselCreateStatus st{};
        st.version = 2;
        st.rbody = earth;
        st.rpos = sim::mul(R, VECTOR3{r * std::cos(lng), 0, r * std::sin(lng)});
        st.rvel = sim::mul(R, VECTOR3{-v * std::sin(lng), 0, v * std::cos(lng)});
        ASSERT_TRUE(s.set_focus(s.create_vessel("Equatorial", "Plain", st)));
        ASSERT_TRUE(s.run_command("Orvenet"));
        const HWND controller = s.windows().find_window("Orvenet Controller");
        ASSERT_TRUE(s.windows().press(controller, "Generate Network"));
        ASSERT_TRUE(s.windows().press(controller, "Enable Track"));
        const double period = 2 * M_PI * std::sqrt(r * r * r / sim::kEarthGM);
        for (int i = 0; i < int(period * 0.6); ++i) {
            s.step(1.0);
            rows.push_back(runner::read_readouts(s));
        }
        const double omega_orbit = 2 * M_PI / period, omega_earth = 7.2921158553e-5;
        const double expected = 2 * std::acos(6371010.0 / r) / (omega_orbit - omega_earth);
        const std::vector<Contact> c = runner::derive_contacts(rows);
        ASSERT_EQ(c.size(), 1u);
        EXPECT_EQ(c[0].vessel, "Equator");
        EXPECT_FALSE(c[0].open_at_end);
        EXPECT_NEAR(c[0].loss - c[0].acquisition, expected, 2.0);
    }
    EXPECT_EQ(sim::contract_violations(), 0u);
    fs::remove_all(root);
}
