// The plug-in's load and unload glue: the module entry point that the loader calls and
// the test hooks. The module entries the host calls are in network/module_entry.cpp.
#include "host/host.h"
#include "link/earth_geometry.h"
#include "link/globals.h"
#include "link/handle_guard.h"
#include "link/readouts.h"
#include "link/selection.h"
#include "link/step.h"
#include "network/antenna_vector.h"
#include "network/control_dialog.h"
#include "network/generation.h"
#include "test_hooks.h"

namespace {

// The module's exit routine, found by name at process attach and called at detach.
ExitModuleFunc exitRoutine = nullptr;

ExitModuleFunc FindExitRoutine(HINSTANCE instance) {
    FARPROC found = GetProcAddress(instance, "ExitModule");
    if (!found) found = GetProcAddress(instance, "opcDLLExit");
    // Through the generic function type, which every function pointer converts to.
    return reinterpret_cast<ExitModuleFunc>(reinterpret_cast<void (*)()>(found));
}

int ChooseBandHook(double h) { return ChooseBand(h); }

}  // namespace

DLLCLBK BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        InitLib(instance);
        exitRoutine = FindExitRoutine(instance);
        break;
    case DLL_PROCESS_DETACH:
        if (exitRoutine) exitRoutine(instance);
        break;
    default:
        break;
    }
    return TRUE;
}

DLLCLBK KavrinHooks* KavrinTestHooks() {
    static KavrinHooks hooks = {
        &g_hDLL, &g_customCmdId, &g_hControlDlg, &g_hMapDlg,
        &g_stationFile, &g_relayFile, &g_deepSpaceFile,
        g_stationRoster, g_deepSpaceRoster, g_relayRoster,
        &g_stationFocus, &g_relayFocus, &g_deepSpaceFocus,
        &g_trackEnabled, &g_antennaVector, g_antennaFileName,
        &g_currentStation, &g_currentRelay, &g_relayIndex, &g_lastMapRefresh,
        ResetGlobals,
        ChooseBandHook, FocusAltitude, StationDistance, HorizonDistance, AboveHorizon, EarthVisible,
        AntennaAngle, FindMinimum, ReadCount, SelectStation, SelectRelay, SignalLag, OmniStrengthAt,
        OmniStrength, HighGainStrength, UpdateReadouts, DropStaleHandles,
        GenerateStations, GenerateRelays, GenerateNetwork, ClearNetwork,
        MakeAntennaFileName, LoadAntennaVector, OpenControlDialog, ControlDlgProc,
    };
    return &hooks;
}
