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

// Labels and group boxes of every dialog.
constexpr int IDC_STATIC = -1;

// Controller dialog: the buttons.
constexpr int IDC_CLOSE = 2;            // "Close"; also the close box of every dialog
constexpr int IDC_ENABLE_TRACK = 1000;  // "Enable Track"
constexpr int IDC_STOP_TRACK = 1002;    // "Stop Track"
constexpr int IDC_GENERATE = 1007;      // "Generate Network"
constexpr int IDC_CLEAR = 1009;         // "Clear Network"
constexpr int IDC_OPEN_MAP = 1014;      // "MAP"
constexpr int IDC_CHECK_CFG = 1019;     // "Check cfg filename"

// Map window: the picture of the world map (it sends no notifications, so sharing the
// number of "Clear Network" is harmless).
constexpr int IDC_MAP_PICTURE = 1009;

// Bitmaps.
constexpr int IDB_WORLD_MAP = 107;  // 630 x 315 pixels, equirectangular

// String table.
constexpr int IDS_ABOUT = 1000;
constexpr int IDS_CATEGORY = 1001;
