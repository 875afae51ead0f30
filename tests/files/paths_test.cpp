// Module paths under the main folder: separators, case, and confinement to the root.
#include "sim/files/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "sim/core/log.h"

namespace sim {
namespace {

TEST(ModulePath, SplitsAndConfines) {
    using Parts = std::vector<std::string>;
    struct Case {
        const char* path;
        std::optional<Parts> parts;
    } cases[] = {
        {"config\\Orvenet\\TDRS.cfg", Parts{"config", "Orvenet", "TDRS.cfg"}},
        {"Config/Vessels/Relvana.cfg", Parts{"Config", "Vessels", "Relvana.cfg"}},
        {"a//b/./c\\", Parts{"a", "b", "c"}},
        {"a/../b", Parts{"b"}},
        {"a\\b\\..\\..\\c", Parts{"c"}},
        {"", Parts{}},
        {"..", std::nullopt},
        {"../data/x.cfg", std::nullopt},
        {"a/../../x", std::nullopt},
        {"config\\..\\..\\x", std::nullopt},
        {"/etc/passwd", std::nullopt},
        {"\\Windows\\x", std::nullopt},
        {"C:\\x.cfg", std::nullopt},
        {"c:x.cfg", std::nullopt},
        {"...", Parts{"..."}},  // a name, not a step up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.parts, split_module_path(c.path));
    }
}

class PathsOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        // One folder per test: ctest runs the tests of this program side by side.
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        root_ = std::filesystem::path(ORV_BINARY_DIR) / "test_files_tmp" / test / "paths_root";
        std::filesystem::remove_all(root_);
        // Two folders that differ in case only, as a module tree written for a
        // case-insensitive host leaves them.
        touch("config/Orvenet/TDRS.cfg");
        touch("config/Orvenet/ShipVectors/Probe.cfg");
        touch("Config/Vessels/Relvana.cfg");
        touch("Meshes/Relvana/Relvana.msh");
        std::filesystem::create_directories(root_.parent_path() / "outside");
        std::ofstream(root_.parent_path() / "outside" / "secret.cfg") << "N = 1\n";
        log().clear();
    }
    void TearDown() override { std::filesystem::remove_all(root_); }
    void touch(const std::string& relative) {
        std::filesystem::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative) << "N = 1\n";
    }
    std::filesystem::path root_;
};

TEST_F(PathsOnDisk, FindsFilesWithoutRegardToCaseAcrossFoldersThatDifferInCase) {
    struct Case {
        const char* path;
        const char* on_disk;  // null: not found
    } cases[] = {
        {"config\\Orvenet\\TDRS.cfg", "config/Orvenet/TDRS.cfg"},
        {"CONFIG/orvenet/tdrs.CFG", "config/Orvenet/TDRS.cfg"},
        {"Config/Orvenet/TDRS.cfg", "config/Orvenet/TDRS.cfg"},  // only under "config"
        {"config/Vessels/Relvana.cfg", "Config/Vessels/Relvana.cfg"},  // only under "Config"
        {"Config\\Orvenet\\ShipVectors\\probe.cfg", "config/Orvenet/ShipVectors/Probe.cfg"},
        {"Meshes\\relvana\\RELVANA.msh", "Meshes/Relvana/Relvana.msh"},
        {"config/Orvenet", "config/Orvenet"},
        {"config/Orvenet/TDRS.cfg/x", nullptr},  // through a file
        {"config/Orvenet/DSN.cfg", nullptr},
        {"Config/Vessels/Groundpost.cfg", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const auto found = resolve_under_root(root_, c.path);
        if (!c.on_disk) {
            EXPECT_FALSE(found);
        } else {
            ASSERT_TRUE(found);
            EXPECT_EQ(root_ / c.on_disk, *found);
        }
    }
    EXPECT_TRUE(log().lines().empty()) << "a missing file is no refusal";
}

TEST_F(PathsOnDisk, PathsLeavingTheRootAreRefusedWithALogLine) {
    for (const char* path : {"../outside/secret.cfg", "config/../../outside/secret.cfg", "/etc/passwd"}) {
        SCOPED_TRACE(path);
        log().clear();
        EXPECT_FALSE(resolve_under_root(root_, path, "oapiOpenFile"));
        ASSERT_EQ(1u, log().lines().size());
        EXPECT_NE(std::string::npos, log().lines()[0].find("oapiOpenFile"));
        EXPECT_NE(std::string::npos, log().lines()[0].find("leaves the main folder"));
    }
    // Stepping back inside the root is fine.
    EXPECT_TRUE(resolve_under_root(root_, "Meshes/../config/Orvenet/TDRS.cfg"));
}

}  // namespace
}  // namespace sim
