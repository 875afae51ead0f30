// Dropping stale handles.
#include "link/handle_guard.h"

#include "link/globals.h"
#include "resource_ids.h"

namespace {

void DropIfGone(OBJHANDLE& handle) {
    if (handle && !oapiIsVessel(handle)) handle = nullptr;
}

}  // namespace

void DropStaleHandles() {
    for (int i = 0; i < ROSTER_SIZE; ++i) {
        DropIfGone(g_stationRoster[i]);
        DropIfGone(g_deepSpaceRoster[i]);
        DropIfGone(g_relayRoster[i]);
    }
    DropIfGone(g_currentStation);
    DropIfGone(g_currentRelay);
    g_hControlDlg = oapiFindDialog(g_hDLL, IDD_CONTROLLER);
}
