// Configuration files: the typed readers, key matching, comments, refusals.
#include "sim/files/config_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "config_cases.h"
#include "sim/core/log.h"

namespace sim {
namespace {

bool logged(const std::string& fragment) {
    const auto& lines = log().lines();
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(fragment) != l.npos; });
}

// All readers, one table (tests/files/config_cases.h), on ConfigFile itself.
TEST(ConfigFile, ReaderTable) {
    for (const ReadCase& c : read_cases()) {
        SCOPED_TRACE(c.name);
        const ConfigFile file = ConfigFile::from_text(c.text, "case.cfg");
        check_read(c, [&](Reader reader, const char* key, ReadTargets& t) {
            switch (reader) {
                case Reader::Int: return file.read_int(key, t.i);
                case Reader::Float: return file.read_float(key, t.f);
                case Reader::Bool: return file.read_bool(key, t.b);
                case Reader::String: return file.read_string(key, t.s);
                case Reader::Vec: return file.read_vec(key, t.v);
            }
            return false;
        });
    }
}

TEST(ConfigFile, EveryKeyOfAFileIsFoundInAnyOrderAnyNumberOfTimes) {
    const ConfigFile file = ConfigFile::from_text("N = 3\nSat 1 = A\nSat 2 = B\nSat 3 = C\nFOCUS = TRUE\n", "tdrs.cfg");
    char name[256];
    for (int round = 0; round < 3; ++round)
        for (int i : {3, 1, 2}) {
            ASSERT_TRUE(file.read_string("Sat " + std::to_string(i), name));
            EXPECT_EQ(std::string(1, char('A' + i - 1)), name);
        }
    int n = 0;
    EXPECT_TRUE(file.read_int("n", n));
    EXPECT_EQ(3, n);
    EXPECT_EQ(5u, file.item_count());
}

TEST(ConfigFile, LinesWithoutKeyAreLoggedWithFileAndLineAndSkipped) {
    log().clear();
    const ConfigFile file = ConfigFile::from_text("N = 2\njust words\n = 7\nLong 1 = 5\n", "net.cfg");
    EXPECT_TRUE(logged("net.cfg:2"));
    EXPECT_TRUE(logged("net.cfg:3"));
    double lng = 0;
    EXPECT_TRUE(file.read_float("Long 1", lng));
    EXPECT_EQ(5.0, lng);
    EXPECT_EQ(2u, file.item_count());
}

TEST(ConfigFile, AKeyLongerThanAnyLineIsSimplyMissing) {
    const ConfigFile file = ConfigFile::from_text("N = 1\n", "a.cfg");
    const std::string key(3 * ConfigFile::kMaxLineLength, 'n');
    int n = 9;
    EXPECT_FALSE(file.read_int(key, n));
    EXPECT_EQ(9, n);
}

// A refused file reads nothing at all, also the items before the offending line.
TEST(ConfigFile, RefusedFilesReadNothingAndSayWhy) {
    const std::string good = "N = 4\n";
    struct Case {
        const char* name;
        std::string text;
        const char* reason;
    } cases[] = {
        {"oversized", good + std::string(ConfigFile::kMaxFileSize, ';'), "over the limit"},
        {"long line", good + "Sat 1 = " + std::string(ConfigFile::kMaxLineLength, 'x') + "\n", "line 2 has"},
        {"NUL byte", good + "Sat 1 = a" + std::string(1, '\0') + "b\n", "line 2 holds the control byte 0x00"},
        {"control byte", good + "Sat 1 = \x1b[0m\n", "control byte 0x1B"},
        {"lone CR", good + "Sat 1 = a\rb\n", "control byte 0x0D"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log().clear();
        const ConfigFile file = ConfigFile::from_text(c.text, "bad.cfg");
        EXPECT_EQ(0u, file.item_count());
        int n = -1;
        EXPECT_FALSE(file.read_int("N", n));
        EXPECT_EQ(-1, n);
        EXPECT_TRUE(logged("config file bad.cfg refused"));
        EXPECT_TRUE(logged(c.reason));
    }
    // At the limits exactly, a file is taken.
    const std::string longest = "K = " + std::string(ConfigFile::kMaxLineLength - 4, 'v');
    EXPECT_EQ(1u, ConfigFile::from_text(longest, "edge.cfg").item_count());
    std::string biggest = "K = 1\n";
    biggest.resize(ConfigFile::kMaxFileSize, '\n');
    EXPECT_EQ(1u, ConfigFile::from_text(biggest, "edge.cfg").item_count());
}

class ConfigFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::path(ORV_BINARY_DIR) / "test_files_tmp" /
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        log().clear();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return dir_ / name;
    }
    std::filesystem::path dir_;
};

