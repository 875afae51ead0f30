// Relvana: the two mesh animations, as registered with the host and as the host moves
// the mesh groups; and the table-driven registration on tables of its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "host_fixture.h"
#include "sim/core/vecmath.h"
#include "sources/Relvana/anim_records.h"

namespace relvana_test {
namespace {

using sim::operator+;
using sim::operator-;

using ::testing::ElementsAreArray;

// One component as the tables give it, in registration order (sequence 0 to 13).
struct TableComponent {
    std::vector<UINT> groups;
    VECTOR3 ref;
    VECTOR3 axis;
    float angle;
    double start, end;
    int parent;  // registration index of the parent, -1 for none
};

const std::vector<TableComponent> kTable = {
    {{6}, {0, 0.566, -1.437}, {1, 0, 0}, 1.57f, 0, 0.45, -1},
    {{8}, {0, -0.615, -1.452}, {-1, 0, 0}, 3.142f, 0, 0.45, 0},
    {{10}, {0, 0.436, -1.482}, {1, 0, 0}, 3.142f, 0, 0.45, 1},
    {{12}, {0, -0.615, -1.512}, {-1, 0, 0}, 3.142f, 0, 0.45, 2},
    {{7}, {0, 0.566, 0.127}, {-1, 0, 0}, 1.57f, 0, 0.45, -1},
    {{9}, {0, -0.615, 0.142}, {1, 0, 0}, 3.142f, 0, 0.45, 4},
    {{11}, {0, 0.436, 0.172}, {-1, 0, 0}, 3.142f, 0, 0.45, 5},
    {{13}, {0, -0.615, 0.202}, {1, 0, 0}, 3.142f, 0, 0.45, 6},
    {{2, 19}, {-0.782, 0, -0.656}, {0, -1, 0}, 1.57f, 0.5, 0.75, -1},
    {{3, 20}, {0.782, 0, -0.656}, {0, 1, 0}, 1.57f, 0.5, 0.75, -1},
    {{0, 2, 3, 19, 20}, {0, 0, -0.656}, {1, 0, 0}, 1.57f, 0.75, 1, -1},
    {{14}, {0.3, -0.792, -0.168}, {-1, 0, 0}, 3.142f, 0.7, 0.95, -1},
    {{16}, {-0.3, -0.792, -1.145}, {1, 0, 0}, 3.142f, 0.7, 0.95, -1},
    {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}, {0, 0, 0}, {1, 0, 0}, -1.57f, 0, 1, -1},
};
constexpr int kMeshGroups = 21;

// The components that move each group of animation 0, the one applied first first: a
// hinged part turns by itself, then with each of its ancestors; parts in two unlinked
// components turn in registration order.
const std::map<UINT, std::vector<int>> kDeployChains = {
    {6, {0}},  {8, {1, 0}},  {10, {2, 1, 0}},  {12, {3, 2, 1, 0}},
    {7, {4}},  {9, {5, 4}},  {11, {6, 5, 4}},  {13, {7, 6, 5, 4}},
    {2, {8, 10}}, {19, {8, 10}}, {3, {9, 10}}, {20, {9, 10}}, {0, {10}},
    {14, {11}}, {16, {12}},
};

sim::Affine Identity() { return {sim::identity3(), {0, 0, 0}}; }

// The turn of component c by the fraction f of its angle, about its reference point.
sim::Affine Turn(int c, double f) {
    const TableComponent& t = kTable[std::size_t(c)];
    const MATRIX3 r = sim::rotation(t.axis, f * double(t.angle));
    return {r, t.ref - sim::mul(r, t.ref)};
}

// a after b.
sim::Affine After(const sim::Affine& a, const sim::Affine& b) {
    return {sim::mul(a.rot, b.rot), sim::mul(a.rot, b.offset) + a.offset};
}

double Fraction(int c, double state) {
    const TableComponent& t = kTable[std::size_t(c)];
    return std::clamp((state - t.start) / (t.end - t.start), 0.0, 1.0);
}

// Where group g ends up with animation 0 at `deploy` and animation 1 at `turn`.
sim::Affine Expected(UINT g, double deploy, double turn) {
    sim::Affine m = Identity();
    const auto chain = kDeployChains.find(g);
    if (chain != kDeployChains.end()) {
        for (int c : chain->second) m = After(Turn(c, Fraction(c, deploy)), m);
    }
    return After(Turn(13, Fraction(13, turn)), m);
}

void ExpectNear(const sim::Affine& got, const sim::Affine& want) {
    const double* g = &got.rot.m11;
    const double* w = &want.rot.m11;
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(g[i], w[i], 1e-12) << "rotation element " << i;
    EXPECT_NEAR(got.offset.x, want.offset.x, 1e-12);
    EXPECT_NEAR(got.offset.y, want.offset.y, 1e-12);
    EXPECT_NEAR(got.offset.z, want.offset.z, 1e-12);
}

using Animations = HostTest;

TEST_F(Animations, FourteenComponentsInSequenceOrderWithTheirTables) {
    const OBJHANDLE h = CreateRelay("Relay-1");
    const sim::Vessel& v = VesselOf(h);
    ASSERT_EQ(v.animations.size(), 2u);
    ASSERT_EQ(v.components.size(), kTable.size());
    const UINT deploy = v.components[0].animation;
    const UINT turn = v.components[13].animation;
    EXPECT_NE(deploy, turn);
    for (const sim::Animation& a : v.animations) EXPECT_EQ(a.default_state, 0.0);
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        SCOPED_TRACE("component " + std::to_string(i));
        const sim::AnimationComponent& c = v.components[i];
        const TableComponent& t = kTable[i];
        EXPECT_EQ(c.animation, i < 13 ? deploy : turn);
        EXPECT_EQ(c.state0, t.start);
        EXPECT_EQ(c.state1, t.end);
        EXPECT_EQ(c.parent, t.parent);
        ASSERT_NE(c.transform, nullptr);
        ASSERT_EQ(c.transform->Type(), MGROUP_TRANSFORM::ROTATE);
        const auto* r = static_cast<const MGROUP_ROTATE*>(c.transform);
        EXPECT_EQ(r->mesh, 0u);
        EXPECT_THAT(std::vector<UINT>(r->grp, r->grp + r->ngrp), ElementsAreArray(t.groups));
        EXPECT_EQ(r->ref.x, t.ref.x);
        EXPECT_EQ(r->ref.y, t.ref.y);
        EXPECT_EQ(r->ref.z, t.ref.z);
        EXPECT_EQ(r->axis.x, t.axis.x);
        EXPECT_EQ(r->axis.y, t.axis.y);
        EXPECT_EQ(r->axis.z, t.axis.z);
        EXPECT_EQ(r->angle, t.angle);
    }
}

