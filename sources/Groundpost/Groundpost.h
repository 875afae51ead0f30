// Groundpost: the vessel class of the network's ground stations and deep-space
// stations.
//
// A station has one mesh and a fixed set of physical properties. It marks every state
// it saves; a station restored from such a state removes itself at its first step, so
// the network exists only as the plug-in generates it.
#pragma once

#include "host/host.h"

class Groundpost : public VESSEL2 {
public:
    // Both arguments as the host passed them to ovcInit.
    Groundpost(OBJHANDLE hVessel, int flightModel);
    // Releases nothing: the mesh belongs to the host's global store.
    ~Groundpost() override;

    // Class set-up: physical parameters and mesh. The argument is not read.
    void clbkDefineClass(FILEHANDLE config) override;
    // Scenario state: the host's standard lines, then "SAVED" with the number 1.
    void clbkStoreState(FILEHANDLE scenario) override;
    void clbkRestoreState(FILEHANDLE scenario, void* status) override;
    // Removes a station restored from a save; nothing else.
    void clbkAfterStep(double simt, double simdt, double mjd) override;

private:
    void RemoveIfRestored();

    MESHHANDLE hMesh = nullptr;
    UINT meshIndex = 0;
    double savedMarker = 0.0;
};
