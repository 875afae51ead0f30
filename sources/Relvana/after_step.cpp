// Relvana: what a relay satellite does after every simulation step.
#include "Relvana.h"
#include "earth_pointing.h"

namespace {

constexpr double kDeployedState = 1.0;    // both animations are held here
constexpr double kRestoredMarker = 1.0;   // savedMarker of a satellite restored from a save

}  // namespace

// Holds both animations at their end state (the records' animState fields keep what
// the scenario gave), asks for removal when restored from a save, then turns +z on the
// Earth. The step's arguments are not read. Nothing is allocated.
void Relvana::clbkAfterStep(double, double, double) {
    for (const ANIM_SLOT& slot : anim) SetAnimation(slot.animHandle, kDeployedState);
    RemoveIfRestored();
    PointAtEarth();
}

// The marker is not reset: until the host carries out the removal, the request is
// repeated at every step.
void Relvana::RemoveIfRestored() {
    if (savedMarker == kRestoredMarker) oapiDeleteVessel(GetHandle(), nullptr);
}

// Without an Earth the attitude is left as the host has it.
void Relvana::PointAtEarth() { TurnZAxisTowards(*this, hEarth); }
