#include "sim/vessels/vessel.h"

#include <algorithm>
#include <cmath>

#include "sim/core/vecmath.h"

namespace sim {

const SetterCall* Vessel::last_call(const std::string& name) const {
    for (auto it = setter_calls.rbegin(); it != setter_calls.rend(); ++it)
        if (it->name == name) return &*it;
    return nullptr;
}

namespace {

Affine identity_affine() { return {identity3(), {0, 0, 0}}; }

// a after b: p -> a(b(p)).
Affine compose(const Affine& a, const Affine& b) { return {mul(a.rot, b.rot), mul(a.rot, b.offset) + a.offset}; }

Affine inverse(const Affine& a) {
    const MATRIX3& m = a.rot;
    const double det = m.m11 * (m.m22 * m.m33 - m.m23 * m.m32) - m.m12 * (m.m21 * m.m33 - m.m23 * m.m31) +
                       m.m13 * (m.m21 * m.m32 - m.m22 * m.m31);
    if (det == 0) return identity_affine();  // a scale by zero has no inverse; treat as rigid
    const double k = 1.0 / det;
    MATRIX3 inv{(m.m22 * m.m33 - m.m23 * m.m32) * k, (m.m13 * m.m32 - m.m12 * m.m33) * k,
                (m.m12 * m.m23 - m.m13 * m.m22) * k, (m.m23 * m.m31 - m.m21 * m.m33) * k,
                (m.m11 * m.m33 - m.m13 * m.m31) * k, (m.m13 * m.m21 - m.m11 * m.m23) * k,
                (m.m21 * m.m32 - m.m22 * m.m31) * k, (m.m12 * m.m31 - m.m11 * m.m32) * k,
                (m.m11 * m.m22 - m.m12 * m.m21) * k};
    return {inv, -mul(inv, a.offset)};
}

// How far a component has moved at animation state `state`: 0 before its start, 1 after
// its end, linear between.
double progress(const AnimationComponent& c, double state) {
    if (c.state1 <= c.state0) return state >= c.state1 ? 1.0 : 0.0;
    return std::clamp((state - c.state0) / (c.state1 - c.state0), 0.0, 1.0);
}

// The component's own motion at progress f, in the vessel frame as the mesh was built.
Affine local_motion(const MGROUP_TRANSFORM& t, double f) {
    switch (t.Type()) {
        case MGROUP_TRANSFORM::ROTATE: {
            const auto& r = static_cast<const MGROUP_ROTATE&>(t);
            const MATRIX3 rot = rotation(r.axis, double(r.angle) * f);
            return {rot, r.ref - mul(rot, r.ref)};
        }
        case MGROUP_TRANSFORM::TRANSLATE: {
            const auto& tr = static_cast<const MGROUP_TRANSLATE&>(t);
            return {identity3(), tr.shift * f};
        }
        case MGROUP_TRANSFORM::SCALE: {
            const auto& s = static_cast<const MGROUP_SCALE&>(t);
            const MATRIX3 d{1 + (s.scale.x - 1) * f, 0, 0, 0, 1 + (s.scale.y - 1) * f, 0, 0, 0, 1 + (s.scale.z - 1) * f};
            return {d, s.ref - mul(d, s.ref)};
        }
        default:
            return identity_affine();
    }
}

bool moves_group(const AnimationComponent& c, UINT mesh, UINT group) {
    if (!c.transform || c.transform->mesh != mesh || !c.transform->grp) return false;
    return std::find(c.transform->grp, c.transform->grp + c.transform->ngrp, group) != c.transform->grp + c.transform->ngrp;
}

}  // namespace

Affine Vessel::group_transform(UINT mesh, UINT group) const {
    const std::size_t n = components.size();
    // affects[i]: component i moves the group, directly or through a descendant.
    std::vector<bool> affects(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        if (!moves_group(components[i], mesh, group)) continue;
        for (int j = int(i); j >= 0; j = components[std::size_t(j)].parent) {
            if (affects[std::size_t(j)]) break;
            affects[std::size_t(j)] = true;
        }
    }
    // frame[i]: where the component's ancestors have taken its frame; motion[i]: its own
    // motion there. Parents are registered before their children, so one pass in
    // registration order sees every parent first.
    std::vector<Affine> frame(n, identity_affine()), motion(n, identity_affine());
    Affine g = identity_affine();
    for (std::size_t i = 0; i < n; ++i) {
        const AnimationComponent& c = components[i];
        if (c.parent >= 0 && std::size_t(c.parent) < i)
            frame[i] = compose(frame[std::size_t(c.parent)], motion[std::size_t(c.parent)]);
        const double state = c.animation < animations.size() ? animations[c.animation].state : 0.0;
        motion[i] = c.transform ? local_motion(*c.transform, progress(c, state)) : identity_affine();
        if (affects[i]) g = compose(compose(compose(frame[i], motion[i]), inverse(frame[i])), g);
    }
    return g;
}

}  // namespace sim
