#include "map_geometry.h"

#include <algorithm>
#include <cmath>

#include "../link/constants.h"

namespace {

constexpr double MAP_X_SCALE = 315.0;   // pixels per 180 degrees of longitude; lng 0 at x 315
constexpr double MAP_Y_ORIGIN = 158.0;  // y of latitude 0
constexpr double MAP_Y_SCALE = 158.0;   // pixels per 90 degrees of latitude
constexpr double ONE_OVER_180 = 0.005555555555555556;
constexpr double ONE_OVER_90 = 0.011111111111111112;

// Mark geometry, pixels from the mark's point.
constexpr double MARK_RADIUS = 5.0;
constexpr double LABEL_LEFT = 6.0, LABEL_TOP = -10.0, LABEL_RIGHT = 106.0, LABEL_BOTTOM = 10.0;
constexpr double AZIMUTH_STEP_DEG = 10.0;

// Truncation toward zero, the map's rounding. Coordinates of a mark stay within a few
// thousand pixels, far inside int.
LONG Trunc(double v) { return static_cast<LONG>(v); }

}  // namespace

double MapX(double lngDeg) { return (lngDeg * ONE_OVER_180 + 1.0) * MAP_X_SCALE; }
double MapY(double latDeg) { return MAP_Y_ORIGIN - latDeg * ONE_OVER_90 * MAP_Y_SCALE; }

double CoverageRadius(double d) {
    const double over = d * d - EARTH_RADIUS_SQ;
    if (!(over > 0.0) || !(d > 0.0)) return 0.0;
    return std::asin(std::min(std::sqrt(over) / d, 1.0));
}

MarkGeometry ComputeMark(double lngDeg, double latDeg, double d) {
    MarkGeometry m{};
    const double x0 = MapX(lngDeg), y0 = MapY(latDeg);
    m.circle = {Trunc(x0 - MARK_RADIUS), Trunc(y0 - MARK_RADIUS), Trunc(x0 + MARK_RADIUS), Trunc(y0 + MARK_RADIUS)};
    m.label = {Trunc(x0 + LABEL_LEFT), Trunc(y0 + LABEL_TOP), Trunc(x0 + LABEL_RIGHT), Trunc(y0 + LABEL_BOTTOM)};

    // The small circle of angular radius rho around the mark's point, worked out for the
    // northern mirror |lat| and mirrored back for a southern centre (strictly south).
    const double rho = CoverageRadius(d);
    const double a = std::fabs(latDeg) * RAD_PER_DEG;
    const double cosA = std::cos(a), sinA = std::sin(a), T = std::tan(rho);
    const double A = cosA * std::sin(rho), B = sinA * std::cos(rho);
    const double lngOffset = lngDeg * MAP_X_SCALE * ONE_OVER_180;
    for (int k = 0; k < COVERAGE_POINTS; ++k) {
        const double alpha = k * AZIMUTH_STEP_DEG * RAD_PER_DEG;
        // Rounding can push the sine just beyond +-1 where the circle touches a pole.
        double phi = std::asin(std::clamp(A * std::cos(alpha) + B, -1.0, 1.0));
        if (latDeg < 0.0) phi = -phi;
        const double dLng = std::atan2(std::sin(alpha) * T, cosA - T * std::cos(alpha) * sinA);
        const LONG x = Trunc(dLng * DEG_PER_RAD * MAP_X_SCALE * ONE_OVER_180 + MAP_X_SCALE + lngOffset);
        const LONG y = Trunc(MAP_Y_ORIGIN - phi * DEG_PER_RAD * MAP_Y_SCALE * ONE_OVER_90);
        m.line[k] = {x, y};
        m.right[k] = {x + MAP_WIDTH, y};
        m.left[k] = {x - MAP_WIDTH, y};
    }
    return m;
}
