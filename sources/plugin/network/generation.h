// Generating the network's vessels from the list files, and clearing them away.
//
// Stations (ground and deep-space) are created landed on Earth as class "Groundpost",
// relay satellites in free flight on their geostationary slots as class "Relvana". Each
// created vessel's handle goes into the roster slot of its entry (entry i, slot i-1);
// only entries 1 .. ROSTER_SIZE of a list are ever read. A name already in use by any
// object is skipped, and so is an entry without a name: its slot stays as it was.
// Nothing here reports anything: what cannot be done is left undone.
#pragma once

#include "host/host.h"

// Creates the station vessels of one station list (ground or deep-space): reads "N" and
// "FOCUS" (into *focus; a file without it leaves the flag as it was), then for each entry
// its name, longitude, latitude and heading (degrees). An item missing from an entry
// takes the value the previous entry had; for the first entry a missing name is empty
// (nothing created) and a missing angle 0. The station lands at the longitude, latitude
// and heading times pi/180 and may take the focus as *focus says. Without an object
// named "Earth" nothing is created and nothing is read.
void GenerateStations(FILEHANDLE file, OBJHANDLE* roster, bool* focus);

// Creates the relay satellites of g_relayFile into g_relayRoster, with g_relayFocus:
// entry i names the satellite ("Sat %i") and its slot's longitude L ("Long %i",
// degrees). With lambda = L pi/180 and R Earth's rotation matrix at that moment, the
// satellite starts at R (GEO_RADIUS cos lambda, 0, GEO_RADIUS sin lambda) from Earth's
// centre with velocity R (-GEO_SPEED sin lambda, 0, GEO_SPEED cos lambda): a circular
// equatorial orbit above that longitude. Missing items, names in use and a missing
// "Earth" are handled as by GenerateStations.
void GenerateRelays();

// Generate Network: the ground stations, then the relay satellites, then the deep-space
// stations (so a name in both station lists is a ground station).
void GenerateNetwork();

// Clear Network: switches tracking off, deletes every vessel the three rosters hold
// (deep-space stations, ground stations, relay satellites, in that order) and empties
// their slots, and drops the serving station and relay satellite with them. A roster
// vessel the host no longer has (deleted by other means, or gone with the end of a
// run) is forgotten without being handed to the host. The focus flags stay.
void ClearNetwork();
