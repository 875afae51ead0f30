// The host calls on configuration and scenario files, inside a running simulator.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>

#include "config_cases.h"
#include "host/oapi.h"
#include "sim/core/log.h"
#include "sim/simulator.h"

namespace sim {
namespace {

class HostFiles : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("orv-files-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
                 std::to_string(::getpid()));
        std::filesystem::remove_all(root_);
        write("config/Orvenet/TDRS.cfg", "N = 2\nSat 1 = Relay West\nSat 2 = Relay East\nFOCUS = TRUE\n");
        write("Config/Vessels/Plain.cfg", "Size = 5\n");
        write("Scenarios/Notes.cfg", "Author = test\n");
        write("Meshes/Relvana/Relvana.cfg", "Groups = 3\n");
        sim_ = std::make_unique<Simulator>(root_);
        log().clear();
        reset_contract_violations();
    }
    void TearDown() override {
        sim_.reset();
        std::filesystem::remove_all(root_);
    }
    void write(const std::string& relative, const std::string& text) const {
        std::filesystem::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative, std::ios::binary) << text;
    }
    static bool logged(const std::string& fragment) {
        const auto& lines = log().lines();
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(fragment) != l.npos; });
    }

    std::filesystem::path root_;
    std::unique_ptr<Simulator> sim_;
};

TEST_F(HostFiles, ReaderTableThroughTheHostCalls) {
    for (const ReadCase& c : read_cases()) {
        SCOPED_TRACE(c.name);
        write("case.cfg", c.text);
        const FILEHANDLE file = oapiOpenFile("case.cfg", FILE_IN, ROOT);
        check_read(c, [&](Reader reader, const char* key, ReadTargets& t) {
            switch (reader) {
                case Reader::Int: return oapiReadItem_int(file, key, t.i);
                case Reader::Float: return oapiReadItem_float(file, key, t.f);
                case Reader::Bool: return oapiReadItem_bool(file, key, t.b);
                case Reader::String: return oapiReadItem_string(file, key, t.s);
                case Reader::Vec: return oapiReadItem_vec(file, key, t.v);
            }
            return false;
        });
        oapiCloseFile(file, FILE_IN);
    }
    EXPECT_EQ(0u, contract_violations());
    EXPECT_EQ(0u, sim_->config_files().size());
}

