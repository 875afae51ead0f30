// A scratch main folder for host tests, removed at the end of the test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "sim/core/log.h"
#include "sim/core/vecmath.h"
#include "sim/simulator.h"

namespace hosttest {

class ScratchRoot {
public:
    ScratchRoot() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("orv-host-" + std::string(info ? info->name() : "test") + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_ / "Config" / "Vessels");
        write("Config/Vessels/Probe.cfg", "Module = " ORV_TEST_MODULE_DIR "/probe_vessel.so\n");
    }
    ~ScratchRoot() { std::filesystem::remove_all(path_); }
    void write(const std::string& relative, const std::string& text) const {
        std::filesystem::create_directories((path_ / relative).parent_path());
        std::ofstream(path_ / relative) << text;
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline VesselCreateStatus orbiting(OBJHANDLE body, VECTOR3 rpos, VECTOR3 rvel) {
    VesselCreateStatus s{};
    s.version = 2;
    s.rbody = body;
    s.status = 0;
    s.rpos = rpos;
    s.rvel = rvel;
    return s;
}

inline VesselCreateStatus landed(OBJHANDLE body, double lng, double lat, double hdg = 0) {
    VesselCreateStatus s{};
    s.version = 2;
    s.rbody = body;
    s.status = 1;
    s.surf_lng = lng;
    s.surf_lat = lat;
    s.surf_hdg = hdg;
    return s;
}

// The log lines that start with `prefix`, in order.
inline std::vector<std::string> lines_with(const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& l : sim::log().lines())
        if (l.rfind(prefix, 0) == 0) out.push_back(l);
    return out;
}

}  // namespace hosttest
