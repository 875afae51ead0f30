// The few vector operations the link evaluation needs, on the host's VECTOR3.
#pragma once

#include <cmath>

#include "host/types.h"

inline double Dot(const VECTOR3& a, const VECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Euclidean length, in the vector's units.
inline double Length(const VECTOR3& v) { return std::sqrt(Dot(v, v)); }

// The matrix times the column vector: component k is row k of m dotted with v.
inline VECTOR3 Multiply(const MATRIX3& m, const VECTOR3& v) {
    return VECTOR3{m.m11 * v.x + m.m12 * v.y + m.m13 * v.z,
                   m.m21 * v.x + m.m22 * v.y + m.m23 * v.z,
                   m.m31 * v.x + m.m32 * v.y + m.m33 * v.z};
}
