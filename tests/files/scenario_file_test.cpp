// Scenario files: reading, writing, the standard vessel lines and the attitude angles.
#include "sim/files/scenario_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "sim/core/vecmath.h"

namespace sim {
namespace {

constexpr double kRadPerDeg = 0.017453292519943295;

// What the host does to a vessel's block between loading and saving: standard lines go
// into its state, the rest is kept; on saving, the standard lines of the state come
// first, then the kept lines.
std::vector<std::string> host_resave(const std::vector<std::string>& lines) {
    VesselState state;
    for (const std::string& line : lines)
        if (!parse_standard_line(line, state)) state.kept_lines.push_back(line);
    std::vector<std::string> out;
    for (const auto& [key, value] : standard_lines(state)) out.push_back(key.empty() ? value : key + " " + value);
    return out;
}

// Load, then save, as the host does.
std::string load_save(const std::string& text) {
    ScenarioDoc doc = parse_scenario(text, "round.scn");
    for (ScenarioShip& ship : doc.ships) ship.lines = host_resave(ship.lines);
    return write_scenario(doc);
}

const char* const kScenario = R"(; hand-written, comments between blocks are kept
BEGIN_DESC
Two stations and a relay.
   Indented text stays as it is.
END_DESC

BEGIN_ENVIRONMENT
  System Sol
  Date MJD 60123.456789
  Context earth-only
END_ENVIRONMENT

BEGIN_FOCUS
  Ship Explorer 2
END_FOCUS

BEGIN_CAMERA
  TARGET Explorer 2
END_CAMERA

BEGIN_SHIPS
Explorer 2:Crewcraft
  STATUS Orbiting Earth
  RPOS 6791000.0 0.0 12.5
  RVEL 0 4765.2 6016.123456789
  AROT 10 20 30
  FUEL 0.75
  XPDR 466
END
Merritt Island:Groundpost
  STATUS Landed Earth
  POS -80.6 28.5
  HEADING -10
  SAVED 1.000000
END
Relay:Pad:Relvana
STATUS Orbiting Earth
RPOS 42164000 0 0
RVEL 0 0 3074.6
AROT 0 90 45
ANIM_0 -2 0.0000
ANIM_1 -2 0.0000


END
Lunar Gateway:Probe
  status landed Moon
  pos 200 -89.999
  heading 359.99999999999
  arot 180 -90 -180
END
END_SHIPS
)";

TEST(ScenarioFile, LoadSaveLoadSaveGivesTheSameText) {
    const std::string once = load_save(kScenario);
    const std::string twice = load_save(once);
    EXPECT_EQ(once, twice);
    EXPECT_EQ(once, write_scenario(parse_scenario(once, "round.scn"))) << "a saved file reads as it was written";
}

TEST(ScenarioFile, ReadsBlocksShipsAndKeepsUnknownLinesInOrder) {
    const ScenarioDoc doc = parse_scenario(kScenario, "round.scn");
    EXPECT_EQ((std::vector<std::string>{"Two stations and a relay.", "   Indented text stays as it is."}), doc.description);
    EXPECT_EQ("Sol", doc.system);
    EXPECT_EQ(60123.456789, doc.mjd);
    EXPECT_EQ(std::vector<std::string>{"Context earth-only"}, doc.environment_extra);
    EXPECT_EQ("Explorer 2", doc.focus);
    EXPECT_EQ((std::vector<std::string>{"; hand-written, comments between blocks are kept", "BEGIN_CAMERA",
                                        "  TARGET Explorer 2", "END_CAMERA"}),
              doc.extra);
    ASSERT_EQ(4u, doc.ships.size());
    EXPECT_EQ("Merritt Island", doc.ships[1].name);
    EXPECT_EQ("Groundpost", doc.ships[1].class_name);
    EXPECT_EQ(30, doc.ships[1].line_number);
    EXPECT_EQ("Relay:Pad", doc.ships[2].name);  // split at the last ':'
    EXPECT_EQ("Relvana", doc.ships[2].class_name);
    EXPECT_EQ((std::vector<std::string>{"STATUS Orbiting Earth", "RPOS 42164000 0 0", "RVEL 0 0 3074.6", "AROT 0 90 45",
                                        "ANIM_0 -2 0.0000", "ANIM_1 -2 0.0000"}),
              doc.ships[2].lines);

    // After the host's save the standard lines lead, the class's lines follow in order.
    const ScenarioDoc saved = parse_scenario(load_save(kScenario), "saved.scn");
    EXPECT_EQ((std::vector<std::string>{"STATUS Orbiting Earth", "RPOS 6791000 0 12.5", "RVEL 0 4765.2 6016.123456789",
                                        "AROT 10 20 30", "FUEL 0.75", "XPDR 466"}),
              saved.ships[0].lines);
    EXPECT_EQ((std::vector<std::string>{"STATUS Landed Earth", "POS -80.6 28.5", "HEADING 350", "AROT 0 0 0",
                                        "SAVED 1.000000"}),
              saved.ships[1].lines);
    // Longitude wraps into (-180, 180], heading into [0, 360); a vertical attitude
    // (gimbal lock) comes back as one rotation about the vertical.
    EXPECT_EQ((std::vector<std::string>{"STATUS Landed Moon", "POS -160 -89.999", "HEADING 0", "AROT 0 -90 0"}),
              saved.ships[3].lines);
}

TEST(ScenarioFile, StandardLinesSetTheState) {
    VesselState s;
    ASSERT_TRUE(parse_standard_line("STATUS Landed Earth", s));
    ASSERT_TRUE(parse_standard_line("POS -80.6 28.5", s));
    ASSERT_TRUE(parse_standard_line("HEADING 90", s));
    EXPECT_EQ(VesselState::Status::Landed, s.status);
    EXPECT_EQ("Earth", s.body);
    EXPECT_DOUBLE_EQ(-80.6 * kRadPerDeg, s.lng);
    EXPECT_DOUBLE_EQ(28.5 * kRadPerDeg, s.lat);
    EXPECT_DOUBLE_EQ(M_PI / 2, s.hdg);
    ASSERT_TRUE(parse_standard_line("STATUS Orbiting Moon", s));
    ASSERT_TRUE(parse_standard_line("RPOS 1 -2 3e6", s));
    ASSERT_TRUE(parse_standard_line("RVEL 0.5 0 -1", s));
    EXPECT_EQ(VesselState::Status::Orbiting, s.status);
    EXPECT_EQ("Moon", s.body);
    EXPECT_EQ(3e6, s.rpos.z);
    EXPECT_EQ(-1, s.rvel.z);
    // AROT 0 0 90 turns the vessel's x toward global y.
    ASSERT_TRUE(parse_standard_line("AROT 0 0 90", s));
    const VECTOR3 x = mul(s.attitude, VECTOR3{1, 0, 0});
    EXPECT_NEAR(0, x.x, 1e-15);
    EXPECT_NEAR(1, x.y, 1e-15);

    // Bad lines answer false and leave the state alone.
    const VesselState before = s;
    for (const char* line : {"STATUS Flying Earth", "STATUS Landed", "POS 1", "POS 1 2 3", "POS 1 x", "HEADING",
                             "RPOS 1 2", "RVEL 1 2 nan", "AROT 1 2 3 4", "FUEL 1", "POSITION 1 2"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(parse_standard_line(line, s));
        EXPECT_EQ(before.body, s.body);
        EXPECT_EQ(before.status, s.status);
        EXPECT_EQ(before.lng, s.lng);
        EXPECT_EQ(before.rpos.x, s.rpos.x);
        EXPECT_EQ(before.attitude.m11, s.attitude.m11);
    }
}

double max_difference(const MATRIX3& a, const MATRIX3& b) {
    const double* pa = &a.m11;
    const double* pb = &b.m11;
    double worst = 0;
    for (int i = 0; i < 9; ++i) worst = std::max(worst, std::fabs(pa[i] - pb[i]));
    return worst;
}

// Rotations to try: random ones, and the angles around gimbal lock (b = +-90 degrees),
// at it and ever closer to it.
std::vector<MATRIX3> test_rotations() {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> angle(-M_PI, M_PI), unit(-1, 1);
    std::vector<MATRIX3> out;
    for (int i = 0; i < 2000; ++i)
        out.push_back(mul(rotation({unit(rng), unit(rng), unit(rng)}, angle(rng)),
                          rotation({unit(rng), unit(rng), unit(rng)}, angle(rng))));
    for (double sign : {1.0, -1.0})
        for (double off : {0.0, 1e-17, 1e-15, 1e-12, 1e-9, 1e-7, 1e-5, 1e-3})
            for (int i = 0; i < 50; ++i)
                out.push_back(euler_to_matrix({angle(rng), sign * (M_PI / 2 - off), angle(rng)}));
    // Exact axis permutations, zeros of both signs.
    out.push_back({0, 0, 1, 0, 1, 0, -1, 0, 0});
    out.push_back({0, -0.0, -1, 1, 0, 0, 0, -1, -0.0});
    out.push_back({-1, 0, 0, 0, -1, 0, 0, 0, 1});
    return out;
}

TEST(AttitudeAngles, MatrixToAnglesToMatrixIsExactToRoundingAlsoInGimbalLock) {
    for (const MATRIX3& m : test_rotations()) {
        const VECTOR3 a = matrix_to_euler(m);
        EXPECT_LE(max_difference(m, euler_to_matrix(a)), 1e-15);
        EXPECT_LE(std::fabs(a.y), M_PI / 2);
    }
}

TEST(AttitudeAngles, WrittenAttitudesReadBackAsTheSameText) {
    for (const MATRIX3& m : test_rotations()) {
        VesselState state;
        state.attitude = m;
        const std::string first = standard_lines(state).back().second;
        VesselState reread;
        ASSERT_TRUE(parse_standard_line("AROT " + first, reread));
        EXPECT_LE(max_difference(m, reread.attitude), 1e-11);
        EXPECT_EQ(first, standard_lines(reread).back().second);
    }
}

TEST(StandardLines, WrittenPositionsReadBackAsTheSameText) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> deg(-720, 720), metres(-5e8, 5e8);
    for (int i = 0; i < 2000; ++i) {
        VesselState state;
        state.status = i % 2 ? VesselState::Status::Landed : VesselState::Status::Orbiting;
        state.lng = deg(rng) * kRadPerDeg;
        state.lat = deg(rng) / 8 * kRadPerDeg;
        state.hdg = deg(rng) * kRadPerDeg;
        state.rpos = {metres(rng), metres(rng), metres(rng) * 1e-9};
        state.rvel = {metres(rng) * 1e-5, 0, -1e-300};
        std::vector<std::string> lines;
        for (const auto& [key, value] : standard_lines(state)) lines.push_back(key + " " + value);
        EXPECT_EQ(lines, host_resave(lines));
    }
}

TEST(StandardLines, KeptLinesFollowTheStandardOnes) {
    VesselState state;
    // Lines that would end the block early are not written back.
    state.kept_lines = {"FUEL 0.5", "END", "  ", "XPDR 466", "END_SHIPS"};
    const auto lines = standard_lines(state);
    ASSERT_EQ(6u, lines.size());
    EXPECT_EQ("STATUS", lines[0].first);
    EXPECT_EQ("Orbiting Earth", lines[0].second);
    EXPECT_EQ(std::make_pair(std::string(), std::string("FUEL 0.5")), lines[4]);
    EXPECT_EQ(std::make_pair(std::string(), std::string("XPDR 466")), lines[5]);
}

TEST(StandardLines, VesselBlockLinesThatWouldBreakTheFileAreRefused) {
    struct Case {
        const char* key;
        const char* value;
        std::optional<std::string> line;
    } cases[] = {
        {"ANIM_0", "-2 0.0000", "  ANIM_0 -2 0.0000"},
        {"SAVED", "1.000000", "  SAVED 1.000000"},
        {"SAVED", "", "  SAVED"},
        {"end", "", "  end"},
        {"END", "1", "  END 1"},
        {"END", "", std::nullopt},
        {"", "END", std::nullopt},
        {"END_SHIPS", "", std::nullopt},
        {"", "", std::nullopt},
        {"KEY", "two\nlines", std::nullopt},
        {"KEY\r", "x", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(c.line, vessel_block_line(c.key, c.value));
    }
}

TEST(ScenarioFile, MalformedScenariosNameFileAndLine) {
    const std::string env = "BEGIN_ENVIRONMENT\n  Date MJD 60000\nEND_ENVIRONMENT\n";  // lines 1-3
    struct Case {
        const char* name;
        std::string text;
        int line;
        const char* message;
    } cases[] = {
        {"no END_SHIPS", env + "BEGIN_SHIPS\nA:B\nEND\n", 4, "BEGIN_SHIPS has no END_SHIPS"},
        {"truncated vessel", env + "BEGIN_SHIPS\nA:B\n  STATUS Orbiting Earth\n", 5, "vessel \"A\" has no END"},
        {"END_SHIPS inside a vessel", env + "BEGIN_SHIPS\nA:B\nEND_SHIPS\n", 5, "vessel \"A\" has no END"},
        {"vessel without ':'", env + "BEGIN_SHIPS\nA B\nEND\nEND_SHIPS\n", 5, "has no ':'"},
        {"empty name", env + "BEGIN_SHIPS\n  :Groundpost\nEND\nEND_SHIPS\n", 5, "empty name"},
        {"empty class", env + "BEGIN_SHIPS\nStation: \nEND\nEND_SHIPS\n", 5, "empty class"},
        {"duplicate name", env + "BEGIN_SHIPS\nA:B\nEND\nA:C\nEND\nEND_SHIPS\n", 7, "used twice (first at line 5)"},
        {"bad Date number", "BEGIN_ENVIRONMENT\n  Date MJD 6e4x\nEND_ENVIRONMENT\n", 2, "bad Date"},
        {"Date without MJD", "BEGIN_ENVIRONMENT\n  Date 60000\nEND_ENVIRONMENT\n", 2, "bad Date"},
        {"empty Date", "BEGIN_ENVIRONMENT\nDate\nEND_ENVIRONMENT\n", 2, "bad Date"},
        {"no END_ENVIRONMENT", "BEGIN_ENVIRONMENT\n  Date MJD 60000\n", 1, "has no END_ENVIRONMENT"},
        {"no END_DESC", "BEGIN_DESC\ntext\n", 1, "has no END_DESC"},
        {"no END_FOCUS", env + "BEGIN_FOCUS\n  Ship A\n", 4, "has no END_FOCUS"},
        {"empty Ship", env + "BEGIN_FOCUS\n  Ship\nEND_FOCUS\n", 5, "Ship without a name"},
        {"unknown block open", env + "BEGIN_CAMERA\n  MODE x\n", 4, "BEGIN_CAMERA has no END_CAMERA"},
        {"stray END", env + "END\n", 4, "outside the block"},
        {"stray END_SHIPS", env + "END_SHIPS\n", 4, "outside the block"},
        {"bad POS", env + "BEGIN_SHIPS\nA:B\n  STATUS Landed Earth\n  POS 10\nEND\nEND_SHIPS\n", 7, "bad standard line"},
        {"bad RPOS", env + "BEGIN_SHIPS\nA:B\n  RPOS 1 2 x\nEND\nEND_SHIPS\n", 6, "\"RPOS 1 2 x\""},
        {"bad STATUS", env + "BEGIN_SHIPS\nA:B\n  STATUS Flying Earth\nEND\nEND_SHIPS\n", 6, "bad standard line"},
        {"bad AROT", env + "BEGIN_SHIPS\nA:B\n  AROT 1 2\nEND\nEND_SHIPS\n", 6, "bad standard line"},
        {"binary", env + "BEGIN_SHIPS\nA:B\n  FUEL \x01\nEND\nEND_SHIPS\n", 6, "control character"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            parse_scenario(c.text, "Scenarios/bad.scn");
            ADD_FAILURE() << "no error";
        } catch (const ScenarioError& e) {
            EXPECT_EQ("Scenarios/bad.scn", e.file());
            EXPECT_EQ(c.line, e.line());
            const std::string what = e.what();
            EXPECT_EQ(0u, what.find("Scenarios/bad.scn:" + std::to_string(c.line) + ": ")) << what;
            EXPECT_NE(std::string::npos, what.find(c.message)) << what;
        }
    }
}

TEST(ScenarioFile, EmptyAndMinimalScenariosRead) {
    const ScenarioDoc empty = parse_scenario("", "empty.scn");
    EXPECT_TRUE(empty.ships.empty());
    EXPECT_EQ(60000.0, empty.mjd);
    const std::string written = write_scenario(empty);
    EXPECT_EQ(written, write_scenario(parse_scenario(written, "empty.scn")));
    // CR LF line ends and a byte-order mark.
    const ScenarioDoc crlf = parse_scenario("\xEF\xBB\xBF" "BEGIN_SHIPS\r\nA:B\r\n  XPDR 1\r\nEND\r\nEND_SHIPS\r\n", "crlf.scn");
    ASSERT_EQ(1u, crlf.ships.size());
    EXPECT_EQ(std::vector<std::string>{"XPDR 1"}, crlf.ships[0].lines);
}

TEST(ScenarioFile, ReadsFilesAndNamesTheMissingOne) {
    const auto dir = std::filesystem::path(ORV_BINARY_DIR) / "test_files_tmp";
    std::filesystem::create_directories(dir);
    const auto path = dir / "one.scn";
    std::ofstream(path) << "BEGIN_SHIPS\nA:B\nEND\nEND_SHIPS\n";
    EXPECT_EQ(1u, read_scenario_file(path).ships.size());
    std::filesystem::remove(path);
    try {
        read_scenario_file(path);
        ADD_FAILURE() << "no error";
    } catch (const ScenarioError& e) {
        EXPECT_EQ(path.string(), e.file());
        EXPECT_EQ(0, e.line());
    }
}

}  // namespace
}  // namespace sim
