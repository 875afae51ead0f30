// Sun, Earth and Moon from libnova's series, on an interpolated grid.
//
//   Frames        the one conversion from right-handed ecliptic axes to the host's
//   Series        Earth (VSOP87) and Moon (ELP 2000-82B) positions and velocities
//   Rotations     Earth's tilt and spin, the Moon's tidal lock
//   Grid          nodes on demand, cubic Hermite between them
#include "sim/bodies/ephemeris.h"

#include <libnova/earth.h>
#include <libnova/lunar.h>
#include <libnova/sidereal_time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <unordered_map>

#include "sim/core/log.h"
#include "sim/core/vecmath.h"

namespace sim {

namespace {

constexpr double kMjdToJd = 2400000.5;        // JD = MJD + this
constexpr double kSecondsPerDay = 86400.0;
constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kHoursToRad = 15.0 * kDegToRad;
constexpr double kKilometre = 1000.0;          // m
constexpr double kJ2000Mjd = 51544.5;
// Half-width of the central difference that gives the series' velocities, days. Its
// truncation error is about 1e-3 m/s for the Moon and less for Earth, far above the
// rounding noise of the series.
constexpr double kDiffStep = 0.01;
// libnova's lunar series, all terms.
constexpr double kLunarFullPrecision = 0.0;
// Nodes kept at most; past this the cache starts afresh (about 11 years of nodes).
constexpr std::size_t kMaxCachedNodes = 8192;

// ============================================================================
// Frames
// ============================================================================
// libnova and the textbook rotation formulas use right-handed axes: X to the equinox
// (or the 0 meridian), Z to the north pole, Y 90 degrees east of X. The host's frames
// keep x and the pole but call the pole y: host (x, y, z) = (X, Z, Y). Every
// right-handed quantity passes through these two functions and nowhere else.

VECTOR3 host_from_right_handed(double X, double Y, double Z) { return {X, Z, Y}; }

// P . M . P with P the y-z swap: a right-handed matrix (own frame into parent frame)
// as the same map between the host versions of both frames.
MATRIX3 host_from_right_handed(const MATRIX3& m) {
    return {m.m11, m.m13, m.m12,
            m.m31, m.m33, m.m32,
            m.m21, m.m23, m.m22};
}

// ============================================================================
// Series
// ============================================================================
// Both libnova routines answer in the ecliptic and equinox of J2000 (not of date):
// checked against published positions of 1992 and against the precession rate over two
// centuries either side of J2000. Earth: spherical L, B in degrees and R in AU,
// heliocentric. Moon: rectangular X, Y, Z in km, geocentric. (libnova's rectangular
// Earth routine answers in equatorial axes, so it is not used.)

// Earth's heliocentric position, m, host axes.
VECTOR3 earth_position(double mjd) {
    ln_helio_posn p;
    ln_get_earth_helio_coords(mjd + kMjdToJd, &p);
    const double lon = p.L * kDegToRad, lat = p.B * kDegToRad, r = p.R * kAstronomicalUnit;
    return host_from_right_handed(r * std::cos(lat) * std::cos(lon), r * std::cos(lat) * std::sin(lon),
                                  r * std::sin(lat));
}

// The Moon's geocentric position, m, host axes.
VECTOR3 moon_position(double mjd) {
    ln_rect_posn p;
    ln_get_lunar_geo_posn(mjd + kMjdToJd, &p, kLunarFullPrecision);
    return host_from_right_handed(p.X * kKilometre, p.Y * kKilometre, p.Z * kKilometre);
}

// Earth heliocentric and Moon geocentric, position and velocity: what a grid node holds.
struct Node {
    VECTOR3 earth_pos, earth_vel;
    VECTOR3 moon_pos, moon_vel;
};

Node series_node(double mjd) {
    constexpr double span = 2 * kDiffStep * kSecondsPerDay;  // s
    Node n;
    n.earth_pos = earth_position(mjd);
    n.earth_vel = (earth_position(mjd + kDiffStep) - earth_position(mjd - kDiffStep)) / span;
    n.moon_pos = moon_position(mjd);
    n.moon_vel = (moon_position(mjd + kDiffStep) - moon_position(mjd - kDiffStep)) / span;
    return n;
}

// The date the series are evaluated at: `mjd` inside the range, else the nearer end
// (J2000 for a NaN). `clamped` tells whether it differs.
double usable_mjd(double mjd, bool& clamped) {
    clamped = !(mjd >= Ephemeris::kMinMjd && mjd <= Ephemeris::kMaxMjd);
    if (!clamped) return mjd;
    if (std::isnan(mjd)) return kJ2000Mjd;
    return mjd < Ephemeris::kMinMjd ? Ephemeris::kMinMjd : Ephemeris::kMaxMjd;
}

void warn_clamped(double mjd, double used) {
    char line[160];
    std::snprintf(line, sizeof line, "ephemeris: MJD %.10g outside %.10g .. %.10g, using %.10g", mjd,
                  Ephemeris::kMinMjd, Ephemeris::kMaxMjd, used);
    log().warn(line);
}

void fill_states(double mjd, const Node& n, BodyStates& out) {
    out.pos[0] = {0, 0, 0};
    out.vel[0] = {0, 0, 0};
    out.rot[0] = identity3();
    out.pos[1] = n.earth_pos;
    out.vel[1] = n.earth_vel;
    out.rot[1] = Ephemeris::earth_rotation(mjd);
    out.pos[2] = n.earth_pos + n.moon_pos;
    out.vel[2] = n.earth_vel + n.moon_vel;
    out.rot[2] = Ephemeris::moon_rotation(n.moon_pos);
}

}  // namespace

// ============================================================================
// Rotations
// ============================================================================

MATRIX3 Ephemeris::earth_rotation(double mjd) {
    // Right-handed: spin about Z by the sidereal angle (Earth-fixed into equatorial),
    // then the tilt about X by the obliquity (equatorial into ecliptic),
    // v_ecl = Tilt . Spin . v_fixed. The pole stays at its J2000 place: precession is
    // left out, so the sidereal angle, counted from the equinox of date, puts the
    // meridians about 0.3 degrees east of their true place in 2023. Everything on and
    // around Earth uses this same matrix, so the host stays consistent with itself.
    static const double cos_e = std::cos(kObliquityDeg * kDegToRad);
    static const double sin_e = std::sin(kObliquityDeg * kDegToRad);
    const double theta = ln_get_mean_sidereal_time(mjd + kMjdToJd) * kHoursToRad;
    const double c = std::cos(theta), s = std::sin(theta);
    const MATRIX3 spin = {c, -s, 0,
                          s, c, 0,
                          0, 0, 1};
    const MATRIX3 tilt = {1, 0, 0,
                          0, cos_e, sin_e,
                          0, -sin_e, cos_e};
    return host_from_right_handed(mul(tilt, spin));
}

MATRIX3 Ephemeris::moon_rotation(const VECTOR3& moon_minus_earth) {
    // Scaled by its largest component first, so that no length overflows.
    const VECTOR3& v = moon_minus_earth;
    const double scale = std::max({std::abs(v.x), std::abs(v.y), std::abs(v.z)});
    if (!(scale > 0) || !std::isfinite(scale)) return identity3();
    const VECTOR3 x = -normalised(v / scale);
    // z = x * north (component cross product) gives det +1 with the columns (x, y, z),
    // as in every host frame (z is longitude 90 degrees, east); then y = z * x is
    // north with its part along x taken out. For north = +y, z is (-x.z, 0, x.x): no
    // cancellation, so the frame stays orthonormal however near the pole x comes. On
    // the pole itself global +z stands in for north.
    constexpr double kMinPerpendicular = 1e-12;
    VECTOR3 z = cross(x, {0, 1, 0});
    if (length(z) < kMinPerpendicular) z = cross(x, {0, 0, 1});
    z = normalised(z);
    const VECTOR3 y = cross(z, x);
    return {x.x, y.x, z.x,
            x.y, y.y, z.y,
            x.z, y.z, z.z};
}

void Ephemeris::exact_states(double mjd, BodyStates& out) {
    bool clamped = false;
    const double t = usable_mjd(mjd, clamped);
    if (clamped) warn_clamped(mjd, t);
    fill_states(t, series_node(t), out);
}

// ============================================================================
// Grid
// ============================================================================
// Node i lies at MJD i * kGridStep. The cell in use (its two nodes) is held apart from
// the map, so a run stepping forward looks nothing up until it crosses into the next
// cell.

struct Ephemeris::Impl {
    std::unordered_map<std::int64_t, Node> nodes;
    std::int64_t cell = INT64_MIN;  // index of the first node of the cell in a, b
    Node a, b;
    bool warned = false;

