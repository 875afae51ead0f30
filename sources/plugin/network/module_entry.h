// The plug-in's module entries, as the host calls them. The load order: the static
// initialisations open the list files (network_files.h), the entry point runs for
// process attach, then the host calls InitModule. At unload the host closes the module's
// windows, then calls ExitModule, and the entry point's process detach calls it again.
#pragma once

#include "host/host.h"

// Binds the module's instance (g_hDLL) and registers the custom command "Orvenet",
// "Opens the Orbiter Network Control Dialog", which opens the controller dialog; its
// identifier goes into g_customCmdId.
DLLCLBK void InitModule(HINSTANCE instance);

// Drops the serving station and relay satellite, unregisters the custom command and
// closes the ground station, relay satellite and deep-space station files, in that
// order. The command and the files go only once, however often it is called. Closes no
// window and deletes no vessel. The instance is not used.
DLLCLBK void ExitModule(HINSTANCE instance);

// The host's date number of "Aug 30 2010", worked out at the first call and kept.
DLLCLBK int GetModuleVersion();

// The module's build date, "Mmm dd yyyy" (a one-digit day padded with a blank).
DLLCLBK const char* ModuleDate();

// The plug-in keeps nothing in scenarios: one empty routine, exported under both names.
DLLCLBK void opcSaveState(FILEHANDLE scenario);
DLLCLBK void opcLoadState(FILEHANDLE scenario);
