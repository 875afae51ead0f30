// The one place where the plug-in forgets handles that the host no longer honours.
#pragma once

// Empties every roster slot and clears every selection whose vessel the host no longer
// has (deleted by Clear Network, by the user or by another module, or gone with the end
// of a simulation run), and takes the controller dialog's window afresh from the host, so
// that a window closed since the last step is never written to. Asks the host about each
// kept vessel handle with oapiIsVessel, which never counts a violation.
//
// Called at the start of every step, before anything is drawn or measured; any other
// routine that is about to hand kept handles to the host (clearing, generation) calls it
// first. Vessel deletions take effect only between steps, so the handles stay good for
// the rest of the step. Can't fail.
void DropStaleHandles();
