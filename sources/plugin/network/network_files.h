// The three network list files: ground stations, relay satellites, deep-space stations.
//
// They are opened once, while the module loads (by a static initialisation of this
// folder, so before the module's entry point and InitModule run), and stay open until
// ExitModule closes them. Every count, name and position is read from them through the
// host whenever it is needed; nothing read is kept.
#pragma once

// Opens the ground station, relay satellite and deep-space station files, in that order,
// for reading under the main folder, into g_stationFile, g_relayFile, g_deepSpaceFile.
// The host's handles are stored as they come: a file that cannot be opened gives a handle
// on which every read finds nothing. Runs once per load; can't fail.
void OpenNetworkFiles();

// Closes the ground station, relay satellite and deep-space station files, in that
// order, and forgets their handles, so that a second call closes nothing and later
// reads find no entries (a null file counts 0). Can't fail.
void CloseNetworkFiles();
