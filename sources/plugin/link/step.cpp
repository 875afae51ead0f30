// The step driver.
#include "link/step.h"

#include <cmath>

#include "link/globals.h"
#include "link/handle_guard.h"
#include "link/map_marks.h"
#include "link/readouts.h"
#include "link/selection.h"
#include "link/vector_math.h"
#include "resource_ids.h"

namespace {

void DrawMarks(OBJHANDLE focus) {
    if (g_currentRelay) DrawMapMark(g_currentRelay, RELAY_MARK[0], RELAY_MARK[1], RELAY_MARK[2]);
    if (g_currentStation) DrawMapMark(g_currentStation, STATION_MARK[0], STATION_MARK[1], STATION_MARK[2]);
    if (focus) DrawMapMark(focus, FOCUS_MARK[0], FOCUS_MARK[1], FOCUS_MARK[2]);
}

// A full repaint of the map wipes the marks that piled up since the last one.
void RefreshMap(HWND map, double simt) {
    if (std::fabs(simt - g_lastMapRefresh) <= MAP_REFRESH_INTERVAL) return;
    if (map) {
        const RECT all{MAP_REFRESH_LEFT, MAP_REFRESH_TOP, MAP_REFRESH_RIGHT, MAP_REFRESH_BOTTOM};
        InvalidateRect(map, &all, TRUE);
    }
    g_lastMapRefresh = simt;
}

}  // namespace

NetworkBand ChooseBand(double h) {
    if (h < RELAY_CEILING) return BAND_STATIONS_AND_RELAYS;
    if (h < DEEP_SPACE_FLOOR) return BAND_STATIONS;
    return BAND_DEEP_SPACE;
}

DLLCLBK void opcPostStep(double simt, double, double) {
    DropStaleHandles();

    const HWND map = oapiFindDialog(g_hDLL, IDD_MAP);
    if (map) DrawMarks(oapiGetFocusObject());
    RefreshMap(map, simt);

    const OBJHANDLE focus = oapiGetFocusObject();
    if (!focus) {
        g_currentStation = nullptr;
        g_currentRelay = nullptr;
        SetReadout(IDC_STATION_NAME, NO_VALUE);
        UpdateReadouts();
        return;
    }

    VECTOR3 earth;
    oapiGetRelativePos(oapiGetObjectByName(EARTH_NAME), focus, &earth);
    switch (ChooseBand(Length(earth) - EARTH_RADIUS)) {
    case BAND_STATIONS_AND_RELAYS:
        SelectStation(g_stationRoster, g_stationFile);
        SelectRelay();
        break;
    case BAND_STATIONS:
        SelectStation(g_stationRoster, g_stationFile);
        g_currentRelay = nullptr;
        break;
    case BAND_DEEP_SPACE:
        g_currentRelay = nullptr;
        SelectStation(g_deepSpaceRoster, g_deepSpaceFile);
        break;
    }
    UpdateReadouts();
}
