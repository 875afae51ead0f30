// The fixed numbers and texts of network management: the list files and their keys,
// the vessel classes and orbits of the network, the custom command, the ship antenna
// vector files and the module's version date. Each is named once; the Earth model, the
// angle factors, the roster size and the count key are shared with the link evaluation
// (link/constants.h).
//
// Units: metres, seconds, radians; degrees only in the list files.
#pragma once

// --- Network list files (paths under the simulator's main folder) ------------------

constexpr const char* STATION_FILE_PATH = "config/Orvenet/Zeravivadad.cfg";  // ground stations
constexpr const char* RELAY_FILE_PATH = "config/Orvenet/TDRS.cfg";           // relay satellites
constexpr const char* DEEP_SPACE_FILE_PATH = "config/Orvenet/DSN.cfg";       // deep-space stations

// Item of every list file: may the vessels created from it take the user's focus.
constexpr const char* FOCUS_KEY = "FOCUS";
// Keys of entry i (numbered from 1) of a station file: name, longitude, latitude and
// heading (degrees, east and north positive).
constexpr const char* STATION_NAME_KEY = "Base %i";
constexpr const char* LONGITUDE_KEY = "Long %i";
constexpr const char* LATITUDE_KEY = "Lat %i";
constexpr const char* HEADING_KEY = "Hdg %i";
// Key of entry i of the relay satellite file: name (its longitude is LONGITUDE_KEY).
constexpr const char* RELAY_NAME_KEY = "Sat %i";

// --- The network's vessels -------------------------------------------------------------

// Vessel classes the host binds to the vessel modules.
constexpr const char* STATION_CLASS = "Groundpost";  // ground and deep-space stations
constexpr const char* RELAY_CLASS = "Relvana";       // relay satellites

// Version of the vessel status record handed to oapiCreateVesselEx.
constexpr unsigned CREATE_STATUS_VERSION = 2;
// Vessel states of that record.
constexpr int CREATE_FREE_FLIGHT = 0;
constexpr int CREATE_LANDED = 1;

// Geostationary orbit of a relay satellite: distance from Earth's centre, m, and speed
// relative to Earth's centre, m/s.
constexpr double GEO_RADIUS = 42164000.0;
constexpr double GEO_SPEED = 3074.6;

// --- Custom command ----------------------------------------------------------------------

constexpr const char* COMMAND_LABEL = "Orvenet";
constexpr const char* COMMAND_DESCRIPTION = "Opens the Orbiter Network Control Dialog";

// --- Ship antenna vector files -----------------------------------------------------------

// The file of a vessel class: ANTENNA_FOLDER + class name + ANTENNA_EXTENSION.
constexpr const char* ANTENNA_FOLDER = "config/Orvenet/ShipVectors/";
constexpr const char* ANTENNA_EXTENSION = ".cfg";
// Item of that file: the antenna's direction in the ship's own frame (any length).
constexpr const char* ANTENNA_KEY = "VECTOR";
// Direction taken when the file gives one of length zero (and, at load, when it gives
// none): the ship's +z axis.
constexpr double DEFAULT_ANTENNA_X = 0.0;
constexpr double DEFAULT_ANTENNA_Y = 0.0;
constexpr double DEFAULT_ANTENNA_Z = 1.0;
// Caption of the message box that shows a ship's antenna vector file name.
constexpr const char* ANTENNA_FILE_CAPTION = "The Config File for this ship Antenna should be:";

// --- Module ----------------------------------------------------------------------------------

// The date whose host date number is the module's version.
constexpr const char* MODULE_VERSION_DATE = "Aug 30 2010";
