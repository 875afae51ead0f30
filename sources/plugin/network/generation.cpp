// Network generation and clearing.
#include "network/generation.h"

#include <cmath>
#include <cstdio>

#include "link/globals.h"
#include "link/handle_guard.h"
#include "link/selection.h"
#include "link/vector_math.h"
#include "network/network_constants.h"

namespace {

// Reads the item of entry i whose key pattern is `pattern` ("Base %i", ...). A missing
// item leaves the target as it was.
void ReadEntryString(FILEHANDLE file, const char* pattern, int i, char* value) {
    char key[TEXT_SIZE];
    std::snprintf(key, sizeof key, pattern, i);
    oapiReadItem_string(file, key, value);
}

void ReadEntryFloat(FILEHANDLE file, const char* pattern, int i, double& value) {
    char key[TEXT_SIZE];
    std::snprintf(key, sizeof key, pattern, i);
    oapiReadItem_float(file, key, value);
}

// Creates the vessel of one entry unless its name is empty or in use, and records it in
// its roster slot with the list's focus flag. A vessel the host could not create leaves
// the slot as it was (empty: a slot's own vessel would have kept the name in use).
void CreateEntryVessel(const char* name, const char* className, const VesselCreateStatus& status,
                       OBJHANDLE& slot, bool focus) {
    if (!name[0] || oapiGetObjectByName(name)) return;
    oapiCreateVesselEx(name, className, &status);
    const OBJHANDLE created = oapiGetObjectByName(name);
    if (!created) return;
    slot = created;
    if (VESSEL* vessel = oapiGetVesselInterface(created)) vessel->SetEnableFocus(focus);
}

// Deletes the vessels of one roster's first N slots (N read again after every slot) and
// empties those slots. Stale handles must have been dropped first.
void ClearRoster(FILEHANDLE file, OBJHANDLE* roster) {
    for (int k = 0, n = ReadCount(file); k < n; ++k, n = ReadCount(file)) {
        if (roster[k]) oapiDeleteVessel(roster[k], nullptr);
        roster[k] = nullptr;
    }
}

}  // namespace

void GenerateStations(FILEHANDLE file, OBJHANDLE* roster, bool* focus) {
    // A slot whose vessel is gone must not keep the entry from being created again.
    DropStaleHandles();
    VesselCreateStatus status = {};
    status.version = CREATE_STATUS_VERSION;
    status.status = CREATE_LANDED;
    status.rbody = oapiGetObjectByName(EARTH_NAME);
    if (!status.rbody || !file) return;

    const int n = ReadCount(file);
    oapiReadItem_bool(file, FOCUS_KEY, *focus);
    // Shared by all entries of the pass: a missing item keeps the previous entry's value.
    char name[TEXT_SIZE] = "";
    double lngDeg = 0.0, latDeg = 0.0, hdgDeg = 0.0;
    for (int i = 1; i - 1 < n; ++i) {
        ReadEntryString(file, STATION_NAME_KEY, i, name);
        ReadEntryFloat(file, LONGITUDE_KEY, i, lngDeg);
        ReadEntryFloat(file, LATITUDE_KEY, i, latDeg);
        ReadEntryFloat(file, HEADING_KEY, i, hdgDeg);
        status.surf_lng = lngDeg * RAD_PER_DEG;
        status.surf_lat = latDeg * RAD_PER_DEG;
        status.surf_hdg = hdgDeg * RAD_PER_DEG;
        CreateEntryVessel(name, STATION_CLASS, status, roster[i - 1], *focus);
    }
}

void GenerateRelays() {
    DropStaleHandles();
    const OBJHANDLE earth = oapiGetObjectByName(EARTH_NAME);
    if (!earth || !g_relayFile) return;
    const int n = ReadCount(g_relayFile);
    oapiReadItem_bool(g_relayFile, FOCUS_KEY, g_relayFocus);

    VesselCreateStatus status = {};
    status.version = CREATE_STATUS_VERSION;
    status.rbody = earth;
    status.status = CREATE_FREE_FLIGHT;
    char name[TEXT_SIZE] = "";
    double lngDeg = 0.0;
    for (int i = 1; i - 1 < n; ++i) {
        ReadEntryString(g_relayFile, RELAY_NAME_KEY, i, name);
        ReadEntryFloat(g_relayFile, LONGITUDE_KEY, i, lngDeg);
        const double lng = lngDeg * RAD_PER_DEG;
        // The slot in Earth's own frame (y to the north pole, longitude from +x toward
        // +z); the velocity is the position turned a quarter turn eastwards.
        const VECTOR3 pos{GEO_RADIUS * std::cos(lng), 0.0, GEO_RADIUS * std::sin(lng)};
        const VECTOR3 vel{-GEO_SPEED * std::sin(lng), 0.0, GEO_SPEED * std::cos(lng)};
        MATRIX3 earthRotation;
        oapiGetRotationMatrix(earth, &earthRotation);
        status.rpos = Multiply(earthRotation, pos);
        status.rvel = Multiply(earthRotation, vel);
        CreateEntryVessel(name, RELAY_CLASS, status, g_relayRoster[i - 1], g_relayFocus);
    }
}

void GenerateNetwork() {
    GenerateStations(g_stationFile, g_stationRoster, &g_stationFocus);
    GenerateRelays();
    GenerateStations(g_deepSpaceFile, g_deepSpaceRoster, &g_deepSpaceFocus);
}

void ClearNetwork() {
    g_trackEnabled = false;
    // Vessels deleted by other means are forgotten here, never handed to the host.
    DropStaleHandles();
    ClearRoster(g_deepSpaceFile, g_deepSpaceRoster);
    ClearRoster(g_stationFile, g_stationRoster);
    ClearRoster(g_relayFile, g_relayRoster);
    // The serving vessels were roster vessels: they go with the rosters.
    g_currentStation = nullptr;
    g_currentRelay = nullptr;
}
