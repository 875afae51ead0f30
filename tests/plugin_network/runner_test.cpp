// The bundled network in the runner, as a user drives it from a session: open the
// controller, generate the network, enable tracking, fly an orbit on the default
// scenario, save; then run the saved file, whose network removes itself at once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

const std::filesystem::path kRunner = ORV_BINARY_DIR "/apps/orvenet-sim/orvenet-sim";

struct RunResult {
    int code = -1;
    std::string output;  // standard output and error together
};

RunResult Runner(const std::string& args) {
    RunResult r;
    FILE* pipe = popen((kRunner.string() + " " + args + " 2>&1").c_str(), "r");
    if (!pipe) return r;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe)) r.output += buffer;
    const int status = pclose(pipe);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::filesystem::path Scratch(const std::string& name) {
    const auto dir = std::filesystem::path(ORV_BINARY_DIR) / "test_roots" / "plugin_network" / "runner";
    std::filesystem::create_directories(dir);
    return dir / name;
}

// The texts of a control in every `windows` listing of the output, each change once.
std::vector<std::string> Readouts(const std::string& output, int control) {
    const std::string prefix = "  " + std::to_string(control) + " static \"";
    std::vector<std::string> seen;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) != 0) continue;
        const std::string text = line.substr(prefix.size(), line.size() - prefix.size() - 1);
        if (seen.empty() || seen.back() != text) seen.push_back(text);
    }
    return seen;
}

// Names of the vessels of a class in a scenario file.
std::set<std::string> VesselsOf(const std::filesystem::path& file, const std::string& cls) {
    std::set<std::string> names;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        if (line.size() > cls.size() && line.compare(line.size() - cls.size() - 1, std::string::npos, ":" + cls) == 0)
            names.insert(line.substr(0, line.size() - cls.size() - 1));
    return names;
}

TEST(Runner, BundledNetworkOverAnOrbitThenSavedAndRemovedOnReload) {
    if (!std::filesystem::exists(kRunner)) GTEST_SKIP() << "no runner in this build";
    const auto saved = Scratch("orbit.scn"), reloaded = Scratch("reloaded.scn"), session = Scratch("orbit.txt");
    std::filesystem::remove(saved);
    std::filesystem::remove(reloaded);
    {
        std::ofstream s(session);
        s << "command Orvenet\n"
             "press \"Orvenet Controller\" \"Generate Network\"\n"
             "press \"Orvenet Controller\" \"Enable Track\"\n";
        for (int t = 0; t < 5600; t += 50) s << "run 50\nwindows\n";
        s << "save " << saved.string() << "\n";
    }
    const RunResult orbit = Runner("default --session " + session.string());
    ASSERT_EQ(orbit.code, 0) << orbit.output.substr(0, 2000);
    EXPECT_NE(orbit.output.find("contract violations 0"), std::string::npos);

    // Stations take over one after another, "N/A" while none is above the horizon; relay
    // satellites follow one another without a gap.
    const std::vector<std::string> stations = Readouts(orbit.output, 1008);
    const std::vector<std::string> relays = Readouts(orbit.output, 1003);
    const std::set<std::string> groundNames = VesselsOf(saved, "Groundpost"), relayNames = VesselsOf(saved, "Relvana");
    std::set<std::string> stationsSeen;
    int gaps = 0;
    for (const std::string& s : stations) {
        if (s == "N/A") {
            ++gaps;
            continue;
        }
        EXPECT_TRUE(groundNames.count(s)) << s;
        stationsSeen.insert(s);
    }
    EXPECT_GE(stationsSeen.size(), 2u);
    EXPECT_GE(gaps, 2);
    EXPECT_GE(relays.size(), 2u);
    for (const std::string& r : relays) EXPECT_TRUE(relayNames.count(r)) << r;

    // The saved file holds the whole bundled network, each vessel with its marker line.
    EXPECT_EQ(groundNames.size(), 15u + 3u);
    EXPECT_EQ(relayNames.size(), 9u);
    std::ifstream in(saved);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    std::size_t markers = 0;
    for (std::size_t at = text.find("SAVED"); at != std::string::npos; at = text.find("SAVED", at + 1)) ++markers;
    EXPECT_EQ(markers, groundNames.size() + relayNames.size());

    // Run from that file, the network removes itself at the first step.
    std::ofstream(session) << "run 1\nsave " << reloaded.string() << "\n";
    const RunResult reload = Runner(saved.string() + " --session " + session.string());
    ASSERT_EQ(reload.code, 0) << reload.output.substr(0, 2000);
    EXPECT_NE(reload.output.find("contract violations 0"), std::string::npos);
    EXPECT_TRUE(VesselsOf(reloaded, "Groundpost").empty());
    EXPECT_TRUE(VesselsOf(reloaded, "Relvana").empty());
    EXPECT_EQ(VesselsOf(reloaded, "CrewCapsule"), std::set<std::string>{"Kestrel"});
}

}  // namespace
