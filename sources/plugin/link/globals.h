// The plug-in's module-wide state: every variable of Kavrin, declared once.
//
// All of them live from the module's load until its unload and are read and written on
// the host's one thread only (the step callback, the module entries and the dialog
// procedures). Their load-time values and meanings are in globals.cpp.
#pragma once

#include "host/host.h"
#include "link/constants.h"

// Host bindings.
extern HINSTANCE g_hDLL;
extern DWORD g_customCmdId;

// Windows.
extern HWND g_hControlDlg;
extern HWND g_hMapDlg;

// Network list files.
extern FILEHANDLE g_stationFile;
extern FILEHANDLE g_relayFile;
extern FILEHANDLE g_deepSpaceFile;

// Rosters of the network's vessels.
extern OBJHANDLE g_stationRoster[ROSTER_SIZE];
extern OBJHANDLE g_deepSpaceRoster[ROSTER_SIZE];
extern OBJHANDLE g_relayRoster[ROSTER_SIZE];

// Focus flags of the three lists.
extern bool g_stationFocus;
extern bool g_relayFocus;
extern bool g_deepSpaceFocus;

// Tracking.
constexpr int ANTENNA_FILE_NAME_SIZE = 768;
extern bool g_trackEnabled;
extern VECTOR3 g_antennaVector;
extern char g_antennaFileName[ANTENNA_FILE_NAME_SIZE];

// Selection.
extern OBJHANDLE g_currentStation;
extern OBJHANDLE g_currentRelay;
extern int g_relayIndex;

// Map refresh.
extern double g_lastMapRefresh;

// Puts every variable above back to the value it has once the module is loaded. The
// host bindings (g_hDLL, g_customCmdId) and the three open list files are made while
// the module loads and never change afterwards, so they keep what loading gave them;
// everything else becomes zero, null, false or empty. Can't fail.
void ResetGlobals();
