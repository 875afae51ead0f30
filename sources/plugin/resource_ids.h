// Resource numbers of the plug-in's dialogs and the identifiers of their controls.
#pragma once

// Dialog templates.
constexpr int IDD_CONTROLLER = 101;  // "Orvenet Controller"
constexpr int IDD_MAP = 9;           // the map window

// Controller dialog: the station row of readouts.
constexpr int IDC_STATION_NAME = 1008;      // "Tracking Station"
constexpr int IDC_STATION_STRENGTH = 1001;  // "Signal Strength"
constexpr int IDC_STATION_LAG = 1005;       // "Lag"

// Controller dialog: the relay satellite row of readouts.
constexpr int IDC_RELAY_NAME = 1003;        // "Satellite"
constexpr int IDC_RELAY_STRENGTH = 1004;    // "Signal Strength"
constexpr int IDC_RELAY_LAG = 1010;         // "Lag"

// Controller dialog: the antenna in use (automatic radio buttons, one group).
constexpr int IDC_OMNI = 1015;
constexpr int IDC_HIGH_GAIN = 1016;
