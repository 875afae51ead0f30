// The VESSEL and VESSEL2 classes: the host's services for one vessel, and the default
// callbacks. Every setter is stored in call order on the host's Vessel for inspection.

#include <algorithm>
#include <initializer_list>

#include "host/vessel.h"
#include "sim/simulator.h"

using sim::Simulator;

namespace {

sim::Vessel* live(OBJHANDLE h, const char* call) {
    Simulator* s = Simulator::running(call);
    return s ? s->checked_vessel(h, call) : nullptr;
}

// Stores one setter call under its name without the "VESSEL::" prefix; false for a
// vessel that is gone.
bool record(OBJHANDLE h, const char* call, std::initializer_list<double> values) {
    sim::Vessel* v = live(h, call);
    if (v) v->setter_calls.push_back({call + 8, std::vector<double>(values)});
    return v != nullptr;
}

}  // namespace

#define VEC(v) (v).x, (v).y, (v).z

// --- VESSEL -------------------------------------------------------------------------------------

VESSEL::VESSEL(OBJHANDLE handle, int flight_model) : handle_(handle), flight_model_(flight_model) {}
VESSEL::~VESSEL() = default;

OBJHANDLE VESSEL::GetHandle() const { return handle_; }

const char* VESSEL::GetName() const {
    sim::Vessel* v = live(handle_, "VESSEL::GetName");
    return v ? v->name().c_str() : "";
}

const char* VESSEL::GetClassNameA() const {
    sim::Vessel* v = live(handle_, "VESSEL::GetClassNameA");
    return v ? v->class_name.c_str() : "";
}

OBJHANDLE VESSEL::GetSurfaceRef() const {
    sim::Vessel* v = live(handle_, "VESSEL::GetSurfaceRef");
    return v ? Simulator::current()->surface_ref(*v) : nullptr;
}

void VESSEL::SetEnableFocus(bool enable) const {
    if (sim::Vessel* v = live(handle_, "VESSEL::SetEnableFocus")) {
        v->focus_enabled = enable;
        v->setter_calls.push_back({"SetEnableFocus", {enable ? 1.0 : 0.0}});
    }
}

void VESSEL::SetSize(double size) const { record(handle_, "VESSEL::SetSize", {size}); }
void VESSEL::SetEmptyMass(double mass) const { record(handle_, "VESSEL::SetEmptyMass", {mass}); }
void VESSEL::SetPMI(const VECTOR3& pmi) const { record(handle_, "VESSEL::SetPMI", {VEC(pmi)}); }
void VESSEL::SetCrossSections(const VECTOR3& cs) const { record(handle_, "VESSEL::SetCrossSections", {VEC(cs)}); }
void VESSEL::SetRotDrag(const VECTOR3& rd) const { record(handle_, "VESSEL::SetRotDrag", {VEC(rd)}); }
void VESSEL::SetTouchdownPoints(const VECTOR3& a, const VECTOR3& b, const VECTOR3& c) const {
    record(handle_, "VESSEL::SetTouchdownPoints", {VEC(a), VEC(b), VEC(c)});
}
void VESSEL::SetSurfaceFrictionCoeff(double mu_long, double mu_lat) const {
    record(handle_, "VESSEL::SetSurfaceFrictionCoeff", {mu_long, mu_lat});
}
void VESSEL::SetCW(double z_pos, double z_neg, double x, double y) const {
    record(handle_, "VESSEL::SetCW", {z_pos, z_neg, x, y});
}
bool VESSEL::EnableTransponder(bool enable) const {
    return record(handle_, "VESSEL::EnableTransponder", {enable ? 1.0 : 0.0});
}
bool VESSEL::InitNavRadios(DWORD count) const {
    return record(handle_, "VESSEL::InitNavRadios", {double(count)});
}
void VESSEL::SetCameraOffset(const VECTOR3& offset) const { record(handle_, "VESSEL::SetCameraOffset", {VEC(offset)}); }
void VESSEL::SetVisibilityLimit(double vislimit, double spotlimit) const {
    record(handle_, "VESSEL::SetVisibilityLimit", {vislimit, spotlimit});
}
void VESSEL::SetAlbedoRGB(const VECTOR3& albedo) const { record(handle_, "VESSEL::SetAlbedoRGB", {VEC(albedo)}); }
bool VESSEL::SetGravityGradientDamping(double damping) const {
    return record(handle_, "VESSEL::SetGravityGradientDamping", {damping});
}
void VESSEL::SetWingAspect(double aspect) const { record(handle_, "VESSEL::SetWingAspect", {aspect}); }
void VESSEL::SetWingEffectiveness(double eff) const { record(handle_, "VESSEL::SetWingEffectiveness", {eff}); }
void VESSEL::SetMaxWheelbrakeForce(double force) const { record(handle_, "VESSEL::SetMaxWheelbrakeForce", {force}); }
void VESSEL::SetBankMomentScale(double scale) const { record(handle_, "VESSEL::SetBankMomentScale", {scale}); }
void VESSEL::SetPitchMomentScale(double scale) const { record(handle_, "VESSEL::SetPitchMomentScale", {scale}); }

