// Every bundled scenario runs to the end of its session with zero contract violations
// and shows what it is there to show.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "apps/orvenet-sim/console.h"
#include "apps/orvenet-sim/recorder.h"
#include "sim/simulator.h"

namespace fs = std::filesystem;
using runner::ReadoutRow;

namespace {

// Runs Scenarios/NAME.scn with Scenarios/NAME.session as the runner does, keeping every
// step's readouts.
std::vector<ReadoutRow> RunBundled(const std::string& name) {
    sim::reset_contract_violations();
    const fs::path out = fs::temp_directory_path() / ("orv-scenario-" + name + "-" + std::to_string(::getpid()));
    std::vector<ReadoutRow> rows;
    {
        sim::Simulator s(ORV_DATA_DIR);
        EXPECT_NE(s.load_plugin("Kavrin"), nullptr);
        s.load_scenario(fs::path(ORV_DATA_DIR) / "Scenarios" / (name + ".scn"));
        runner::Recorder recorder(s, out, 0);
        std::ostringstream quiet;
        runner::Console console(s, 1.0, quiet, quiet);
        console.after_step = [&](double, double) { recorder.sample(); };
        std::ifstream session(fs::path(ORV_DATA_DIR) / "Scenarios" / (name + ".session"));
        EXPECT_TRUE(session.good());
        EXPECT_EQ(console.run(session, ""), runner::CommandResult::Ok) << quiet.str();
        recorder.finish(quiet);
        rows = recorder.rows();
    }
    EXPECT_EQ(sim::contract_violations(), 0u);
    fs::remove_all(out);
    return rows;
}

bool Any(const std::vector<ReadoutRow>& rows, bool (*pred)(const ReadoutRow&)) {
    return std::any_of(rows.begin(), rows.end(), pred);
}

}  // namespace

TEST(Scenarios, DefaultOrbitMeetsStationsInTurn) {
    const auto rows = RunBundled("default");
    ASSERT_GT(rows.size(), 5000u);
    const auto contacts = runner::derive_contacts(rows);
    int stations = 0;
    for (const auto& c : contacts) stations += c.kind == "station";
    EXPECT_GE(stations, 2);
    EXPECT_TRUE(Any(rows, [](const ReadoutRow& r) { return r.station == "N/A"; })) << "gaps between stations";
    EXPECT_TRUE(Any(rows, [](const ReadoutRow& r) { return r.relay.rfind("TDRS-", 0) == 0; }));
    // The contact report agrees with the readouts it comes from: inside a contact every
    // row names its vessel, and the row at its loss names something else.
    for (const auto& c : contacts) {
        SCOPED_TRACE(c.vessel);
        for (const ReadoutRow& r : rows) {
            const std::string& shown = c.kind == "station" ? r.station : r.relay;
            if (r.time >= c.acquisition && r.time < c.loss) {
                ASSERT_EQ(shown, c.vessel) << r.time;
            }
            if (r.time == c.loss && !c.open_at_end) {
                ASSERT_NE(shown, c.vessel) << r.time;
            }
        }
    }
}

TEST(Scenarios, LunarFarSideReadsZeroWithLagsShown) {
    const auto rows = RunBundled("lunar");
    EXPECT_TRUE(Any(rows, [](const ReadoutRow& r) {
        return r.station_strength == "0.00%" && r.station_lag != "N/A" && r.station_lag.find(" s") != std::string::npos;
    }));
    EXPECT_TRUE(Any(rows, [](const ReadoutRow& r) { return r.station_strength != "0.00%" && r.station_strength != "N/A"; }))
        << "on the near side the link is back";
}

TEST(Scenarios, ProbeIsServedFromTheDeepSpaceList) {
    const auto rows = RunBundled("probe");
    ASSERT_FALSE(rows.empty());
    for (const ReadoutRow& r : rows) ASSERT_EQ(r.band, "deep space");
    EXPECT_TRUE(Any(rows, [](const ReadoutRow& r) { return r.station.rfind("DSS-", 0) == 0; }));
    EXPECT_EQ(rows.back().relay, "N/A");
}

TEST(Scenarios, TransferOrbitCrossesTheRelayBand) {
    const auto rows = RunBundled("gto");
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front().band, "stations+relays");
    EXPECT_EQ(rows.back().band, "stations");
    EXPECT_NE(rows.back().station, "");
    EXPECT_EQ(rows.back().relay, "N/A") << "above 30,000 km no relay serves";
}

TEST(Scenarios, HighGainFollowsTheAntenna) {
    const auto rows = RunBundled("highgain");
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back().antenna, "High Gain");
    EXPECT_TRUE(Any(rows, [](const ReadoutRow& r) { return r.relay_strength == "0.00%"; }));
    EXPECT_TRUE(Any(rows, [](const ReadoutRow& r) {
        return r.relay_strength != "0.00%" && r.relay_strength != "N/A" && !r.relay_strength.empty();
    }));
}
