// The relay satellite's attitude: +z on the centre of the Earth.
//
// The maths is kept apart from the host so that it can be checked exactly: given the
// unit vector z from the vessel towards the Earth's centre (global frame), the vessel's
// frame is x = u x z / |u x z|, y = z x x, with the auxiliary axis u = (0, 1, 0), or
// (1, 0, 0) when z lies within about a thousandth of the global y axis. The rotation
// matrix has x, y and z as its columns, so it turns the vessel's own +z into z.
#pragma once

#include <cmath>

#include "host/vessel.h"

// z is taken to lie along the global y axis when neither its x nor its z component
// exceeds this in magnitude.
constexpr double kPolarAxisTolerance = 0.001;

struct POINTING_FRAME {
    VECTOR3 u;  // auxiliary axis
    VECTOR3 x, y, z;
    MATRIX3 R;  // columns x, y, z: vessel frame into the global frame
};

// Component formula of the cross product a x b.
inline VECTOR3 CrossProduct(const VECTOR3& a, const VECTOR3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double VectorLength(const VECTOR3& a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }

// The frame whose +z is the unit vector `z` (global frame). `z` must have unit length.
inline POINTING_FRAME FrameFacing(const VECTOR3& z) {
    POINTING_FRAME f;
    f.z = z;
    if (std::fabs(z.x) > kPolarAxisTolerance || std::fabs(z.z) > kPolarAxisTolerance) {
        f.u = {0, 1, 0};
    } else {
        f.u = {1, 0, 0};
    }
    const VECTOR3 ux = CrossProduct(f.u, z);
    const double len = VectorLength(ux);
    f.x = {ux.x / len, ux.y / len, ux.z / len};
    f.y = CrossProduct(z, f.x);  // unit length already
    f.R = {f.x.x, f.y.x, f.z.x,
           f.x.y, f.y.y, f.z.y,
           f.x.z, f.y.z, f.z.z};
    return f;
}

// The frame of a vessel at `vesselPos` whose +z points at `targetPos` (both global, m).
// False, and `frame` untouched, when the two positions coincide or are not finite: then
// there is no direction to face.
inline bool FrameTowards(const VECTOR3& vesselPos, const VECTOR3& targetPos, POINTING_FRAME& frame) {
    const VECTOR3 d{targetPos.x - vesselPos.x, targetPos.y - vesselPos.y, targetPos.z - vesselPos.z};
    const double len = VectorLength(d);
    if (!(len > 0.0) || !std::isfinite(len)) return false;
    frame = FrameFacing({d.x / len, d.y / len, d.z / len});
    return true;
}

// Turns `vessel`'s +z onto the centre of the object `hTarget`. A null target leaves the
// attitude as the host has it (the host is not asked anything).
inline void TurnZAxisTowards(const VESSEL& vessel, OBJHANDLE hTarget) {
    if (!hTarget) return;
    VECTOR3 own, target;
    oapiGetGlobalPos(vessel.GetHandle(), &own);
    oapiGetGlobalPos(hTarget, &target);
    POINTING_FRAME frame;
    if (FrameTowards(own, target, frame)) vessel.SetRotationMatrix(frame.R);
}
