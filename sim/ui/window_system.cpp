#include "window_system.h"

namespace sim {

WindowSystem::WindowSystem(Simulator& sim) : sim_(sim) {}
WindowSystem::~WindowSystem() = default;
void WindowSystem::close_windows_of(const Module&) {}
void WindowSystem::close_all() {}
void WindowSystem::run_pending_repaints() {}

}  // namespace sim
