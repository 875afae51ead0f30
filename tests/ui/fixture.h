// A running host with the ui_dialogs test module loaded, and helpers for window tests.
#pragma once

#include <gtest/gtest.h>

#include "modules/ui_dialogs.h"
#include "sim/core/log.h"
#include "sim/simulator.h"
#include "sim/ui/window_system.h"

namespace uitest {

class Host : public ::testing::Test {
protected:
    void SetUp() override {
        sim::reset_contract_violations();
        module = sim.load_plugin(ORV_TEST_MODULE_DIR "/ui_dialogs.so");
        ASSERT_NE(module, nullptr);
        proc = reinterpret_cast<DLGPROC>(module->symbol("TestDialogProc"));
        ASSERT_NE(proc, nullptr);
    }
    HWND open_main() { return oapiOpenDialog(module->instance, kMainDialog, proc, &record); }
    // Violations counted since the last call.
    std::size_t violations() {
        const std::size_t n = sim::contract_violations();
        sim::reset_contract_violations();
        return n;
    }

    sim::Simulator sim{ORV_DATA_DIR};
    sim::WindowSystem& windows = sim.windows();
    sim::Module* module = nullptr;
    DLGPROC proc = nullptr;
    Record record;
};

}  // namespace uitest