// --- meshes and animations ----------------------------------------------------------------------

UINT VESSEL::AddMesh(MESHHANDLE mesh, const VECTOR3* offset) const {
    sim::Vessel* v = live(handle_, "VESSEL::AddMesh");
    if (!v) return 0;
    if (!Simulator::current()->mesh(mesh)) sim::log().violation("VESSEL::AddMesh", "stale or foreign mesh handle");
    const VECTOR3 ofs = offset ? *offset : VECTOR3{0, 0, 0};
    v->meshes.push_back({mesh, ofs, 0});
    v->setter_calls.push_back({"AddMesh", {VEC(ofs)}});
    return UINT(v->meshes.size() - 1);
}

bool VESSEL::SetMeshVisibilityMode(UINT index, WORD mode) const {
    sim::Vessel* v = live(handle_, "VESSEL::SetMeshVisibilityMode");
    if (!v) return false;
    v->setter_calls.push_back({"SetMeshVisibilityMode", {double(index), double(mode)}});
    if (index >= v->meshes.size()) {
        sim::log().warn("VESSEL::SetMeshVisibilityMode: no mesh " + std::to_string(index) + " on \"" + v->name() + "\"");
        return false;
    }
    v->meshes[index].visibility = mode;
    return true;
}

UINT VESSEL::CreateAnimation(double initial_state) const {
    sim::Vessel* v = live(handle_, "VESSEL::CreateAnimation");
    if (!v) return 0;
    v->animations.push_back({initial_state, initial_state});
    v->setter_calls.push_back({"CreateAnimation", {initial_state}});
    return UINT(v->animations.size() - 1);
}

ANIMATIONCOMPONENT_HANDLE VESSEL::AddAnimationComponent(UINT anim, double state0, double state1,
                                                        MGROUP_TRANSFORM* trans,
                                                        ANIMATIONCOMPONENT_HANDLE parent) const {
    sim::Vessel* v = live(handle_, "VESSEL::AddAnimationComponent");
    if (!v) return nullptr;
    Simulator& s = *Simulator::current();
    if (anim >= v->animations.size()) {
        sim::log().violation("VESSEL::AddAnimationComponent", "no animation " + std::to_string(anim));
        return nullptr;
    }
    if (!trans) {
        sim::log().violation("VESSEL::AddAnimationComponent", "null transform");
        return nullptr;
    }
    int parent_index = -1;
    if (parent) {
        const sim::ComponentRef* ref = s.component_handles().find(sim::raw(parent));
        if (!ref || ref->vessel != sim::raw(handle_)) {
            sim::log().violation("VESSEL::AddAnimationComponent", "stale or foreign parent component handle");
            return nullptr;
        }
        parent_index = ref->index;
    }
    sim::AnimationComponent c;
    c.animation = anim;
    c.state0 = state0;
    c.state1 = state1;
    c.transform = trans;
    c.parent = parent_index;
    const int index = int(v->components.size());
    c.handle = s.component_handles().insert(std::make_unique<sim::ComponentRef>(sim::ComponentRef{sim::raw(handle_), index}));
    v->components.push_back(c);
    v->setter_calls.push_back({"AddAnimationComponent", {double(anim), state0, state1, double(parent_index)}});
    return sim::typed<ANIMATIONCOMPONENT_HANDLE>(c.handle);
}

