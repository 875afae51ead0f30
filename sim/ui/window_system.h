// The window system: dialogs built from module resources, their controls and messages,
// client-area rasters and the drawing calls, and snapshots.
#pragma once

namespace sim {

class Simulator;
class Module;

class WindowSystem {
public:
    explicit WindowSystem(Simulator& sim);
    ~WindowSystem();

    // Closes every window whose procedure lives in `module` or that it opened
    // (WM_DESTROY is sent while the procedure is still loaded).
    void close_windows_of(const Module& module);
    // Closes every window.
    void close_all();
    // Carries out the repaints that InvalidateRect asked for.
    void run_pending_repaints();

private:
    Simulator& sim_;
};

}  // namespace sim
