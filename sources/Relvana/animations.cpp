// Relvana: the two mesh animations.
//
// Animation 0 deploys the satellite over its state range 0 to 1: two chains of four
// hinged parts (each part after the first turns with its predecessor, then a further
// half turn about an axis of opposite sense), two parts that swing about y in opposite
// senses, one rotation of a group set that holds those two parts' groups as well, and
// two single-group rotations. Animation 1 turns the whole mesh by -1.57 rad about x.
// Angles are the tables' own figures (1.57, 3.142), stored in single precision.
#include "Relvana.h"

namespace {

constexpr UINT kMainMesh = 0;            // the vessel's only mesh
constexpr int kDefaultStatusCode = -2;   // status code of both animations
constexpr double kInitialState = 0.0;

constexpr float kQuarterTurn = 1.57f;    // rad
constexpr float kHalfTurn = 3.142f;      // rad

// Deployment phases (animation states).
constexpr double kHingesStart = 0.0, kHingesEnd = 0.45;
constexpr double kSwingStart = 0.5, kSwingEnd = 0.75;
constexpr double kTiltStart = 0.75, kTiltEnd = 1.0;
constexpr double kFlapsStart = 0.7, kFlapsEnd = 0.95;

// Mesh group lists: the number of groups, then the group numbers.
constexpr UINT kGroupsHingeA0[] = {1, 6};
constexpr UINT kGroupsHingeA1[] = {1, 8};
constexpr UINT kGroupsHingeA2[] = {1, 10};
constexpr UINT kGroupsHingeA3[] = {1, 12};
constexpr UINT kGroupsHingeB0[] = {1, 7};
constexpr UINT kGroupsHingeB1[] = {1, 9};
constexpr UINT kGroupsHingeB2[] = {1, 11};
constexpr UINT kGroupsHingeB3[] = {1, 13};
constexpr UINT kGroupsSwingLeft[] = {2, 2, 19};
constexpr UINT kGroupsSwingRight[] = {2, 3, 20};
constexpr UINT kGroupsTilt[] = {5, 0, 2, 3, 19, 20};
constexpr UINT kGroupsFlapRight[] = {1, 14};
constexpr UINT kGroupsFlapLeft[] = {1, 16};
constexpr UINT kGroupsWholeMesh[] = {21, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};

// A component as the tables give it (every component here is a rotation of mesh 0).
struct COMP_DEF {
    int sequence;
    const UINT* groups;  // group list
    VECTOR3 reference;   // m
    VECTOR3 axis;
    float angle;         // rad
    double stateStart, stateEnd;
    int parentSequence;
};

constexpr int kDeployCount = 13;
constexpr COMP_DEF kDeployComponents[kDeployCount] = {
    {0, kGroupsHingeA0, {0, 0.566, -1.437}, {1, 0, 0}, kQuarterTurn, kHingesStart, kHingesEnd, ANIM_NO_PARENT},
    {1, kGroupsHingeA1, {0, -0.615, -1.452}, {-1, 0, 0}, kHalfTurn, kHingesStart, kHingesEnd, 0},
    {2, kGroupsHingeA2, {0, 0.436, -1.482}, {1, 0, 0}, kHalfTurn, kHingesStart, kHingesEnd, 1},
    {3, kGroupsHingeA3, {0, -0.615, -1.512}, {-1, 0, 0}, kHalfTurn, kHingesStart, kHingesEnd, 2},
    {4, kGroupsHingeB0, {0, 0.566, 0.127}, {-1, 0, 0}, kQuarterTurn, kHingesStart, kHingesEnd, ANIM_NO_PARENT},
    {5, kGroupsHingeB1, {0, -0.615, 0.142}, {1, 0, 0}, kHalfTurn, kHingesStart, kHingesEnd, 4},
    {6, kGroupsHingeB2, {0, 0.436, 0.172}, {-1, 0, 0}, kHalfTurn, kHingesStart, kHingesEnd, 5},
    {7, kGroupsHingeB3, {0, -0.615, 0.202}, {1, 0, 0}, kHalfTurn, kHingesStart, kHingesEnd, 6},
    {8, kGroupsSwingLeft, {-0.782, 0, -0.656}, {0, -1, 0}, kQuarterTurn, kSwingStart, kSwingEnd, ANIM_NO_PARENT},
    {9, kGroupsSwingRight, {0.782, 0, -0.656}, {0, 1, 0}, kQuarterTurn, kSwingStart, kSwingEnd, ANIM_NO_PARENT},
    {10, kGroupsTilt, {0, 0, -0.656}, {1, 0, 0}, kQuarterTurn, kTiltStart, kTiltEnd, ANIM_NO_PARENT},
    {11, kGroupsFlapRight, {0.3, -0.792, -0.168}, {-1, 0, 0}, kHalfTurn, kFlapsStart, kFlapsEnd, ANIM_NO_PARENT},
    {12, kGroupsFlapLeft, {-0.3, -0.792, -1.145}, {1, 0, 0}, kHalfTurn, kFlapsStart, kFlapsEnd, ANIM_NO_PARENT},
};

constexpr int kTurnCount = 1;
constexpr COMP_DEF kTurnComponents[kTurnCount] = {
    {13, kGroupsWholeMesh, {0, 0, 0}, {1, 0, 0}, -kQuarterTurn, 0.0, 1.0, ANIM_NO_PARENT},
};

// Fills `slot` from a table: status code, states, and for each component its own group
// list (a copy of the table's) and its record.
void FillSlot(ANIM_SLOT& slot, const COMP_DEF* table, int count) {
    slot.statusCode = kDefaultStatusCode;
    slot.animState = kInitialState;
    slot.initialState = kInitialState;
    slot.componentCount = count;
    slot.groupLists.clear();
    slot.components.clear();
    for (int c = 0; c < count; ++c) {
        const COMP_DEF& def = table[c];
        slot.groupLists.emplace_back(def.groups, def.groups + 1 + def.groups[0]);
        ANIM_COMP comp;
        comp.mesh = kMainMesh;
        comp.sequence = def.sequence;
        comp.kind = ANIM_KIND_ROTATE;
        comp.groupList = c;
        comp.parentSequence = def.parentSequence;
        comp.reference = def.reference;
        comp.vector = def.axis;
        comp.angle = def.angle;
        comp.stateStart = def.stateStart;
        comp.stateEnd = def.stateEnd;
        slot.components.push_back(std::move(comp));
    }
}

}  // namespace

void Relvana::DefineAnimations() {
    FillSlot(anim[0], kDeployComponents, kDeployCount);
    FillSlot(anim[1], kTurnComponents, kTurnCount);
    RegisterAnimations(*this, anim);
}