bool VESSEL::SetAnimation(UINT anim, double state) const {
    sim::Vessel* v = live(handle_, "VESSEL::SetAnimation");
    if (!v) return false;
    if (anim >= v->animations.size()) {
        sim::log().violation("VESSEL::SetAnimation", "no animation " + std::to_string(anim));
        return false;
    }
    v->animations[anim].state = state;
    return true;
}

// --- attitude and scenario ----------------------------------------------------------------------

void VESSEL::SetRotationMatrix(const MATRIX3& rot) const {
    if (sim::Vessel* v = live(handle_, "VESSEL::SetRotationMatrix")) v->state.attitude = rot;
}

void VESSEL::GetRotationMatrix(MATRIX3& rot) const {
    if (sim::Vessel* v = live(handle_, "VESSEL::GetRotationMatrix")) rot = v->state.attitude;
}

void VESSEL::SaveDefaultState(FILEHANDLE scenario) const {
    sim::Vessel* v = live(handle_, "VESSEL::SaveDefaultState");
    if (!v) return;
    sim::ScenarioCursor* c = Simulator::current()->scenario_cursors().find(sim::raw(scenario));
    if (!c || !c->out) {
        sim::log().violation("VESSEL::SaveDefaultState", "not a scenario being written");
        return;
    }
    for (const auto& [key, value] : sim::standard_lines(v->state))
        c->out->push_back(key.empty() ? "  " + value : "  " + key + " " + value);
}

void VESSEL::ParseScenarioLineEx(char* line, void* status) const {
    sim::Vessel* v = live(handle_, "VESSEL::ParseScenarioLineEx");
    if (!v) return;
    if (!line) {
        sim::log().violation("VESSEL::ParseScenarioLineEx", "null line");
        return;
    }
    Simulator::current()->apply_scenario_line(*v, status, line);
}

// --- VESSEL2 ------------------------------------------------------------------------------------

VESSEL2::VESSEL2(OBJHANDLE handle, int flight_model) : VESSEL(handle, flight_model) {}
VESSEL2::~VESSEL2() = default;

void VESSEL2::clbkDefineClass(FILEHANDLE) {}
void VESSEL2::clbkStoreState(FILEHANDLE scenario) { SaveDefaultState(scenario); }
void VESSEL2::clbkRestoreState(FILEHANDLE scenario, void* status) {
    char* line = nullptr;
    while (oapiReadScenario_nextline(scenario, line)) ParseScenarioLineEx(line, status);
}
void VESSEL2::clbkSetStateEx(const void*) {}
void VESSEL2::clbkPostCreation() {}
void VESSEL2::clbkFocusChanged(bool, OBJHANDLE, OBJHANDLE) {}
void VESSEL2::clbkPreStep(double, double, double) {}
void VESSEL2::clbkAfterStep(double, double, double) {}
bool VESSEL2::clbkPlaybackEvent(double, double, const char*, const char*) { return false; }
void VESSEL2::clbkVisualCreated(void*, int) {}
void VESSEL2::clbkVisualDestroyed(void*, int) {}
void VESSEL2::clbkDrawHUD(int, const void*, void*) {}
void VESSEL2::clbkRCSMode(int) {}
void VESSEL2::clbkADCtrlMode(DWORD) {}
void VESSEL2::clbkHUDMode(int) {}
void VESSEL2::clbkMFDMode(int, int) {}
void VESSEL2::clbkNavMode(int, bool) {}
void VESSEL2::clbkDockEvent(int, OBJHANDLE) {}
void VESSEL2::clbkAnimate(double) {}
int VESSEL2::clbkConsumeDirectKey(char*) { return 0; }
int VESSEL2::clbkConsumeBufferedKey(DWORD, bool, char*) { return 0; }
bool VESSEL2::clbkLoadGenericCockpit() { return false; }
bool VESSEL2::clbkLoadPanel(int) { return false; }
bool VESSEL2::clbkPanelMouseEvent(int, int, int, int) { return false; }
bool VESSEL2::clbkPanelRedrawEvent(int, int, void*) { return false; }
bool VESSEL2::clbkLoadVC(int) { return false; }
bool VESSEL2::clbkVCMouseEvent(int, int, VECTOR3&) { return false; }
bool VESSEL2::clbkVCRedrawEvent(int, int, void*) { return false; }
