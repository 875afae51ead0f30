// A plug-in that records, through the host log, the order in which the host reaches it.
#include "host/host.h"
#include "sim/core/log.h"

namespace {

struct StaticInit {
    StaticInit() { sim::log().info("order_plugin: static initialisation"); }
    ~StaticInit() { sim::log().info("order_plugin: static destruction"); }
} g_static;

ExitModuleFunc g_exit = nullptr;
int g_steps = 0;

}  // namespace

DLLCLBK BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        sim::log().info("order_plugin: entry point attach");
        InitLib(instance);
        g_exit = reinterpret_cast<ExitModuleFunc>(reinterpret_cast<void*>(GetProcAddress(instance, "ExitModule")));
    } else if (reason == DLL_PROCESS_DETACH) {
        sim::log().info("order_plugin: entry point detach");
        if (g_exit) g_exit(instance);
    }
    return TRUE;
}

DWORD g_command = 0;

void RunOrderCommand(void* context) { sim::log().info(std::string("order_plugin: command ") + static_cast<const char*>(context)); }

DLLCLBK void InitModule(HINSTANCE) {
    sim::log().info("order_plugin: InitModule");
    static const char context[] = "context";
    g_command = oapiRegisterCustomCmd("Order Test", "Logs its context", RunOrderCommand, (void*)context);
}
DLLCLBK void ExitModule(HINSTANCE) {
    sim::log().info("order_plugin: ExitModule");
    if (g_command) oapiUnregisterCustomCmd(g_command);
    g_command = 0;
}
DLLCLBK void opcPostStep(double simt, double, double) {
    ++g_steps;
    sim::log().info("order_plugin: opcPostStep " + std::to_string(simt));
}
DLLCLBK int OrderPluginSteps() { return g_steps; }
