// Station and relay satellite selection.
#include "link/selection.h"

#include <limits>

#include "link/earth_geometry.h"
#include "link/globals.h"
#include "link/readouts.h"
#include "link/vector_math.h"
#include "resource_ids.h"

namespace {

// Distance table entry of an empty slot: it takes no part in the minimum unless every
// other entry is missing too, and the searches never hand such a slot on.
constexpr double NO_DISTANCE = std::numeric_limits<double>::infinity();

// Length of the relay satellite's position relative to the focus vessel, m.
double RelayDistance(OBJHANDLE relay) {
    VECTOR3 pos;
    oapiGetRelativePos(relay, oapiGetFocusObject(), &pos);
    return Length(pos);
}

// The text of control 1008 and g_currentStation when no station serves.
void ShowNoStation() {
    g_currentStation = nullptr;
    SetReadout(IDC_STATION_NAME, NO_VALUE);
}

}  // namespace

void FindMinimum(int count, const double* values, double* smallest, int* index) {
    if (count < 1) return;
    double best = values[count - 1];
    for (int i = 0; i < count; ++i) {
        if (values[i] <= best) {
            best = values[i];
            *index = i;
        }
    }
    *smallest = best;
}

int ReadCount(FILEHANDLE file) {
    if (!file) return 0;
    int n = 0;  // stays 0 when the file has no "N"
    oapiReadItem_int(file, COUNT_KEY, n);
    if (n < 0) return 0;
    if (n > ROSTER_SIZE) return ROSTER_SIZE;
    return n;
}

void SelectStation(OBJHANDLE* roster, FILEHANDLE file) {
    if (!g_trackEnabled) {
        SetReadout(IDC_STATION_NAME, NO_VALUE);
        return;
    }
    if (!roster[0]) return;

    double distances[ROSTER_SIZE];
    for (int i = 0, n = ReadCount(file); i < n; ++i, n = ReadCount(file))
        distances[i] = roster[i] ? StationDistance(roster[i]) : NO_DISTANCE;
    const int n = ReadCount(file);

    double nearest = NO_DISTANCE;
    int slot = -1;
    FindMinimum(n, distances, &nearest, &slot);
    if (slot < 0 || !roster[slot]) {
        ShowNoStation();
        return;
    }

    // Only the nearest station is judged: every station lies on the sphere, so none
    // farther could be above the horizon when the nearest is not.
    VECTOR3 earth;
    oapiGetRelativePos(oapiGetObjectByName(EARTH_NAME), oapiGetFocusObject(), &earth);
    if (!AboveHorizon(Length(earth), nearest)) {
        ShowNoStation();
        return;
    }
    g_currentStation = roster[slot];
    char name[TEXT_SIZE];
    oapiGetObjectName(g_currentStation, name, TEXT_SIZE);
    SetReadout(IDC_STATION_NAME, name);
}

void SelectRelay() {
    g_hControlDlg = oapiFindDialog(g_hDLL, IDD_CONTROLLER);
    if (!g_trackEnabled) {
        g_currentRelay = nullptr;
        return;
    }

    double distances[ROSTER_SIZE];
    for (int i = 0, n = ReadCount(g_relayFile); i < n; ++i, n = ReadCount(g_relayFile))
        distances[i] = g_relayRoster[i] ? RelayDistance(g_relayRoster[i]) : NO_DISTANCE;
    const int n = ReadCount(g_relayFile);

    double nearest = NO_DISTANCE;  // the distance itself is not used
    FindMinimum(n, distances, &nearest, &g_relayIndex);

    if (!g_relayRoster[0]) return;
    const bool indexServes = g_relayIndex >= 0 && g_relayIndex < n && g_relayRoster[g_relayIndex];
    g_currentRelay = indexServes ? g_relayRoster[g_relayIndex] : nullptr;
}
