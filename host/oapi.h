// The host simulator's services, exported by name from the host and called by the
// modules on the host's one thread.
//
// Every call checks its handles. A null, stale (the object is gone) or foreign (a handle
// of another kind) handle is never dereferenced: the call does nothing, a query answers
// null or zero and leaves its outputs untouched, and the host logs one line naming the
// call and counts a contract violation.
#pragma once

#include "types.h"
#include "winapi.h"

#define OAPIFUNC HOSTAPI

class VESSEL;

// --- File access ------------------------------------------------------------------

enum FileAccessMode { FILE_IN = 0, FILE_OUT = 1, FILE_APP = 2, FILE_IN_ZEROONFAIL = 3 };
enum PathRoot { ROOT = 0, CONFIG = 1, SCENARIOS = 2, TEXTURES = 3, TEXTURES2 = 4, MESHES = 5, MODULES = 6 };

// --- Vessel creation ----------------------------------------------------------------

// Initial state of a new vessel, handed to oapiCreateVesselEx. Fields the creator does
// not set are zero. Angles in radians; positions in metres and velocities in m/s
// relative to the reference body, global frame axes.
struct VesselCreateStatus {
    DWORD version;      // 2
    DWORD flag;         // unused, 0
    OBJHANDLE rbody;    // reference body
    OBJHANDLE base;     // unused, null
    int port;           // unused, 0
    int status;         // 0: free flight, 1: landed on rbody
    VECTOR3 rpos;       // free flight: position relative to rbody
    VECTOR3 rvel;       // free flight: velocity relative to rbody
    VECTOR3 vrot;       // angular velocity, rad/s (unused)
    VECTOR3 arot;       // attitude, Euler angles (unused by the creators here)
    double surf_lng;    // landed: longitude on rbody
    double surf_lat;    // landed: latitude on rbody
    double surf_hdg;    // landed: heading
    double reserved[4]; // unused, 0
};

// --- Objects, positions and frames ----------------------------------------------------

// Object (vessel or body) by name, or null. Vessel names are exact; "Earth", "Moon" and
// "Sun" are the bodies. A vessel is found by name as soon as it has been created.
OAPIFUNC OBJHANDLE oapiGetObjectByName(const char* name);
// Global position, metres (ecliptic J2000 axes, Sun at the origin).
OAPIFUNC void oapiGetGlobalPos(OBJHANDLE object, VECTOR3* pos);
// Global velocity, m/s.
OAPIFUNC void oapiGetGlobalVel(OBJHANDLE object, VECTOR3* vel);
// Position of a relative to b: pos(a) - pos(b), global axes.
OAPIFUNC void oapiGetRelativePos(OBJHANDLE a, OBJHANDLE b, VECTOR3* pos);
// Position of a relative to the focus vessel.
OAPIFUNC void oapiGetFocusRelativePos(OBJHANDLE a, VECTOR3* pos);
// A global position turned into the body's own frame (origin at its centre; for Earth
// y points to the north pole and longitude runs from +x toward +z).
OAPIFUNC void oapiGlobalToLocal(OBJHANDLE body, const VECTOR3* global, VECTOR3* local);
// A global position as longitude, latitude (radians) and radius (metres) in the
// reference object's own frame.
OAPIFUNC void oapiGlobalToEqu(OBJHANDLE reference, const VECTOR3& global, double* lng, double* lat, double* rad);
// Rotation matrix of an object: its own frame into the global frame.
OAPIFUNC void oapiGetRotationMatrix(OBJHANDLE object, MATRIX3* rot);
// Size: a body's mean radius, a vessel's size (metres).
OAPIFUNC double oapiGetSize(OBJHANDLE object);
// Name, cut to fit `size` characters including the terminating zero.
OAPIFUNC void oapiGetObjectName(OBJHANDLE object, char* name, int size);

// Whether `object` names a vessel that exists (not yet deleted). Answers false for null,
// stale or foreign handles without counting a violation: this is the query a module uses
// to learn whether a handle it kept is still good.
OAPIFUNC bool oapiIsVessel(OBJHANDLE object);

OAPIFUNC OBJHANDLE oapiGetFocusObject();
OAPIFUNC VESSEL* oapiGetFocusInterface();
OAPIFUNC VESSEL* oapiGetVesselInterface(OBJHANDLE vessel);
OAPIFUNC double oapiGetSimTime();
OAPIFUNC double oapiGetSimMJD();

// Creates a vessel of class `classname` (bound to its module through
// Config/Vessels/CLASS.cfg) in the state `status` points to. Null when the name is in
// use or the request is malformed.
OAPIFUNC OBJHANDLE oapiCreateVesselEx(const char* name, const char* classname, const void* status);
// Marks a vessel for deletion at the end of the current step. `focus_alternative` names
// the vessel to take the focus if the deleted one has it (may be null).
OAPIFUNC bool oapiDeleteVessel(OBJHANDLE vessel, OBJHANDLE focus_alternative);

// --- Configuration files ------------------------------------------------------------

// Opens a file under the main folder (root 0). A file that cannot be opened still gives
// a handle, on which every read finds nothing.
OAPIFUNC FILEHANDLE oapiOpenFile(const char* path, FileAccessMode mode, PathRoot root);
OAPIFUNC void oapiCloseFile(FILEHANDLE file, FileAccessMode mode);
// Typed item readers: by key, without regard to case and surrounding blanks. A missing
// item or one whose value does not parse leaves the target unchanged and answers false.
OAPIFUNC bool oapiReadItem_int(FILEHANDLE file, const char* key, int& value);
OAPIFUNC bool oapiReadItem_float(FILEHANDLE file, const char* key, double& value);
OAPIFUNC bool oapiReadItem_bool(FILEHANDLE file, const char* key, bool& value);
// The whole value, trimmed, cut to 255 characters (callers pass 256-character buffers).
OAPIFUNC bool oapiReadItem_string(FILEHANDLE file, const char* key, char* value);
OAPIFUNC bool oapiReadItem_vec(FILEHANDLE file, const char* key, VECTOR3& value);

// --- Scenario files -----------------------------------------------------------------

// The next line of the vessel's block, leading blanks removed; false at its END.
OAPIFUNC bool oapiReadScenario_nextline(FILEHANDLE scenario, char*& line);
// Writes one line "  KEY VALUE" into the vessel's block.
OAPIFUNC void oapiWriteScenario_string(FILEHANDLE scenario, const char* key, const char* value);

// --- Dialogs and custom commands ------------------------------------------------------

// Opens the modeless dialog `resource_id` of module `instance` with procedure `proc`;
// an open dialog of the same template is not opened twice (its window is returned).
OAPIFUNC HWND oapiOpenDialog(HINSTANCE instance, int resource_id, DLGPROC proc, void* context);
OAPIFUNC HWND oapiFindDialog(HINSTANCE instance, int resource_id);
OAPIFUNC void oapiCloseDialog(HWND dialog);
OAPIFUNC INT_PTR oapiDefDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

typedef void (*CustomFunc)(void* context);
OAPIFUNC DWORD oapiRegisterCustomCmd(const char* label, const char* description, CustomFunc func, void* context);
OAPIFUNC bool oapiUnregisterCustomCmd(DWORD id);

// --- Meshes ---------------------------------------------------------------------------

// One handle per name from the global store; Meshes/NAME.msh is read when present, a
// missing file still gives a handle (without geometry).
OAPIFUNC MESHHANDLE oapiLoadMeshGlobal(const char* name);

// --- Modules --------------------------------------------------------------------------

// Called by a module's entry point at process attach.
OAPIFUNC void InitLib(HINSTANCE instance);
