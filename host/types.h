// Basic types shared by the host simulator and its modules: vectors, matrices and the
// opaque handles the host hands out.
//
// Frames are those of the host: y points north (ecliptic north for the global frame,
// the rotation pole for a body frame) and longitude runs from +x toward +z.
#pragma once

#include <cstdint>

// Host services and classes are visible across module boundaries.
#define HOSTAPI __attribute__((visibility("default")))

// Three doubles; metres in the global frame unless the caller says otherwise.
struct VECTOR3 {
    double x, y, z;
};

// 3 x 3 matrix stored by rows. It turns a direction v given in a vessel's (or body's)
// own frame into the global frame as the three products row . v.
struct MATRIX3 {
    double m11, m12, m13;
    double m21, m22, m23;
    double m31, m32, m33;
};

inline VECTOR3 _V(double x, double y, double z) { return VECTOR3{x, y, z}; }

// Opaque handles. Each is an index plus a generation number; null stands for none.
// A handle that outlives its object is never dereferenced by the host.
typedef struct HostObject_* OBJHANDLE;                   // vessel or celestial body
typedef struct HostFile_* FILEHANDLE;                    // configuration or scenario file
typedef struct HostMesh_* MESHHANDLE;                    // mesh of the global store
typedef struct HostAnimComp_* ANIMATIONCOMPONENT_HANDLE;  // registered animation component

// Integer types of the host and window-system interfaces (32-bit DWORD as on Windows).
typedef unsigned int UINT;
typedef std::uint32_t DWORD;
typedef unsigned short WORD;
typedef unsigned char BYTE;
typedef int BOOL;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t UINT_PTR;
typedef std::intptr_t LONG_PTR;
typedef long LONG;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
