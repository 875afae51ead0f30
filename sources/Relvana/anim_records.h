// The relay satellite's animation records and the table-driven routine that turns them
// into host transforms, host animations and host animation components.
//
// Each animation is one ANIM_SLOT; each moving part of the mesh one ANIM_COMP. The
// order in which components are handed to the host is fixed by their sequence numbers,
// not by their place in the tables, and a child names its parent by sequence number.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

#include "host/vessel.h"

// Number of animations of a relay satellite (index 0: deployment, 1: whole-mesh turn).
constexpr int ANIM_COUNT = 2;

// Component kinds.
constexpr int ANIM_KIND_ROTATE = 0;     // MGROUP_ROTATE about `reference`, axis `vector`, by `angle`
constexpr int ANIM_KIND_TRANSLATE = 1;  // MGROUP_TRANSLATE by the shift `vector`
constexpr int ANIM_KIND_SCALE = 2;      // MGROUP_SCALE about `reference` by the factors `vector`

// Sequence number of no component (a component without a parent).
constexpr int ANIM_NO_PARENT = -1;

// A mesh group list: element 0 is the number of groups, followed by that many group
// numbers.
typedef std::vector<UINT> GROUP_LIST;

struct ANIM_COMP {
    UINT mesh = 0;              // mesh index within the vessel
    int sequence = 0;           // registration order; unique over both animations
    int kind = ANIM_KIND_ROTATE;
    int groupList = 0;          // index into the animation's groupLists
    int parentSequence = ANIM_NO_PARENT;
    VECTOR3 reference{0, 0, 0}; // vessel frame, m
    VECTOR3 vector{0, 0, 0};    // axis, shift (m) or scale factors
    float angle = 0.0f;         // rad
    double stateStart = 0.0;
    double stateEnd = 1.0;
    std::unique_ptr<MGROUP_TRANSFORM> transform;         // the host keeps a pointer to it
    ANIMATIONCOMPONENT_HANDLE componentHandle = nullptr;  // null until registered
};

struct ANIM_SLOT {
    UINT animHandle = 0;        // as CreateAnimation returns it
    int statusCode = 0;         // first value of the scenario line
    double animState = 0.0;     // second value of the scenario line
    double initialState = 0.0;  // handed to CreateAnimation
    int componentCount = 0;
    std::vector<GROUP_LIST> groupLists;
    std::vector<ANIM_COMP> components;
};

// Number of components of `slot` that take part: componentCount, kept within the table
// that is actually there.
inline int ComponentsInUse(const ANIM_SLOT& slot) {
    return std::clamp(slot.componentCount, 0, int(slot.components.size()));
}

// The transform object of `comp`, over the groups of its group list. A group-list index
// outside the table gives a transform of no groups, a count beyond the list's numbers is
// cut to them; an unknown kind gives no transform (the component is then not registered).
inline std::unique_ptr<MGROUP_TRANSFORM> MakeTransform(ANIM_SLOT& slot, const ANIM_COMP& comp) {
    UINT* groups = nullptr;
    UINT count = 0;
    if (comp.groupList >= 0 && std::size_t(comp.groupList) < slot.groupLists.size()) {
        GROUP_LIST& list = slot.groupLists[std::size_t(comp.groupList)];
        if (!list.empty()) {
            groups = list.data() + 1;
            count = std::min<UINT>(list[0], UINT(list.size() - 1));
        }
    }
    switch (comp.kind) {
    case ANIM_KIND_ROTATE:
        return std::make_unique<MGROUP_ROTATE>(comp.mesh, groups, count, comp.reference, comp.vector, comp.angle);
    case ANIM_KIND_TRANSLATE:
        return std::make_unique<MGROUP_TRANSLATE>(comp.mesh, groups, count, comp.vector);
    case ANIM_KIND_SCALE:
        return std::make_unique<MGROUP_SCALE>(comp.mesh, groups, count, comp.reference, comp.vector);
    default:
        return nullptr;
    }
}

// The first component of `slot`, in table order, whose sequence number is `sequence`;
// null when there is none.
inline ANIM_COMP* FindComponent(ANIM_SLOT& slot, int sequence) {
    const int count = ComponentsInUse(slot);
    for (int c = 0; c < count; ++c) {
        if (slot.components[std::size_t(c)].sequence == sequence) return &slot.components[std::size_t(c)];
    }
    return nullptr;
}

// The component handle of the component with sequence number `sequence`, searched over
// all animations in table order, the last match winning; null when none has it (or it
// is not registered yet).
inline ANIMATIONCOMPONENT_HANDLE ParentHandle(ANIM_SLOT (&anim)[ANIM_COUNT], int sequence) {
    ANIMATIONCOMPONENT_HANDLE handle = nullptr;
    for (ANIM_SLOT& slot : anim) {
        const int count = ComponentsInUse(slot);
        for (int c = 0; c < count; ++c) {
            if (slot.components[std::size_t(c)].sequence == sequence) handle = slot.components[std::size_t(c)].componentHandle;
        }
    }
    return handle;
}

// Registers the filled records of `anim` with the host on `vessel`: builds every
// component's transform, creates the host animations (animHandle), then hands the
// components to the host in increasing sequence order 0 .. total-1 (total: the sum of
// the component counts), animation 0 before animation 1 within a sequence number.
// A component's parent is the component whose sequence number it names, if that one is
// registered already; a parent sequence of -1, not below the total, or naming a
// component registered later gives no parent. Components whose sequence lies outside
// 0 .. total-1 are not registered. Can't fail; host results are stored as they come.
inline void RegisterAnimations(const VESSEL& vessel, ANIM_SLOT (&anim)[ANIM_COUNT]) {
    for (ANIM_SLOT& slot : anim) {
        for (ANIM_COMP& comp : slot.components) comp.componentHandle = nullptr;
    }
    int total = 0;
    for (ANIM_SLOT& slot : anim) {
        const int count = ComponentsInUse(slot);
        for (int c = 0; c < count; ++c) {
            ANIM_COMP& comp = slot.components[std::size_t(c)];
            comp.transform = MakeTransform(slot, comp);
        }
        slot.animHandle = vessel.CreateAnimation(slot.initialState);
        total += count;
    }
    for (int s = 0; s < total; ++s) {
        for (ANIM_SLOT& slot : anim) {
            ANIM_COMP* comp = FindComponent(slot, s);
            if (!comp || !comp->transform) continue;
            ANIMATIONCOMPONENT_HANDLE parent = nullptr;
            if (comp->parentSequence >= 0 && comp->parentSequence < total) parent = ParentHandle(anim, comp->parentSequence);
            comp->componentHandle = vessel.AddAnimationComponent(slot.animHandle, comp->stateStart, comp->stateEnd,
                                                                 comp->transform.get(), parent);
        }
    }
}
