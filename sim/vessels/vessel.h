// The host's side of objects: celestial bodies and vessels.
//
// A Vessel holds everything the host knows of one vessel: its class and module, its
// state of motion, its attitude, every property its class set through the VESSEL
// setters (in call order, for inspection), its meshes and animations, and the scenario
// lines it keeps for the class. Bodies are Sun, Earth and Moon; their state comes from
// the ephemeris at the current MJD.
#pragma once

#include <string>
#include <vector>

#include "host/vessel.h"
#include "sim/core/handles.h"
#include "sim/vessels/vessel_state.h"

namespace sim {

class Module;

enum class ObjectType { Body, Vessel };
enum class BodyId : int { Sun = 0, Earth = 1, Moon = 2 };

class Object {
public:
    Object(ObjectType type, std::string name) : type_(type), name_(std::move(name)) {}
    virtual ~Object() = default;
    ObjectType type() const { return type_; }
    const std::string& name() const { return name_; }

private:
    ObjectType type_;
    std::string name_;
};

class Body : public Object {
public:
    Body(BodyId id, std::string name, double radius, double gm)
        : Object(ObjectType::Body, std::move(name)), id(id), radius(radius), gm(gm) {}
    BodyId id;
    double radius;  // m
    double gm;      // m^3/s^2
};

// One VESSEL setter call as the class made it: its name and its arguments as doubles
// (vectors flattened x, y, z; flags 0/1).
struct SetterCall {
    std::string name;
    std::vector<double> values;
};

struct VesselMesh {
    MESHHANDLE mesh;
    VECTOR3 offset;
    WORD visibility = 0;
};

struct AnimationComponent {
    RawHandle handle = 0;     // its ANIMATIONCOMPONENT_HANDLE
    UINT animation = 0;       // animation identifier within the vessel
    double state0 = 0, state1 = 1;
    MGROUP_TRANSFORM* transform = nullptr;  // owned by the vessel module
    int parent = -1;          // index into Vessel::components, or -1
};

struct Animation {
    double default_state = 0;
    double state = 0;
};

// An affine map p -> rot . p + offset (vessel frame, metres).
struct Affine {
    MATRIX3 rot;
    VECTOR3 offset;
};

class Vessel : public Object {
public:
    Vessel(std::string name, std::string class_name) : Object(ObjectType::Vessel, std::move(name)), class_name(std::move(class_name)) {}

    std::string class_name;
    Module* module = nullptr;      // null: a plain vessel with the host's base behaviour
    VESSEL* iface = nullptr;       // from ovcInit, or the host's own VESSEL2 for plain vessels
    VESSEL2* iface2 = nullptr;     // the same object as VESSEL2 (null if it is not one)
    bool own_iface = false;        // the host created iface itself (plain vessel)

    // Motion (see VesselState for the frames).
    VesselState state;
    VECTOR3 global_pos{0, 0, 0};   // updated by the simulator after each change
    VECTOR3 global_vel{0, 0, 0};

    bool focus_enabled = true;
    bool delete_pending = false;

    // Properties set by the class, in call order, and the latest values by name.
    std::vector<SetterCall> setter_calls;
    const SetterCall* last_call(const std::string& name) const;

    std::vector<VesselMesh> meshes;
    std::vector<Animation> animations;
    std::vector<AnimationComponent> components;  // in registration order

    // Where mesh group `group` of mesh `mesh` ends up under the current animation states:
    // the components apply in registration order, each moving its groups and those of
    // its descendants, children relative to where their parents took them.
    Affine group_transform(UINT mesh, UINT group) const;
};

}  // namespace sim
