// Shared helpers of the body tests: angles, rotation invariants and reference dates.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/bodies/ephemeris.h"
#include "sim/core/vecmath.h"

namespace bodies_test {

// The vector operators live in sim; VECTOR3 does not, so bring them in by name.
using namespace sim;

// The axes of any host frame.
constexpr VECTOR3 kX = {1, 0, 0}, kY = {0, 1, 0}, kZ = {0, 0, 1};

constexpr double kDeg = std::numbers::pi / 180.0;

// Angle between two directions, degrees; exact near 0 (acos is not).
inline double angle_deg(const VECTOR3& a, const VECTOR3& b) {
    const VECTOR3 u = normalised(a), v = normalised(b);
    return 2 * std::asin(std::min(1.0, length(u - v) / 2)) / kDeg;
}

// Longitude of a direction in a host frame (from +x toward +z), degrees in (-180, 180].
inline double longitude_deg(const VECTOR3& v) { return std::atan2(v.z, v.x) / kDeg; }
inline double latitude_deg(const VECTOR3& v) { return std::asin(normalised(v).y) / kDeg; }

// An angle wrapped into (-180, 180], degrees.
inline double wrap_deg(double a) {
    a = std::fmod(a, 360.0);
    if (a > 180) a -= 360;
    if (a <= -180) a += 360;
    return a;
}

inline double det(const MATRIX3& m) {
    return m.m11 * (m.m22 * m.m33 - m.m23 * m.m32) - m.m12 * (m.m21 * m.m33 - m.m23 * m.m31) +
           m.m13 * (m.m21 * m.m32 - m.m22 * m.m31);
}

// R^T R = I and det R = +1.
inline void expect_rotation(const MATRIX3& r) {
    const MATRIX3 p = sim::mul(sim::transpose(r), r);
    const double got[9] = {p.m11, p.m12, p.m13, p.m21, p.m22, p.m23, p.m31, p.m32, p.m33};
    const double want[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(got[i], want[i], 1e-12) << "element " << i;
    EXPECT_NEAR(det(r), 1.0, 1e-12);
}

// Dates of 2023 (UT taken as the MJD's scale): MJD 60000 is 2023-02-25 0h.
constexpr double kMarchEquinox2023 = 60023.0 + (21 + 24 / 60.0) / 24;   // 03-20 21:24
constexpr double kJuneSolstice2023 = 60116.0 + (14 + 58 / 60.0) / 24;   // 06-21 14:58
constexpr double kSeptEquinox2023 = 60210.0 + (6 + 50 / 60.0) / 24;     // 09-23 06:50
constexpr double kDecSolstice2023 = 60300.0 + (3 + 27 / 60.0) / 24;     // 12-22 03:27
constexpr double kFullMoon2023 = 59950.0 + (23 + 8 / 60.0) / 24;        // 01-06 23:08
constexpr double kNewMoon2023 = 59965.0 + (20 + 53 / 60.0) / 24;        // 01-21 20:53

}  // namespace bodies_test
