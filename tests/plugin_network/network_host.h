// A host for network tests: a fresh stand-in simulator on a main folder of its own (with
// the list files a test gives) or on the bundled main folder, the real plug-in Kavrin
// loaded into it, and helpers to look at rosters, vessels and the plug-in's windows.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "sim/simulator.h"
#include "sources/plugin/test_hooks.h"

// The files of a test's main folder, by path under it. Stations, relays and deep space
// are the three list files; `extra` holds any other file (antenna vectors, classes).
struct MainFolder {
    std::string stations = "N = 0";
    std::string relays = "N = 0";
    std::string deepSpace = "N = 0";
    std::map<std::string, std::string> extra;
};

class NetworkTest : public ::testing::Test {
protected:
    void SetUp() override { Start(MainFolder{}); }
    // Unloads everything, then asserts that the host saw no contract violation.
    void TearDown() override;

    // Replaces the host with a fresh one on a main folder holding `folder`.
    void Start(const MainFolder& folder);
    // Replaces the host with a fresh one on the bundled main folder, scenario `scenario`
    // (a bundled name such as "default") loaded.
    void StartBundled(const std::string& scenario);

    sim::Simulator& Sim() { return *sim_; }
    sim::Module& Plugin() { return *plugin_; }
    KavrinHooks& K() { return *hooks_; }
    HINSTANCE Instance() const { return plugin_->instance; }
    const std::filesystem::path& Root() const { return root_; }

    // A plain vessel of class `className` in free flight 7000 km from Earth's centre.
    OBJHANDLE MakeVessel(const std::string& name, const std::string& className = "TestShip");
    sim::Vessel* V(OBJHANDLE h) { return Sim().vessel(h); }
    // Names of the vessels in the first `count` slots of a roster ("" for an empty slot).
    std::vector<std::string> SlotNames(const OBJHANDLE* roster, int count = 5);
    // Every vessel of the run by name.
    std::vector<std::string> VesselNames();

    // The plug-in's open dialogs, as the window system knows them.
    HWND Controller();  // resource 101, or null
    HWND Map();         // resource 9, or null
    // Runs the custom command "Orvenet" and answers the controller dialog.
    HWND OpenController();
    // Presses a control of a window by caption or id, as a user would.
    void Press(HWND window, const std::string& button);

private:
    std::filesystem::path TestRoot() const;
    void Load(const std::filesystem::path& root);

    std::filesystem::path root_;
    std::unique_ptr<sim::Simulator> sim_;
    sim::Module* plugin_ = nullptr;
    KavrinHooks* hooks_ = nullptr;
};

// Writes `text` and a line break to `path`, creating its folders.
void WriteFile(const std::filesystem::path& path, const std::string& text);