    const Node& node(std::int64_t i) {
        if (auto it = nodes.find(i); it != nodes.end()) return it->second;
        if (nodes.size() >= kMaxCachedNodes) nodes.clear();
        return nodes.emplace(i, series_node(double(i) * kGridStep)).first->second;
    }

    void enter_cell(std::int64_t i) {
        a = node(i);
        b = node(i + 1);
        cell = i;
    }
};

Ephemeris::Ephemeris() : impl_(std::make_unique<Impl>()) {}
Ephemeris::~Ephemeris() = default;

void Ephemeris::states(double mjd, BodyStates& out) const {
    bool clamped = false;
    const double t = usable_mjd(mjd, clamped);
    if (clamped && !impl_->warned) {
        warn_clamped(mjd, t);
        impl_->warned = true;
    }
    const double u = t / kGridStep;
    const double first = std::floor(u);
    const auto i = static_cast<std::int64_t>(first);
    if (i != impl_->cell) impl_->enter_cell(i);
    const Node& a = impl_->a;
    const Node& b = impl_->b;

    // Cubic Hermite on s in [0, 1): positions and velocities at both ends match the
    // series; velocities are the derivative of the same cubic.
    constexpr double h = kGridStep * kSecondsPerDay;  // s
    const double s = u - first, s2 = s * s, s3 = s2 * s;
    const double h00 = 2 * s3 - 3 * s2 + 1, h10 = s3 - 2 * s2 + s;
    const double h01 = -2 * s3 + 3 * s2, h11 = s3 - s2;
    const double d00 = (6 * s2 - 6 * s) / h, d10 = 3 * s2 - 4 * s + 1;
    const double d01 = (-6 * s2 + 6 * s) / h, d11 = 3 * s2 - 2 * s;
    auto pos = [&](const VECTOR3& p0, const VECTOR3& v0, const VECTOR3& p1, const VECTOR3& v1) {
        return p0 * h00 + v0 * (h10 * h) + p1 * h01 + v1 * (h11 * h);
    };
    auto vel = [&](const VECTOR3& p0, const VECTOR3& v0, const VECTOR3& p1, const VECTOR3& v1) {
        return p0 * d00 + v0 * d10 + p1 * d01 + v1 * d11;
    };
    Node n;
    n.earth_pos = pos(a.earth_pos, a.earth_vel, b.earth_pos, b.earth_vel);
    n.earth_vel = vel(a.earth_pos, a.earth_vel, b.earth_pos, b.earth_vel);
    n.moon_pos = pos(a.moon_pos, a.moon_vel, b.moon_pos, b.moon_vel);
    n.moon_vel = vel(a.moon_pos, a.moon_vel, b.moon_pos, b.moon_vel);
    fill_states(t, n, out);
}

}  // namespace sim
