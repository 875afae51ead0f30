// The fixed numbers and texts of the plug-in, each named once.
//
// Units: metres, seconds, radians; degrees only where a name says so.
#pragma once

#include "host/types.h"

// --- Earth model --------------------------------------------------------------------

// The planet, looked up by name at every use.
constexpr const char* EARTH_NAME = "Earth";
// Radius of the spherical Earth used for every altitude, horizon and coverage judgement
// (the host's own size of Earth is not used), m.
constexpr double EARTH_RADIUS = 6371010.0;
// EARTH_RADIUS squared, exactly, m^2.
constexpr double EARTH_RADIUS_SQ = 40589768420100.0;

// --- Angles ---------------------------------------------------------------------------

constexpr double RAD_PER_DEG = 0.017453292519943295;  // pi / 180
constexpr double DEG_PER_RAD = 57.29577951308232;     // 180 / pi

// --- Altitude bands ---------------------------------------------------------------------

// Below this altitude the ground stations and the relay satellites serve, m.
constexpr double RELAY_CEILING = 3e7;
// From this altitude on the deep-space stations serve, m.
constexpr double DEEP_SPACE_FLOOR = 4e8;

// --- Network lists ------------------------------------------------------------------------

// Slots of each roster, and so the most entries a list file can bring into it.
constexpr int ROSTER_SIZE = 100;
// Item of a list file giving its number of entries.
constexpr const char* COUNT_KEY = "N";

// --- Link quality -----------------------------------------------------------------------------

// One-way signal travel time per metre: 1 / 299792458 m/s, s/m.
constexpr double SECONDS_PER_METRE = 3.3356409519815204e-9;
// Omni antenna: the distance in millimetres is x = d / OMNI_METRES_PER_UNIT; the link
// level is OMNI_DECIBELS log10(OMNI_LEVEL_RATIO / x^2) + OMNI_LEVEL_OFFSET, and the
// strength in percent is that level times OMNI_LEVEL_SCALE times FULL_STRENGTH
// (OMNI_LEVEL_SCALE is the reciprocal of the level at 1 m, to four decimals).
constexpr double OMNI_METRES_PER_UNIT = 0.001;
constexpr double OMNI_DECIBELS = 10.0;
constexpr double OMNI_LEVEL_RATIO = 26000.0;
constexpr double OMNI_LEVEL_OFFSET = 200.0;
constexpr double OMNI_LEVEL_SCALE = 0.005430364534940866;
// High-gain antenna: strength = FULL_STRENGTH - (HIGH_GAIN_FALLOFF * theta) * theta with
// theta in degrees; HIGH_GAIN_FALLOFF = 100 / 45^2 = 4 / 81, so 0 from 45 degrees off.
constexpr double HIGH_GAIN_FALLOFF = 0.0493827160493827;
// A link at its best, percent.
constexpr double FULL_STRENGTH = 100.0;

// --- Readouts ------------------------------------------------------------------------------------

// Size of every readout and name buffer, characters including the terminating zero.
constexpr int TEXT_SIZE = 256;
constexpr const char* STRENGTH_FORMAT = "%.2f%%";  // percent
constexpr const char* LAG_FORMAT = "%.3f s";       // seconds
constexpr const char* NO_VALUE = "N/A";

// --- Map ------------------------------------------------------------------------------------------

// Colours of the marks (red, green, blue): the serving relay satellite, the serving
// station and the focus vessel.
constexpr BYTE RELAY_MARK[3] = {255, 0, 0};
constexpr BYTE STATION_MARK[3] = {0, 255, 0};
constexpr BYTE FOCUS_MARK[3] = {0, 0, 255};
// Simulation time between two full repaints of the map window, s; a repaint is due
// when the clock is strictly farther than this from the last one.
constexpr double MAP_REFRESH_INTERVAL = 3.0;
// The rectangle handed to the map window's repaint; it covers the whole window.
constexpr int MAP_REFRESH_LEFT = -6000;
constexpr int MAP_REFRESH_TOP = 6000;
constexpr int MAP_REFRESH_RIGHT = 6000;
constexpr int MAP_REFRESH_BOTTOM = -6000;