TEST_F(HostFiles, OpensUnderEachRootWithModulePaths) {
    struct Case {
        const char* path;
        PathRoot root;
        const char* key;
        const char* value;
    } cases[] = {
        {"config\\Orvenet\\TDRS.cfg", ROOT, "Sat 1", "Relay West"},
        {"Config\\Orvenet\\tdrs.cfg", ROOT, "Sat 2", "Relay East"},
        {"Orvenet\\TDRS.cfg", CONFIG, "Sat 1", "Relay West"},  // Config/ and config/ are one folder
        {"Vessels/Plain.cfg", CONFIG, "Size", "5"},
        {"notes.cfg", SCENARIOS, "Author", "test"},
        {"Relvana\\Relvana.cfg", MESHES, "Groups", "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const FILEHANDLE file = oapiOpenFile(c.path, FILE_IN, c.root);
        char value[256] = "";
        EXPECT_TRUE(oapiReadItem_string(file, c.key, value));
        EXPECT_STREQ(c.value, value);
        oapiCloseFile(file, FILE_IN);
    }
    EXPECT_EQ(0u, contract_violations());
    EXPECT_TRUE(log().lines().empty());
}

// Whatever goes wrong at opening, the module gets a handle on which every read finds
// nothing and whose closing is harmless; the reason is in the log.
TEST_F(HostFiles, FilesThatCannotBeOpenedGiveAnEmptyHandleAndAWarning) {
    write("config/Orvenet/Huge.cfg", "N = 1\n" + std::string(ConfigFile::kMaxFileSize, '\n'));
    struct Case {
        const char* path;
        FileAccessMode mode;
        PathRoot root;
        const char* reason;
    } cases[] = {
        {"config/Orvenet/DSN.cfg", FILE_IN, ROOT, "not found"},
        {"config/Orvenet/TDRS.cfg", FILE_OUT, ROOT, "not supported"},
        {"config/Orvenet/TDRS.cfg", FILE_APP, ROOT, "not supported"},
        {"config/Orvenet/TDRS.cfg", FILE_IN, PathRoot(7), "unknown path root"},
        {"../outside.cfg", FILE_IN, ROOT, "leaves the main folder"},
        {"/etc/hostname", FILE_IN, ROOT, "leaves the main folder"},
        {"config/Orvenet", FILE_IN, ROOT, "not a regular file"},
        {"config/Orvenet/Huge.cfg", FILE_IN, ROOT, "over the limit"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        log().clear();
        const FILEHANDLE file = oapiOpenFile(c.path, c.mode, c.root);
        ASSERT_NE(nullptr, file);
        int n = 7;
        EXPECT_FALSE(oapiReadItem_int(file, "N", n));
        EXPECT_EQ(7, n);
        EXPECT_TRUE(logged("warning: ")) << c.reason;
        EXPECT_TRUE(logged(c.reason));
        oapiCloseFile(file, FILE_IN);
    }
    EXPECT_EQ(0u, contract_violations());
}

// Every call checks its handle: null, stale (closed) and foreign handles do nothing,
// answer false, and each counts one violation with one log line naming the call.
TEST_F(HostFiles, BadHandlesAreCountedAndHarmless) {
    const FILEHANDLE closed = oapiOpenFile("config/Orvenet/TDRS.cfg", FILE_IN, ROOT);
    oapiCloseFile(closed, FILE_IN);
    const FILEHANDLE foreign = reinterpret_cast<FILEHANDLE>(sim_->body(BodyId::Earth));
    const FILEHANDLE open = oapiOpenFile("config/Orvenet/TDRS.cfg", FILE_IN, ROOT);
    log().clear();

    int i = 5;
    double f = 2.5;
    bool b = false;
    char s[256] = "kept";
    VECTOR3 v{1, 2, 3};
    struct Call {
        const char* name;
        std::function<bool(FILEHANDLE)> run;
    } calls[] = {
        {"oapiReadItem_int", [&](FILEHANDLE h) { return oapiReadItem_int(h, "N", i); }},
        {"oapiReadItem_float", [&](FILEHANDLE h) { return oapiReadItem_float(h, "N", f); }},
        {"oapiReadItem_bool", [&](FILEHANDLE h) { return oapiReadItem_bool(h, "FOCUS", b); }},
        {"oapiReadItem_string", [&](FILEHANDLE h) { return oapiReadItem_string(h, "Sat 1", s); }},
        {"oapiReadItem_vec", [&](FILEHANDLE h) { return oapiReadItem_vec(h, "N", v); }},
        {"oapiCloseFile", [&](FILEHANDLE h) { return oapiCloseFile(h, FILE_IN), false; }},
    };
    for (const Call& call : calls)
        for (FILEHANDLE bad : {FILEHANDLE(nullptr), closed, foreign}) {
            SCOPED_TRACE(call.name);
            reset_contract_violations();
            log().clear();
            EXPECT_FALSE(call.run(bad));
            EXPECT_EQ(1u, contract_violations());
            ASSERT_EQ(1u, log().lines().size());
            EXPECT_EQ(0u, log().lines()[0].find(std::string("contract violation: ") + call.name + ": "))
                << log().lines()[0];
        }
    EXPECT_EQ(5, i);
    EXPECT_EQ(2.5, f);
    EXPECT_FALSE(b);
    EXPECT_STREQ("kept", s);
    EXPECT_EQ(1.0, v.x);

    // A null key, and a null buffer for a string, are violations too.
    reset_contract_violations();
    EXPECT_FALSE(oapiReadItem_int(open, nullptr, i));
    EXPECT_FALSE(oapiReadItem_string(open, "Sat 1", nullptr));
    EXPECT_EQ(2u, contract_violations());
    // The good handle still works, and closing it twice counts the second close only.
    reset_contract_violations();
    EXPECT_TRUE(oapiReadItem_int(open, "N", i));
    EXPECT_EQ(2, i);
    oapiCloseFile(open, FILE_IN);
    EXPECT_EQ(0u, contract_violations());
    oapiCloseFile(open, FILE_IN);
    EXPECT_EQ(1u, contract_violations());
    reset_contract_violations();
}

// --- Scenario calls -------------------------------------------------------------------

TEST_F(HostFiles, ScenarioLinesAreHandedOutWithoutLeadingBlanksAndWrittenIndented) {
    auto reading = std::make_unique<ScenarioCursor>();
    reading->lines = {"  STATUS Landed Earth", "\tANIM_0 -2 0.0000", "SAVED 1.000000"};
    const FILEHANDLE in = typed<FILEHANDLE>(sim_->scenario_cursors().insert(std::move(reading)));
    std::vector<std::string> got;
    char* line = nullptr;
    while (oapiReadScenario_nextline(in, line)) got.emplace_back(line);
    EXPECT_EQ((std::vector<std::string>{"STATUS Landed Earth", "ANIM_0 -2 0.0000", "SAVED 1.000000"}), got);
    char* before = line;
    EXPECT_FALSE(oapiReadScenario_nextline(in, line));
    EXPECT_EQ(before, line) << "the end leaves the line alone";

    std::vector<std::string> out;
    auto writing = std::make_unique<ScenarioCursor>();
    writing->out = &out;
    const FILEHANDLE scn = typed<FILEHANDLE>(sim_->scenario_cursors().insert(std::move(writing)));
    oapiWriteScenario_string(scn, "ANIM_0", "-2 0.0000");
    oapiWriteScenario_string(scn, "SAVED", "1.000000");
    EXPECT_EQ((std::vector<std::string>{"  ANIM_0 -2 0.0000", "  SAVED 1.000000"}), out);
    EXPECT_EQ(0u, contract_violations());

    // Wrong handles, wrong directions, and lines that would break the file.
    struct Bad {
        const char* name;
        std::function<void()> run;
    } bad[] = {
        {"read null", [&] { EXPECT_FALSE(oapiReadScenario_nextline(nullptr, line)); }},
        {"read a config file", [&] {
             const FILEHANDLE cfg = oapiOpenFile("config/Orvenet/TDRS.cfg", FILE_IN, ROOT);
             EXPECT_FALSE(oapiReadScenario_nextline(cfg, line));
             oapiCloseFile(cfg, FILE_IN);
         }},
        {"read while writing", [&] { EXPECT_FALSE(oapiReadScenario_nextline(scn, line)); }},
        {"write null", [&] { oapiWriteScenario_string(nullptr, "K", "V"); }},
        {"write while reading", [&] { oapiWriteScenario_string(in, "K", "V"); }},
        {"write null key", [&] { oapiWriteScenario_string(scn, nullptr, "V"); }},
        {"write null value", [&] { oapiWriteScenario_string(scn, "K", nullptr); }},
        {"write END", [&] { oapiWriteScenario_string(scn, "END", ""); }},
        {"write a line end", [&] { oapiWriteScenario_string(scn, "K", "1\nEND"); }},
    };
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.name);
        reset_contract_violations();
        b.run();
        EXPECT_EQ(1u, contract_violations());
    }
    EXPECT_EQ(2u, out.size()) << "nothing more was written";
    sim_->scenario_cursors().erase(raw(in));
    sim_->scenario_cursors().erase(raw(scn));
    reset_contract_violations();
    oapiWriteScenario_string(scn, "K", "V");  // the block is done: stale
    EXPECT_EQ(1u, contract_violations());
    reset_contract_violations();
}