// Group transforms at the animation states that end or begin a phase.
struct StateCase {
    double deploy, turn;
};

TEST_F(Animations, GroupsEndUpWhereTheTablesTakeThem) {
    const OBJHANDLE h = CreateRelay("Relay-1");
    const sim::Vessel& v = VesselOf(h);
    const UINT deploy = v.components[0].animation;
    const UINT turn = v.components[13].animation;
    for (const StateCase& s : {StateCase{0.45, 0}, StateCase{1, 0}, StateCase{0, 1}, StateCase{1, 1}}) {
        SCOPED_TRACE("deploy " + std::to_string(s.deploy) + ", turn " + std::to_string(s.turn));
        v.iface->SetAnimation(deploy, s.deploy);
        v.iface->SetAnimation(turn, s.turn);
        for (UINT g = 0; g < kMeshGroups; ++g) {
            SCOPED_TRACE("group " + std::to_string(g));
            ExpectNear(v.group_transform(0, g), Expected(g, s.deploy, s.turn));
        }
    }
}

TEST_F(Animations, AtStateOfTheHingesTheirPartsHaveTurnedAndNoOtherHasStarted) {
    const OBJHANDLE h = CreateRelay("Relay-1");
    const sim::Vessel& v = VesselOf(h);
    v.iface->SetAnimation(v.components[0].animation, 0.45);
    for (UINT g : {6u, 8u, 10u, 12u, 7u, 9u, 11u, 13u}) {
        const MATRIX3 r = v.group_transform(0, g).rot;
        EXPECT_FALSE(r.m11 == 1 && r.m22 == 1 && r.m33 == 1) << "group " << g << " has not turned";
    }
    for (UINT g : {0u, 1u, 2u, 3u, 4u, 5u, 14u, 15u, 16u, 17u, 18u, 19u, 20u}) {
        SCOPED_TRACE("group " + std::to_string(g));
        ExpectNear(v.group_transform(0, g), Identity());
    }
}

