// Relvana: the vessel class of the network's geostationary relay satellites.
//
// A passive body with one mesh and two animations (the deployment of its antennas and
// panels, and a quarter turn of the whole mesh), held at their end state. After every
// step it turns its +z axis on the Earth's centre. It marks every state it saves; a
// satellite restored from such a state removes itself at its first step, so the network
// exists only as the plug-in generates it.
#pragma once

#include "anim_records.h"
#include "host/host.h"

class Relvana : public VESSEL2 {
public:
    // Both arguments as the host passed them to ovcInit.
    Relvana(OBJHANDLE hVessel, int flightModel);
    // Releases the animation records with their transforms and tables.
    ~Relvana() override;

    // Class set-up: physical parameters, mesh, animations, the Earth's handle. The
    // argument is not read.
    void clbkDefineClass(FILEHANDLE config) override;
    // Scenario state: the host's standard lines, "ANIM_0", "ANIM_1" and "SAVED".
    void clbkStoreState(FILEHANDLE scenario) override;
    void clbkRestoreState(FILEHANDLE scenario, void* status) override;
    // Holds both animations at state 1, removes a restored satellite, points at Earth.
    void clbkAfterStep(double simt, double simdt, double mjd) override;
    // Takes no keys: answers 0 for every key.
    int clbkConsumeBufferedKey(DWORD key, bool down, char* keystate) override;

private:
    void DefineAnimations();
    void RemoveIfRestored();
    void PointAtEarth();
    void ReadAnimationLine(const char* line);

    MESHHANDLE hMesh = nullptr;
    UINT meshIndex = 0;
    ANIM_SLOT anim[ANIM_COUNT];
    double savedMarker = 0.0;
    OBJHANDLE hEarth = nullptr;
};
