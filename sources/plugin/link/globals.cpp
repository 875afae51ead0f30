// Definitions of the plug-in's module-wide variables, with their load-time values.
#include "link/globals.h"

#include <cstring>

// --- Host bindings ------------------------------------------------------------------------
// The module's own instance, from InitModule; names the module's dialogs (controller 101,
// map 9) to the host.
HINSTANCE g_hDLL = nullptr;
// Identifier of the custom command that opens the controller dialog, from the host.
DWORD g_customCmdId = 0;

// --- Windows ----------------------------------------------------------------------------------
// The controller dialog, null while it is closed; refreshed from the host before it is used.
HWND g_hControlDlg = nullptr;
// The map window, taken from the host when the MAP button opens it.
HWND g_hMapDlg = nullptr;

// --- Network list files (opened while the module loads, closed by ExitModule) -------------
FILEHANDLE g_stationFile = nullptr;    // ground stations, config/Orvenet/Zeravivadad.cfg
FILEHANDLE g_relayFile = nullptr;      // relay satellites, config/Orvenet/TDRS.cfg
FILEHANDLE g_deepSpaceFile = nullptr;  // deep-space stations, config/Orvenet/DSN.cfg

// --- Rosters -------------------------------------------------------------------------------------
// Slot i-1 holds the vessel created for entry i of the list's file; null is an empty slot,
// and an empty slot 0 means the list has no network. Filled by generation, emptied by
// clearing, and purged of vessels the host no longer has by DropStaleHandles.
OBJHANDLE g_stationRoster[ROSTER_SIZE] = {};
OBJHANDLE g_deepSpaceRoster[ROSTER_SIZE] = {};
OBJHANDLE g_relayRoster[ROSTER_SIZE] = {};

// --- Focus flags ---------------------------------------------------------------------------------
// Item "FOCUS" of each list file, read at each generation: may its vessels take the focus.
bool g_stationFocus = false;
bool g_relayFocus = false;
bool g_deepSpaceFocus = false;

// --- Tracking --------------------------------------------------------------------------------------
// Whether link evaluation is switched on (Enable Track / Stop Track, Clear Network).
bool g_trackEnabled = false;
// Direction of the focus ship's high-gain antenna in the ship's own frame; a unit vector
// after every load of the ship's antenna vector file.
VECTOR3 g_antennaVector = {0.0, 0.0, 0.0};
// Path of the focus ship's antenna vector file, as last built for "Check cfg filename".
char g_antennaFileName[ANTENNA_FILE_NAME_SIZE] = {};

// --- Selection ---------------------------------------------------------------------------------------
// The station (ground or deep-space) that serves the focus vessel, or null.
OBJHANDLE g_currentStation = nullptr;
// The relay satellite that serves the focus vessel, or null.
OBJHANDLE g_currentRelay = nullptr;
// Slot of the nearest relay satellite found by the last relay search, kept between steps.
int g_relayIndex = 0;

// --- Map refresh ------------------------------------------------------------------------------------
// Simulation time of the last full repaint asked of the map window, s.
double g_lastMapRefresh = 0.0;

void ResetGlobals() {
    g_hControlDlg = nullptr;
    g_hMapDlg = nullptr;
    for (int i = 0; i < ROSTER_SIZE; ++i) {
        g_stationRoster[i] = nullptr;
        g_deepSpaceRoster[i] = nullptr;
        g_relayRoster[i] = nullptr;
    }
    g_stationFocus = false;
    g_relayFocus = false;
    g_deepSpaceFocus = false;
    g_trackEnabled = false;
    g_antennaVector = VECTOR3{0.0, 0.0, 0.0};
    std::memset(g_antennaFileName, 0, sizeof g_antennaFileName);
    g_currentStation = nullptr;
    g_currentRelay = nullptr;
    g_relayIndex = 0;
    g_lastMapRefresh = 0.0;
}