TEST_F(Animations, WholeMeshTurnIsMinusQuarterTurnAboutXThroughTheOrigin) {
    const OBJHANDLE h = CreateRelay("Relay-1");
    const sim::Vessel& v = VesselOf(h);
    v.iface->SetAnimation(v.components[13].animation, 1.0);
    const sim::Affine want{sim::rotation({1, 0, 0}, double(-1.57f)), {0, 0, 0}};
    for (UINT g = 0; g < kMeshGroups; ++g) {
        SCOPED_TRACE("group " + std::to_string(g));
        ExpectNear(v.group_transform(0, g), want);
    }
}

TEST_F(Animations, TwoSatellitesOwnTheirRecordsAndTransforms) {
    const OBJHANDLE a = CreateRelay("Relay-A", {1, 0, 0});
    const OBJHANDLE b = CreateRelay("Relay-B", {0, 0, 1});
    std::set<const void*> of_a;
    for (const sim::AnimationComponent& c : VesselOf(a).components) {
        of_a.insert(c.transform);
        of_a.insert(c.transform->grp);
    }
    for (const sim::AnimationComponent& c : VesselOf(b).components) {
        EXPECT_EQ(of_a.count(c.transform), 0u);
        EXPECT_EQ(of_a.count(c.transform->grp), 0u);
    }
    // Moving one leaves the other; removing one leaves the other's transforms intact.
    VesselOf(a).iface->SetAnimation(VesselOf(a).components[0].animation, 1.0);
    ExpectNear(VesselOf(b).group_transform(0, 12), Identity());
    ASSERT_TRUE(oapiDeleteVessel(a, nullptr));
    sim.step(1.0);
    EXPECT_EQ(sim.vessel(a), nullptr);
    for (UINT g = 0; g < kMeshGroups; ++g) ExpectNear(VesselOf(b).group_transform(0, g), Expected(g, 1, 1));
}

// --- The registration routine on tables of its own -------------------------------------------

struct CompSpec {
    int sequence;
    int parentSequence;
};

void Fill(ANIM_SLOT& slot, const std::vector<CompSpec>& specs) {
    slot.componentCount = int(specs.size());
    slot.groupLists = {{1, 0}};
    slot.components.clear();
    for (const CompSpec& s : specs) {
        ANIM_COMP c;
        c.sequence = s.sequence;
        c.parentSequence = s.parentSequence;
        c.vector = {1, 0, 0};
        c.angle = 1.0f;
        // The start state names the component in the host's list.
        c.stateStart = s.sequence * 0.1;
        c.stateEnd = 1.0;
        slot.components.push_back(std::move(c));
    }
}

using Registration = HostTest;

