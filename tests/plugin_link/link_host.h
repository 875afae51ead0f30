// A small host for link tests: a fresh stand-in simulator on its own main folder with
// the three network list files, the real plug-in Kavrin loaded into it, and helpers to
// place vessels, fill the rosters, open a dialog with the readout controls and read
// its texts back through the window system.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "host/host.h"
#include "sim/simulator.h"
#include "sources/plugin/test_hooks.h"

// The lines of the three list files; an empty text gives a file without "N".
struct ListFiles {
    std::string stations = "N = 100";
    std::string relays = "N = 100";
    std::string deepSpace = "N = 100";
};

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override { Start(ListFiles{}); }
    // Unloads everything, then asserts that the host saw no contract violation.
    void TearDown() override;

    // Replaces the host with a fresh one whose list files hold `lists`.
    void Start(const ListFiles& lists);

    sim::Simulator& Sim() { return *sim_; }
    KavrinHooks& K() { return *hooks_; }
    HINSTANCE Instance() const;

    // A vessel of a plain class in free flight at `rpos` metres from Earth's centre
    // (global axes), at rest relative to Earth.
    OBJHANDLE Free(const std::string& name, VECTOR3 rpos);
    // A vessel of a plain class landed on Earth at longitude and latitude (degrees).
    OBJHANDLE Landed(const std::string& name, double lngDeg, double latDeg);
    // The point r metres from Earth's centre above longitude and latitude (degrees), as a
    // position from Earth's centre along the global axes.
    VECTOR3 Above(double lngDeg, double latDeg, double r);
    // Position of an object relative to Earth's centre, m, as the host gives it.
    VECTOR3 FromEarth(OBJHANDLE object);
    void Focus(OBJHANDLE vessel);

    // Tracking on, with the antenna along the ship's +z axis.
    void Track();

    // One host step of a microsecond: vessels hardly move, the plug-in's step runs.
    void Step();
    // The plug-in's step called directly at simulation time `simt`, nothing moving.
    void PostStep(double simt);

    // Opens, under the plug-in's instance and resource number 101, a dialog with the six
    // readout controls and the two antenna buttons ("Omni" checked).
    HWND OpenReadouts();
    // Opens a dialog under resource number 9, where the plug-in looks for its map.
    HWND OpenMap();
    // Text of a control of the readout dialog.
    std::string Text(int control);

private:
    std::filesystem::path root_;
    std::unique_ptr<sim::Simulator> sim_;
    sim::Module* plugin_ = nullptr;
    KavrinHooks* hooks_ = nullptr;
    HWND readouts_ = nullptr;
};

// Vector helpers for placing vessels.
inline VECTOR3 Add(VECTOR3 a, VECTOR3 b) { return VECTOR3{a.x + b.x, a.y + b.y, a.z + b.z}; }
inline VECTOR3 Scale(VECTOR3 a, double s) { return VECTOR3{a.x * s, a.y * s, a.z * s}; }
double Norm(VECTOR3 a);
VECTOR3 Unit(VECTOR3 a);

// Radius of the plug-in's Earth sphere, m (written out here so that the tests do not
// take it from the code under test).
constexpr double kEarthR = 6371010.0;
