// orvenet-sim: runs a scenario in the stand-in host with the network plug-in loaded.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>

#include "console.h"
#include "recorder.h"
#include "sim/files/config_file.h"
#include "sim/simulator.h"

namespace fs = std::filesystem;

namespace {

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitBadArguments = 2;
constexpr int kExitMissingFile = 3;
constexpr int kExitBadScenario = 4;
constexpr int kExitSessionFailed = 5;

constexpr const char* kHostConfig = "orvenet.cfg";
constexpr const char* kDefaultScenario = "default";

// A scenario argument: a file, or the name of a bundled scenario (Scenarios/NAME.scn).
fs::path find_scenario(const fs::path& root, const std::string& arg) {
    if (fs::exists(arg) && fs::is_regular_file(arg)) return arg;
    const fs::path bundled = root / "Scenarios" / (arg + ".scn");
    if (fs::exists(bundled)) return bundled;
    return {};
}

// Names of the bundled files with this extension in Scenarios/.
std::vector<std::string> bundled_scenarios(const fs::path& root, const std::string& extension = ".scn") {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(root / "Scenarios", ec))
        if (e.path().extension() == extension) names.push_back(e.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"orvenet-sim: fly a scenario in the stand-in host with the Orvenet network"};
    std::string scenario = kDefaultScenario;
    std::string root = ORV_DATA_DIR;
    double dt = 1.0;
    double until = 0.0;
    std::string session;
    std::string out_dir = "out";
    std::vector<std::string> modules;
    bool verbose = false;
    bool quiet = false;
    double map_every = 600.0;
    app.add_option("scenario", scenario, "scenario file or bundled scenario name (default: default)");
    app.add_option("--root", root, "the simulator's main folder")->capture_default_str();
    app.add_option("--dt", dt, "step length, seconds")->capture_default_str()->check(CLI::PositiveNumber);
    app.add_option("--until", until, "without a session: run until this simulation time, seconds")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--session", session, "console commands to run ('-' for standard input)");
    app.add_option("--out", out_dir, "folder for the run's outputs: readouts.csv, contacts.csv, map snapshots, the saved scenario, the host log")
        ->capture_default_str();
    app.add_option("--module", modules, "plug-in to load instead of those named in the host config");
    app.add_flag("--verbose", verbose, "print the host log as it is written");
    app.add_flag("--quiet", quiet, "no progress bar and live readouts on standard error");
    app.add_option("--map-every", map_every, "seconds of simulation time between map snapshots (0: only at the end)")
        ->capture_default_str()
        ->check(CLI::NonNegativeNumber);
    app.footer(
        "Exit codes: 0 success, 2 bad arguments, 3 missing file, 4 malformed scenario, "
        "5 a session command failed or was unknown.\n"
        "Console commands: command LABEL, focus VESSEL, run SECONDS, save FILE, log, press WINDOW BUTTON,\n"
        "windows, snapshot WINDOW FILE.png, quit.");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? kExitOk : kExitBadArguments;
    }

    if (!fs::is_directory(root)) {
        std::cerr << "error: --root: \"" << root << "\" is not a folder\n";
        return kExitMissingFile;
    }
    const fs::path scenario_file = find_scenario(root, scenario);
    if (scenario_file.empty()) {
        std::cerr << "error: scenario \"" << scenario << "\" is neither a file nor a bundled scenario; bundled:";
        for (const auto& n : bundled_scenarios(root)) std::cerr << " " << n;
        std::cerr << "\n";
        return kExitMissingFile;
    }
    // A bundled scenario brings its session (Scenarios/NAME.session) unless the user
    // gives one or asks for a plain run with --until.
    if (session.empty() && until <= 0) {
        fs::path bundled = scenario_file;
        bundled.replace_extension(".session");
        if (fs::exists(bundled)) session = bundled.string();
    }
    // --session takes a file or the name of a bundled session (Scenarios/NAME.session).
    if (!session.empty() && session != "-" && !fs::exists(session)) {
        const fs::path bundled = fs::path(root) / "Scenarios" / (session + ".session");
        if (fs::exists(bundled)) {
            session = bundled.string();
        } else {
            std::cerr << "error: --session: \"" << session << "\" is neither a file nor a bundled session; bundled:";
            for (const auto& n : bundled_scenarios(root, ".session")) std::cerr << " " << n;
            std::cerr << "\n";
            return kExitMissingFile;
        }
    }
    std::ifstream session_file;
    if (!session.empty() && session != "-") {
        session_file.open(session);
        if (!session_file) {
            std::cerr << "error: --session: cannot read \"" << session << "\"\n";
            return kExitMissingFile;
        }
    }

    sim::log().set_echo(verbose);
    sim::Simulator sim(root);
    const bool explicit_modules = !modules.empty();
    if (modules.empty()) {
        sim::ConfigFile cfg = sim::ConfigFile::load(fs::path(root) / kHostConfig);
        char list[256] = "";
        if (cfg.read_string("Plugins", list)) {
            std::vector<std::string> words;
            std::string error;
            runner::split_words(list, words, error);
            modules = words;
        }
    }
    for (const std::string& m : modules) {
        if (!sim.load_plugin(m)) {
            std::cerr << (explicit_modules ? "error" : "warning") << ": plug-in \"" << m << "\" cannot be loaded\n";
            if (explicit_modules) return kExitMissingFile;
        }
    }
    try {
        sim.load_scenario(scenario_file);
    } catch (const sim::ScenarioError& e) {
        std::cerr << "error: " << e.what() << "\n";
        return kExitBadScenario;
    }

    std::error_code ec;
    fs::create_directories(out_dir, ec);
    if (ec) {
        std::cerr << "error: --out: cannot create \"" << out_dir << "\": " << ec.message() << "\n";
        return kExitMissingFile;
    }
    runner::Recorder recorder(sim, out_dir, map_every);
    runner::Console console(sim, dt, std::cout, std::cerr);
    const bool live = !quiet && isatty(STDERR_FILENO);
    int since_drawn = 0;
    console.after_step = [&](double done, double total) {
        recorder.sample();
        if (!live || (++since_drawn < 20 && done < total)) return;
        since_drawn = 0;
        const runner::ReadoutRow& r = *recorder.last();
        constexpr int kBar = 24;
        const int filled = total > 0 ? int(kBar * done / total) : kBar;
        std::fprintf(stderr, "\r[%-*s] %3.0f%%  t=%.0f s  %s %s %s | %s %s %s\033[K", kBar,
                     std::string(std::size_t(filled), '#').c_str(), total > 0 ? 100 * done / total : 100.0, r.time,
                     r.station.c_str(), r.station_strength.c_str(), r.station_lag.c_str(), r.relay.c_str(),
                     r.relay_strength.c_str(), r.relay_lag.c_str());
        if (done >= total) std::fputc('\n', stderr);
    };
    int code = kExitOk;
    if (!session.empty()) {
        std::istream& in = session == "-" ? std::cin : session_file;
        const bool interactive = session == "-" && isatty(STDIN_FILENO);
        const runner::CommandResult r = console.run(in, interactive ? "orvenet> " : "");
        if (r == runner::CommandResult::Failed || r == runner::CommandResult::Unknown) code = kExitSessionFailed;
    } else if (until > 0) {
        console.advance(until);
    }
    std::cout << "simulation time " << sim.sim_time() << " s, MJD " << std::fixed << std::setprecision(5) << sim.mjd()
              << std::defaultfloat << ", contract violations " << sim::contract_violations() << "\n";
    recorder.finish(std::cout);
    return code;
}
