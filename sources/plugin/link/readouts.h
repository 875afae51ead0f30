// Link quality (signal strength and travel time) and the readouts of the controller
// dialog.
#pragma once

#include "host/host.h"

// One-way signal travel time from the focus vessel to the target along the straight
// line, s. 0.0 for a null target or when the host has no focus vessel.
double SignalLag(OBJHANDLE target);

// Omni antenna strength at a distance of d metres, percent: 100 at 1 m (to within
// 2e-5), about 10.9 points less per tenfold distance, 0 from about 1.6e9 m on. A
// distance of 0 gives +infinity; NaN stays NaN.
double OmniStrengthAt(double d);

// Omni antenna strength of the link to the target (OmniStrengthAt its distance from the
// focus vessel), percent. 0.0 for a null target.
double OmniStrength(OBJHANDLE target);

// High-gain antenna strength of the link to the target, percent: 100 (1 - (theta/45)^2)
// for the antenna's angle theta off the line of sight in degrees, 0 from 45 degrees on.
// 100 for a null target or while tracking is off (AntennaAngle gives 0 then).
double HighGainStrength(OBJHANDLE target);

// Writes the readouts of both rows of the controller dialog from the current selections,
// the antenna chosen there and fresh positions, after refreshing g_hControlDlg:
// satellite row 1003 name, 1010 lag, 1004 strength; station row 1005 lag, 1001 strength
// (1008, the station's name, belongs to SelectStation). A row without a serving vessel,
// or with tracking off, reads "N/A". The strengths are cut to 0 while Earth is hidden;
// the lags are shown all the same. A closed dialog takes the texts without effect.
void UpdateReadouts();

// Sets the text of one control of the controller dialog (g_hControlDlg as it stands).
void SetReadout(int control, const char* text);
