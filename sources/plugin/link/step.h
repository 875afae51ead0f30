// The step driver: the plug-in's work after every simulation step.
#pragma once

#include "host/host.h"

// Which part of the network may serve a focus vessel at altitude h (metres).
enum NetworkBand {
    BAND_STATIONS_AND_RELAYS,  // h < RELAY_CEILING
    BAND_STATIONS,             // RELAY_CEILING <= h < DEEP_SPACE_FLOOR
    BAND_DEEP_SPACE,           // h >= DEEP_SPACE_FLOOR, or h not a number
};
NetworkBand ChooseBand(double h);

// Called by the host after every simulation step with the simulation time (s); the
// further arguments are not used. In this order: forgets stale handles; draws the map
// marks (relay red, station green, focus blue) while the map window is open; asks the
// map for a full repaint when the clock is more than 3 s from the last one (and moves
// that time on whether or not the map is open); picks the network by the focus
// vessel's altitude, runs its searches and writes the readouts. Without a focus vessel
// nothing serves: both selections are cleared and every readout reads "N/A".
DLLCLBK void opcPostStep(double simt, double simdt, double mjd);
