// The runner as a user starts it: arguments, exit codes and the console language.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const std::string kRunner = ORV_BINARY_DIR "/apps/orvenet-sim/orvenet-sim";

struct Result {
    int code;
    std::string output;  // standard output and error together
};

Result run(const std::string& args) {
    const std::string command = kRunner + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    Result r{-1, ""};
    if (!pipe) return r;
    std::array<char, 4096> buf;
    while (std::fgets(buf.data(), int(buf.size()), pipe)) r.output += buf.data();
    const int status = pclose(pipe);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string scratch(const std::string& name, const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() / ("orv-runner-" + std::to_string(::getpid()) + "-" + name);
    std::ofstream(path) << text;
    return path.string();
}

}  // namespace

TEST(Runner, ExitCodesNameWhatIsWrong) {
    const std::string bad_scenario = scratch("bad.scn", "BEGIN_SHIPS\nNoColonHere\nEND_SHIPS\n");
    const std::string unknown = scratch("unknown.txt", "run 1\nfly to the moon\n");
    struct Case {
        std::string args;
        int code;
        std::string says;
    } cases[] = {
        {"--help", 0, "Exit codes"},
        {"--dt -1", 2, "--dt"},
        {"--no-such-flag", 2, "--no-such-flag"},
        {"no-such-scenario", 3, "bundled: default"},
        {"--session /nonexistent/session.txt", 3, "bundled: default"},
        {"--session no-such-session", 3, "bundled: default"},
        {"--root /nonexistent/root", 3, "--root"},
        {bad_scenario, 4, bad_scenario + ":2"},
        {"--session " + unknown, 5, "unknown command \"fly\""},
        {"--module NoSuchPlugin", 3, "NoSuchPlugin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const Result r = run(c.args);
        EXPECT_EQ(r.code, c.code) << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
    }
}

TEST(Runner, SessionRunsSavesAndQuits) {
    const std::string saved = scratch("saved.scn", "");
    const std::string session =
        scratch("session.txt", "# a comment\nrun 10\nfocus Kestrel\nsave " + saved + "\nquit\nrun 99999\n");
    const Result r = run("default --session " + session);
    EXPECT_EQ(r.code, 0) << r.output;
    EXPECT_NE(r.output.find("simulation time 10 s"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("contract violations 0"), std::string::npos) << r.output;
    std::ifstream in(saved);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Kestrel:CrewCapsule"), std::string::npos) << text;
}

TEST(Runner, QuotedArgumentsAndBadOnes) {
    const std::string session = scratch("quotes.txt", "focus \"No Such Vessel\"\n");
    const Result r = run("--session " + session);
    EXPECT_EQ(r.code, 5);
    EXPECT_NE(r.output.find("no vessel \"No Such Vessel\""), std::string::npos) << r.output;
    const std::string open_quote = scratch("open.txt", "focus \"Kestrel\n");
    EXPECT_EQ(run("--session " + open_quote).code, 5);
}
