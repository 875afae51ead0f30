// The runner on a saved network: stations and relay satellites restored from a scenario
// remove themselves at their first step, and the host counts no violation.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host_fixture.h"

namespace relvana_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// Runs `command`, answering its standard output and exit status.
std::string RunCommand(const std::string& command, int& status) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return output;
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    status = pclose(pipe);
    return output;
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Runner, SavedNetworkRemovesItselfAtTheFirstStep) {
    const std::filesystem::path runner = std::filesystem::path(ORV_BINARY_DIR) / "apps/orvenet-sim/orvenet-sim";
    if (!std::filesystem::exists(runner)) GTEST_SKIP() << "no runner in this build";
    const std::filesystem::path dir = std::filesystem::path(ORV_BINARY_DIR) / "test_scenarios/runner";
    std::filesystem::create_directories(dir);
    const std::filesystem::path scenario = dir / "saved_network.scn";
    const std::filesystem::path saved = dir / "after_first_step.scn";
    const std::filesystem::path session = dir / "session.txt";
    std::filesystem::remove(saved);

    std::vector<std::string> relay = OrbitLines();
    relay.insert(relay.end(), {"ANIM_0 -2 0.0000", "ANIM_1 -2 0.0000", "SAVED 1.000000"});
    std::vector<std::string> station = LandedLines();
    station.push_back("SAVED 1.000000");
    std::vector<std::string> unsaved = OrbitLines();
    unsaved[1] = "RPOS 0 0 42164000";
    unsaved[2] = "RVEL -3074.6 0 0";
    std::ofstream(scenario) << ScenarioText({{"Goldstone", "Groundpost", station},
                                             {"Madrid", "Groundpost", station},
                                             {"TDRS-1", "Relvana", relay},
                                             {"TDRS-2", "Relvana", relay},
                                             {"Spare", "Relvana", unsaved}});
    std::ofstream(session) << "run 2\nsave \"" << saved.string() << "\"\n";

    int status = 0;
    const std::string out = RunCommand(runner.string() + " \"" + scenario.string() + "\" --root \"" ORV_DATA_DIR
                                           "\" --session \"" + session.string() + "\" 2>&1",
                                       status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_THAT(out, HasSubstr("contract violations 0"));
    const std::string text = ReadFile(saved);
    for (const char* name : {"Goldstone:", "Madrid:", "TDRS-1:", "TDRS-2:"}) EXPECT_THAT(text, Not(HasSubstr(name)));
    EXPECT_THAT(text, HasSubstr("Spare:Relvana"));
}

}  // namespace
}  // namespace relvana_test
