// The marks that the step draws on the map window.
#pragma once

#include "host/host.h"

// Draws the object's mark (position circle, name, coverage circle in the given colour)
// on the map window when that window is open; the object must be a live vessel.
void DrawMapMark(OBJHANDLE object, BYTE red, BYTE green, BYTE blue);
