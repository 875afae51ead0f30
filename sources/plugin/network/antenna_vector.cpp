// The ship antenna vector file.
#include "network/antenna_vector.h"

#include <cmath>
#include <cstdio>

#include "link/globals.h"
#include "network/network_constants.h"

namespace {

// The file name of the focus vessel's class, from its three pieces (each at most 255
// characters), into `name` of ANTENNA_FILE_NAME_SIZE characters. False when there is no
// focus vessel (the class name is then empty).
bool BuildAntennaFileName(char* name) {
    const VESSEL* focus = oapiGetFocusInterface();
    const char* focusClass = focus ? focus->GetClassNameA() : nullptr;
    char folder[TEXT_SIZE], className[TEXT_SIZE], extension[TEXT_SIZE];
    std::snprintf(folder, sizeof folder, "%s", ANTENNA_FOLDER);
    std::snprintf(className, sizeof className, "%s", focusClass ? focusClass : "");
    std::snprintf(extension, sizeof extension, "%s", ANTENNA_EXTENSION);
    std::snprintf(name, ANTENNA_FILE_NAME_SIZE, "%s%s%s", folder, className, extension);
    return focus != nullptr;
}

// Length of the vector without overflow in the squares, so that a direction given with
// huge components still comes out as a unit vector.
double VectorLength(const VECTOR3& v) { return std::hypot(v.x, v.y, v.z); }

}  // namespace

void MakeAntennaFileName() { BuildAntennaFileName(g_antennaFileName); }

void LoadAntennaVector() {
    char name[ANTENNA_FILE_NAME_SIZE];
    if (BuildAntennaFileName(name)) {
        const FILEHANDLE file = oapiOpenFile(name, FILE_IN, ROOT);
        oapiReadItem_vec(file, ANTENNA_KEY, g_antennaVector);
        oapiCloseFile(file, FILE_IN);
    }

    double length = VectorLength(g_antennaVector);
    if (length == 0.0) {
        g_antennaVector = VECTOR3{DEFAULT_ANTENNA_X, DEFAULT_ANTENNA_Y, DEFAULT_ANTENNA_Z};
        length = VectorLength(g_antennaVector);
    }
    g_antennaVector = VECTOR3{g_antennaVector.x / length, g_antennaVector.y / length, g_antennaVector.z / length};
}
