// Vector and matrix arithmetic on the host's VECTOR3 and MATRIX3 value types.
// Pure functions; nothing here can fail (a zero vector normalises to itself).
#pragma once

#include <cmath>

#include "host/types.h"

namespace sim {

inline VECTOR3 operator+(const VECTOR3& a, const VECTOR3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline VECTOR3 operator-(const VECTOR3& a, const VECTOR3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline VECTOR3 operator-(const VECTOR3& a) { return {-a.x, -a.y, -a.z}; }
inline VECTOR3 operator*(const VECTOR3& a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline VECTOR3 operator*(double s, const VECTOR3& a) { return a * s; }
inline VECTOR3 operator/(const VECTOR3& a, double s) { return {a.x / s, a.y / s, a.z / s}; }
inline VECTOR3& operator+=(VECTOR3& a, const VECTOR3& b) { return a = a + b; }
inline VECTOR3& operator-=(VECTOR3& a, const VECTOR3& b) { return a = a - b; }

inline double dot(const VECTOR3& a, const VECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline double length(const VECTOR3& a) { return std::sqrt(dot(a, a)); }
inline VECTOR3 normalised(const VECTOR3& a) {
    const double l = length(a);
    return l > 0 ? a / l : a;
}
// Component formula of the cross product; in the host's left-handed frames it has no
// physical handedness, so use it only where the formula itself is what is wanted.
inline VECTOR3 cross(const VECTOR3& a, const VECTOR3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline MATRIX3 identity3() { return {1, 0, 0, 0, 1, 0, 0, 0, 1}; }

// M . v (rows times the vector): own frame into the parent frame.
inline VECTOR3 mul(const MATRIX3& m, const VECTOR3& v) {
    return {m.m11 * v.x + m.m12 * v.y + m.m13 * v.z, m.m21 * v.x + m.m22 * v.y + m.m23 * v.z,
            m.m31 * v.x + m.m32 * v.y + m.m33 * v.z};
}
// M^T . v: parent frame into the own frame.
inline VECTOR3 tmul(const MATRIX3& m, const VECTOR3& v) {
    return {m.m11 * v.x + m.m21 * v.y + m.m31 * v.z, m.m12 * v.x + m.m22 * v.y + m.m32 * v.z,
            m.m13 * v.x + m.m23 * v.y + m.m33 * v.z};
}
inline MATRIX3 mul(const MATRIX3& a, const MATRIX3& b) {
    return {a.m11 * b.m11 + a.m12 * b.m21 + a.m13 * b.m31, a.m11 * b.m12 + a.m12 * b.m22 + a.m13 * b.m32,
            a.m11 * b.m13 + a.m12 * b.m23 + a.m13 * b.m33, a.m21 * b.m11 + a.m22 * b.m21 + a.m23 * b.m31,
            a.m21 * b.m12 + a.m22 * b.m22 + a.m23 * b.m32, a.m21 * b.m13 + a.m22 * b.m23 + a.m23 * b.m33,
            a.m31 * b.m11 + a.m32 * b.m21 + a.m33 * b.m31, a.m31 * b.m12 + a.m32 * b.m22 + a.m33 * b.m32,
            a.m31 * b.m13 + a.m32 * b.m23 + a.m33 * b.m33};
}
inline MATRIX3 transpose(const MATRIX3& m) { return {m.m11, m.m21, m.m31, m.m12, m.m22, m.m32, m.m13, m.m23, m.m33}; }

// Rotation by `angle` radians about the unit axis `axis` (Rodrigues' formula, with the
// sense the host's animations use: positive angles turn y toward z about +x).
inline MATRIX3 rotation(const VECTOR3& axis, double angle) {
    const VECTOR3 a = normalised(axis);
    const double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    return {t * a.x * a.x + c,       t * a.x * a.y - s * a.z, t * a.x * a.z + s * a.y,
            t * a.x * a.y + s * a.z, t * a.y * a.y + c,       t * a.y * a.z - s * a.x,
            t * a.x * a.z - s * a.y, t * a.y * a.z + s * a.x, t * a.z * a.z + c};
}

}  // namespace sim
