// Opening and closing the network list files.
#include "network/network_files.h"

#include "link/globals.h"
#include "network/network_constants.h"

namespace {

void CloseIfOpen(FILEHANDLE& file) {
    if (!file) return;
    oapiCloseFile(file, FILE_IN);
    file = nullptr;
}

// Runs while the module is being loaded, before its entry point: the list files are
// open from the first moment the host can call the module.
[[maybe_unused]] const bool networkFilesOpenedAtLoad = (OpenNetworkFiles(), true);

}  // namespace

void OpenNetworkFiles() {
    g_stationFile = oapiOpenFile(STATION_FILE_PATH, FILE_IN, ROOT);
    g_relayFile = oapiOpenFile(RELAY_FILE_PATH, FILE_IN, ROOT);
    g_deepSpaceFile = oapiOpenFile(DEEP_SPACE_FILE_PATH, FILE_IN, ROOT);
}

void CloseNetworkFiles() {
    CloseIfOpen(g_stationFile);
    CloseIfOpen(g_relayFile);
    CloseIfOpen(g_deepSpaceFile);
}