TEST_F(ConfigFileOnDisk, ReadsAFile) {
    const ConfigFile file = ConfigFile::load(write("dsn.cfg", "\xEF\xBB\xBFN = 3\r\nFOCUS = false\r\n"));
    int n = 0;
    bool focus = true;
    EXPECT_TRUE(file.read_int("N", n));
    EXPECT_TRUE(file.read_bool("FOCUS", focus));
    EXPECT_EQ(3, n);
    EXPECT_FALSE(focus);
}

TEST_F(ConfigFileOnDisk, AMissingFileReadsNothingWithAWarning) {
    const ConfigFile file = ConfigFile::load(dir_ / "nope.cfg");
    EXPECT_EQ(0u, file.item_count());
    EXPECT_TRUE(logged("warning: config file"));
    EXPECT_TRUE(logged("nope.cfg not found"));
    const ConfigFile folder = ConfigFile::load(dir_);
    EXPECT_EQ(0u, folder.item_count());
    EXPECT_TRUE(logged("not a regular file"));
}

TEST_F(ConfigFileOnDisk, OneMebibyteOfRandomBytesIsRefused) {
    std::mt19937 rng(20240607);
    std::string bytes(1 << 20, '\0');
    for (char& c : bytes) c = char(rng() & 0xFF);
    const ConfigFile file = ConfigFile::load(write("noise.cfg", bytes));
    EXPECT_EQ(0u, file.item_count());
    EXPECT_TRUE(logged("noise.cfg refused"));

    // Random bytes under the size limit are refused as binary content.
    for (int round = 0; round < 20; ++round) {
        bytes.resize(1 + rng() % 20000);
        for (char& c : bytes) c = char(rng() & 0xFF);
        log().clear();
        EXPECT_EQ(0u, ConfigFile::from_text(bytes, "noise.cfg").item_count());
        EXPECT_TRUE(logged("noise.cfg refused"));
    }
}

}  // namespace
}  // namespace sim

// The reader remembers its last lookup; a copy or a moved-to file must not answer from
// the lookup of the file it came from.
TEST(ConfigFileLookup, CopiesAndMovesAnswerFromTheirOwnItems) {
    auto original = std::make_unique<sim::ConfigFile>(sim::ConfigFile::from_text("N = 3\n", "one"));
    int n = 0;
    ASSERT_TRUE(original->read_int("N", n));
    sim::ConfigFile copy = *original;
    sim::ConfigFile moved = std::move(*original);
    original.reset();
    n = 0;
    EXPECT_TRUE(copy.read_int("N", n));
    EXPECT_EQ(n, 3);
    n = 0;
    EXPECT_TRUE(moved.read_int("n", n));
    EXPECT_EQ(n, 3);
    EXPECT_FALSE(moved.read_int("M", n));
    EXPECT_TRUE(moved.read_int("N", n));
}

// An integer read again is answered from the value parsed the first time: alternating
// keys, a value that is not an integer, and other readers on the same key all still
// answer from the file's own text.
TEST(ConfigFileLookup, RepeatedIntegerReadsAnswerLikeTheFirst) {
    const sim::ConfigFile file = sim::ConfigFile::from_text("N = 3\nM = -7\nX = 3.5\n", "counts");
    for (int round = 0; round < 3; ++round) {
        int n = 0, m = 0, x = 42;
        EXPECT_TRUE(file.read_int("N", n));
        EXPECT_TRUE(file.read_int("N", n));
        EXPECT_TRUE(file.read_int("m", m));
        EXPECT_FALSE(file.read_int("X", x));
        EXPECT_FALSE(file.read_int("X", x));
        EXPECT_EQ(3, n);
        EXPECT_EQ(-7, m);
        EXPECT_EQ(42, x);  // untouched
        double f = 0;
        EXPECT_TRUE(file.read_float("X", f));
        EXPECT_EQ(3.5, f);
        EXPECT_TRUE(file.read_float("N", f));
        EXPECT_EQ(3.0, f);
    }
}
