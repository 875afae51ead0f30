// Groundpost: load and unload glue. The host plays the operating system's loader: after
// loading it calls DllMain with DLL_PROCESS_ATTACH, before unloading with
// DLL_PROCESS_DETACH.
#include "host/host.h"

namespace {

// The module's own exit entry, found at attach and called at detach.
ExitModuleFunc g_exitEntry = nullptr;

ExitModuleFunc FindExitEntry(HINSTANCE instance, const char* name) {
    // Through the generic function type: the entry is called with its real type.
    return reinterpret_cast<ExitModuleFunc>(reinterpret_cast<void (*)()>(GetProcAddress(instance, name)));
}

}  // namespace

DLLCLBK BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        InitLib(instance);
        g_exitEntry = FindExitEntry(instance, "ExitModule");
        if (!g_exitEntry) g_exitEntry = FindExitEntry(instance, "opcDLLExit");
        break;
    case DLL_PROCESS_DETACH:
        if (g_exitEntry) g_exitEntry(instance);
        break;
    default:
        break;
    }
    return TRUE;
}
