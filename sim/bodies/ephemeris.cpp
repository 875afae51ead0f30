// Placeholder ephemeris (circular orbits) until the libnova-based one lands.
#include "sim/bodies/ephemeris.h"

#include <cmath>

namespace sim {

struct Ephemeris::Impl {};
Ephemeris::Ephemeris() = default;
Ephemeris::~Ephemeris() = default;

void Ephemeris::exact_states(double mjd, BodyStates& out) {
    const double t = (mjd - 51544.5) * 86400.0;
    const double au = 1.495978707e11, we = 2 * M_PI / (365.25636 * 86400.0);
    out.pos[0] = {0, 0, 0};
    out.vel[0] = {0, 0, 0};
    out.pos[1] = {au * std::cos(we * t), 0, au * std::sin(we * t)};
    out.vel[1] = {-au * we * std::sin(we * t), 0, au * we * std::cos(we * t)};
    const double rm = 3.844e8, wm = 2 * M_PI / (27.321661 * 86400.0);
    out.pos[2] = {out.pos[1].x + rm * std::cos(wm * t), 0, out.pos[1].z + rm * std::sin(wm * t)};
    out.vel[2] = {out.vel[1].x - rm * wm * std::sin(wm * t), 0, out.vel[1].z + rm * wm * std::cos(wm * t)};
    out.rot[0] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    out.rot[1] = earth_rotation(mjd);
    out.rot[2] = moon_rotation({out.pos[2].x - out.pos[1].x, 0, out.pos[2].z - out.pos[1].z});
}

void Ephemeris::states(double mjd, BodyStates& out) const { exact_states(mjd, out); }

MATRIX3 Ephemeris::earth_rotation(double mjd) {
    const double theta = std::fmod(280.46061837 + 360.98564736629 * (mjd - 51544.5), 360.0) * M_PI / 180;
    const double c = std::cos(theta), s = std::sin(theta);
    return {c, 0, -s, 0, 1, 0, s, 0, c};
}

MATRIX3 Ephemeris::moon_rotation(const VECTOR3& d) {
    const double l = std::sqrt(d.x * d.x + d.z * d.z);
    const double x = -d.x / l, z = -d.z / l;
    return {x, 0, -z, 0, 1, 0, z, 0, x};
}

}  // namespace sim
