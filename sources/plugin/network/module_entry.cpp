// The plug-in's module entries.
#include "network/module_entry.h"

#include "link/globals.h"
#include "network/control_dialog.h"
#include "network/network_constants.h"
#include "network/network_files.h"

namespace {

// Whether the custom command is registered (from InitModule to the first ExitModule).
bool commandRegistered = false;
// The module version, 0 until GetModuleVersion first works it out.
int moduleVersion = 0;

}  // namespace

DLLCLBK void InitModule(HINSTANCE instance) {
    g_hDLL = instance;
    g_customCmdId = oapiRegisterCustomCmd(COMMAND_LABEL, COMMAND_DESCRIPTION, OpenControlDialog, nullptr);
    commandRegistered = true;
}

DLLCLBK void ExitModule(HINSTANCE) {
    g_currentRelay = nullptr;
    g_currentStation = nullptr;
    if (commandRegistered) {
        oapiUnregisterCustomCmd(g_customCmdId);
        commandRegistered = false;
    }
    CloseNetworkFiles();
}

DLLCLBK int GetModuleVersion() {
    if (moduleVersion == 0) moduleVersion = Date2Int(MODULE_VERSION_DATE);
    return moduleVersion;
}

DLLCLBK const char* ModuleDate() { return __DATE__; }

DLLCLBK void opcSaveState(FILEHANDLE) {}
extern "C" __attribute__((visibility("default"), alias("opcSaveState"))) void opcLoadState(FILEHANDLE);
