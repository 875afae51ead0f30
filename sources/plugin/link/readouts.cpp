// Link quality and readouts.
#include "link/readouts.h"

#include <cmath>
#include <cstdio>

#include "link/earth_geometry.h"
#include "link/globals.h"
#include "link/vector_math.h"
#include "resource_ids.h"

namespace {

// Strength of the link to the target with the antenna chosen in the dialog (high gain
// exactly while its button is checked), cut to zero while Earth is hidden, percent.
double LinkStrength(OBJHANDLE target) {
    const bool highGain = IsDlgButtonChecked(g_hControlDlg, IDC_HIGH_GAIN) == BST_CHECKED;
    const double strength = highGain ? HighGainStrength(target) : OmniStrength(target);
    return strength * (EarthVisible() ? 1.0 : 0.0);
}

void ShowLag(int control, OBJHANDLE target) {
    char text[TEXT_SIZE];
    std::snprintf(text, sizeof text, LAG_FORMAT, SignalLag(target));
    SetReadout(control, text);
}

void ShowStrength(int control, OBJHANDLE target) {
    char text[TEXT_SIZE];
    std::snprintf(text, sizeof text, STRENGTH_FORMAT, LinkStrength(target));
    SetReadout(control, text);
}

}  // namespace

double SignalLag(OBJHANDLE target) {
    const OBJHANDLE focus = oapiGetFocusObject();
    if (!target || !focus) return 0.0;
    VECTOR3 pos;
    oapiGetRelativePos(target, focus, &pos);
    return Length(pos) * SECONDS_PER_METRE;
}

double OmniStrengthAt(double d) {
    const double x = d / OMNI_METRES_PER_UNIT;
    const double level = OMNI_DECIBELS * std::log10(OMNI_LEVEL_RATIO / (x * x)) + OMNI_LEVEL_OFFSET;
    const double strength = level * OMNI_LEVEL_SCALE * FULL_STRENGTH;
    return strength < 0.0 ? 0.0 : strength;
}

double OmniStrength(OBJHANDLE target) {
    if (!target) return 0.0;
    VECTOR3 pos;
    oapiGetFocusRelativePos(target, &pos);
    return OmniStrengthAt(Length(pos));
}

double HighGainStrength(OBJHANDLE target) {
    const double theta = AntennaAngle(target) * DEG_PER_RAD;
    const double strength = FULL_STRENGTH - (HIGH_GAIN_FALLOFF * theta) * theta;
    return strength < 0.0 ? 0.0 : strength;
}

void SetReadout(int control, const char* text) {
    SetWindowTextA(GetDlgItem(g_hControlDlg, control), text);
}

void UpdateReadouts() {
    if (oapiFindDialog(g_hDLL, IDD_CONTROLLER) != g_hControlDlg)
        g_hControlDlg = oapiFindDialog(g_hDLL, IDD_CONTROLLER);

    if (g_currentRelay && g_trackEnabled) {
        char name[TEXT_SIZE];
        oapiGetObjectName(g_currentRelay, name, TEXT_SIZE);
        SetReadout(IDC_RELAY_NAME, name);
        ShowLag(IDC_RELAY_LAG, g_currentRelay);
        ShowStrength(IDC_RELAY_STRENGTH, g_currentRelay);
    } else {
        SetReadout(IDC_RELAY_STRENGTH, NO_VALUE);
        SetReadout(IDC_RELAY_NAME, NO_VALUE);
        SetReadout(IDC_RELAY_LAG, NO_VALUE);
    }

    if (g_currentStation && g_trackEnabled) {
        ShowLag(IDC_STATION_LAG, g_currentStation);
        ShowStrength(IDC_STATION_STRENGTH, g_currentStation);
    } else {
        SetReadout(IDC_STATION_STRENGTH, NO_VALUE);
        SetReadout(IDC_STATION_LAG, NO_VALUE);
    }
}