TEST_F(Registration, FollowsSequenceNumbersAndLinksOnlyToEarlierParents) {
    ANIM_SLOT anim[ANIM_COUNT];
    // Six components in all; table order is not sequence order.
    Fill(anim[0], {{2, 0},      // parent registered earlier: linked
                   {0, -1},     // no parent
                   {3, 6},      // parent sequence not below the total
                   {1, 2}});    // parent registered later
    Fill(anim[1], {{4, 3},      // parent in the other animation
                   {5, 1000}});
    const OBJHANDLE h = CreatePlain("Plain");
    sim::Vessel& v = VesselOf(h);
    RegisterAnimations(*v.iface, anim);

    ASSERT_EQ(v.animations.size(), 2u);
    ASSERT_EQ(v.components.size(), 6u);
    const int parents[6] = {-1, -1, 0, -1, 3, -1};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE("sequence " + std::to_string(i));
        EXPECT_DOUBLE_EQ(v.components[std::size_t(i)].state0, i * 0.1);
        EXPECT_EQ(v.components[std::size_t(i)].parent, parents[i]);
        EXPECT_EQ(v.components[std::size_t(i)].animation, i < 4 ? anim[0].animHandle : anim[1].animHandle);
    }
    // Each record keeps the handle the host gave it, and its own transform.
    const ANIM_COMP* by_sequence[6] = {&anim[0].components[1], &anim[0].components[3], &anim[0].components[0],
                                       &anim[0].components[2], &anim[1].components[0], &anim[1].components[1]};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(sim::raw(by_sequence[i]->componentHandle), v.components[std::size_t(i)].handle);
        EXPECT_EQ(by_sequence[i]->transform.get(), v.components[std::size_t(i)].transform);
    }
    sim.end_run();  // the host lets go of the transforms before the records go
}

TEST_F(Registration, BuildsEachKindOfTransformFromItsFields) {
    ANIM_SLOT anim[ANIM_COUNT];
    Fill(anim[0], {{0, -1}, {1, -1}, {2, -1}, {3, -1}, {4, -1}});
    anim[0].groupLists = {{2, 4, 5}, {5, 7}};
    ANIM_COMP* c = anim[0].components.data();
    c[0].kind = ANIM_KIND_ROTATE;
    c[0].groupList = 0;
    c[0].reference = {1, 2, 3};
    c[1].kind = ANIM_KIND_TRANSLATE;
    c[1].groupList = 1;  // counts more groups than the list holds: cut to the one there
    c[1].vector = {0, 0, 2};
    c[2].kind = ANIM_KIND_SCALE;
    c[2].groupList = 0;
    c[2].reference = {1, 1, 1};
    c[2].vector = {2, 2, 2};
    c[3].kind = ANIM_KIND_ROTATE;
    c[3].groupList = 7;  // no such list: moves nothing
    c[4].kind = 9;       // no such kind: not registered
    anim[1].componentCount = 0;
    const OBJHANDLE h = CreatePlain("Plain");
    sim::Vessel& v = VesselOf(h);
    RegisterAnimations(*v.iface, anim);

    ASSERT_EQ(v.components.size(), 4u);
    const auto* rot = static_cast<const MGROUP_ROTATE*>(v.components[0].transform);
    ASSERT_EQ(rot->Type(), MGROUP_TRANSFORM::ROTATE);
    EXPECT_THAT(std::vector<UINT>(rot->grp, rot->grp + rot->ngrp), ElementsAreArray({4u, 5u}));
    EXPECT_EQ(rot->ref.z, 3.0);
    const auto* shift = static_cast<const MGROUP_TRANSLATE*>(v.components[1].transform);
    ASSERT_EQ(shift->Type(), MGROUP_TRANSFORM::TRANSLATE);
    EXPECT_THAT(std::vector<UINT>(shift->grp, shift->grp + shift->ngrp), ElementsAreArray({7u}));
    EXPECT_EQ(shift->shift.z, 2.0);
    const auto* scale = static_cast<const MGROUP_SCALE*>(v.components[2].transform);
    ASSERT_EQ(scale->Type(), MGROUP_TRANSFORM::SCALE);
    EXPECT_EQ(scale->scale.x, 2.0);
    EXPECT_EQ(v.components[3].transform->ngrp, 0u);
    EXPECT_EQ(c[4].transform, nullptr);
    EXPECT_EQ(c[4].componentHandle, nullptr);
    sim.end_run();
}

}  // namespace
}  // namespace relvana_test