// The whole trip through the simulator: a scenario with plain vessels, landed and in
// flight, with lines no one knows, loaded and saved twice.
TEST_F(HostFiles, ScenarioLoadSaveLoadSaveThroughTheSimulator) {
    write("Scenarios/trip.scn", R"(BEGIN_DESC
Round trip.
END_DESC
BEGIN_ENVIRONMENT
  System Sol
  Date MJD 60310.25
END_ENVIRONMENT
BEGIN_FOCUS
  Ship Kestrel One
END_FOCUS
BEGIN_SHIPS
Kestrel One:Plain
  STATUS Orbiting Earth
  RPOS 6791010.0 1.5 -3
  RVEL 0.0 3615.715751 6754.399329
  AROT 12.5 -90 33
  FUEL 0.4
END
Merritt Island:Plain
  STATUS Landed Earth
  POS -80.604 28.608
  HEADING 271.5
  AROT 0 0 0
  XPDR 466
END
END_SHIPS
)");
    sim_->load_scenario(root_ / "Scenarios/trip.scn");
    const std::string once = sim_->scenario_text();
    std::ofstream(root_ / "Scenarios/once.scn") << once;
    sim_->load_scenario(root_ / "Scenarios/once.scn");
    const std::string twice = sim_->scenario_text();
    EXPECT_EQ(once, twice);
    EXPECT_NE(std::string::npos, once.find("  FUEL 0.4\n"));
    EXPECT_NE(std::string::npos, once.find("  POS -80.604 28.608\n"));
    EXPECT_NE(std::string::npos, once.find("  AROT 0 -90 20.5\n"));
    EXPECT_EQ(0u, contract_violations());
}

}  // namespace
}  // namespace sim
