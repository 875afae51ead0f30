// Host calls on objects, positions, frames, vessels, focus, custom commands, meshes and
// modules. Thin: each checks its arguments and forwards to the simulator.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "host/oapi.h"
#include "sim/core/vecmath.h"
#include "sim/simulator.h"

using sim::Simulator;

namespace {

Simulator* host(const char* call) { return Simulator::running(call); }

void null_output(const char* call) { sim::log().violation(call, "null output pointer"); }

template <class T>
bool output(T* p, const char* call) {
    if (p) [[likely]]
        return true;
    null_output(call);
    return false;
}

}  // namespace

// --- objects and positions ----------------------------------------------------------------------

OBJHANDLE oapiGetObjectByName(const char* name) {
    Simulator* s = host("oapiGetObjectByName");
    if (!s) return nullptr;
    if (!name) {
        sim::log().violation("oapiGetObjectByName", "null name");
        return nullptr;
    }
    return s->find_object(name);
}

void oapiGetGlobalPos(OBJHANDLE object, VECTOR3* pos) {
    Simulator* s = host("oapiGetGlobalPos");
    if (!s || !output(pos, "oapiGetGlobalPos")) return;
    if (auto* o = s->checked_object(object, "oapiGetGlobalPos")) *pos = s->global_pos(*o);
}

void oapiGetGlobalVel(OBJHANDLE object, VECTOR3* vel) {
    Simulator* s = host("oapiGetGlobalVel");
    if (!s || !output(vel, "oapiGetGlobalVel")) return;
    if (auto* o = s->checked_object(object, "oapiGetGlobalVel")) *vel = s->global_vel(*o);
}

void oapiGetRelativePos(OBJHANDLE a, OBJHANDLE b, VECTOR3* pos) {
    Simulator* s = host("oapiGetRelativePos");
    if (!s || !output(pos, "oapiGetRelativePos")) return;
    auto* oa = s->checked_object(a, "oapiGetRelativePos");
    auto* ob = s->checked_object(b, "oapiGetRelativePos");
    if (oa && ob) *pos = sim::operator-(s->global_pos(*oa), s->global_pos(*ob));
}

void oapiGetFocusRelativePos(OBJHANDLE a, VECTOR3* pos) {
    Simulator* s = host("oapiGetFocusRelativePos");
    if (!s || !output(pos, "oapiGetFocusRelativePos")) return;
    auto* oa = s->checked_object(a, "oapiGetFocusRelativePos");
    auto* focus = s->vessel(s->focus());
    if (!focus) {
        sim::log().warn("oapiGetFocusRelativePos: there is no focus vessel");
        return;
    }
    if (oa) *pos = sim::operator-(s->global_pos(*oa), s->global_pos(*focus));
}

void oapiGlobalToLocal(OBJHANDLE body, const VECTOR3* global, VECTOR3* local) {
    Simulator* s = host("oapiGlobalToLocal");
    if (!s || !output(local, "oapiGlobalToLocal")) return;
    if (!global) {
        sim::log().violation("oapiGlobalToLocal", "null global position");
        return;
    }
    if (auto* o = s->checked_object(body, "oapiGlobalToLocal"))
        *local = sim::tmul(s->rotation(*o), sim::operator-(*global, s->global_pos(*o)));
}

void oapiGlobalToEqu(OBJHANDLE reference, const VECTOR3& global, double* lng, double* lat, double* rad) {
    Simulator* s = host("oapiGlobalToEqu");
    if (!s) return;
    auto* o = s->checked_object(reference, "oapiGlobalToEqu");
    if (!o) return;
    const VECTOR3 local = sim::tmul(s->rotation(*o), sim::operator-(global, s->global_pos(*o)));
    const double r = sim::length(local);
    // Longitude from +x toward +z, latitude toward +y; a point at the centre is at 0, 0.
    if (rad) *rad = r;
    if (lat) *lat = r > 0 ? std::asin(std::clamp(local.y / r, -1.0, 1.0)) : 0.0;
    if (lng) *lng = r > 0 ? std::atan2(local.z, local.x) : 0.0;
}

void oapiGetRotationMatrix(OBJHANDLE object, MATRIX3* rot) {
    Simulator* s = host("oapiGetRotationMatrix");
    if (!s || !output(rot, "oapiGetRotationMatrix")) return;
    if (auto* o = s->checked_object(object, "oapiGetRotationMatrix")) *rot = s->rotation(*o);
}

double oapiGetSize(OBJHANDLE object) {
    Simulator* s = host("oapiGetSize");
    if (!s) return 0.0;
    auto* o = s->checked_object(object, "oapiGetSize");
    return o ? s->size(*o) : 0.0;
}

void oapiGetObjectName(OBJHANDLE object, char* name, int size) {
    Simulator* s = host("oapiGetObjectName");
    if (!s || !output(name, "oapiGetObjectName")) return;
    if (size <= 0) {
        sim::log().violation("oapiGetObjectName", "buffer size " + std::to_string(size));
        return;
    }
    auto* o = s->checked_object(object, "oapiGetObjectName");
    if (!o) return;
    const std::size_t n = std::min(o->name().size(), std::size_t(size - 1));
    std::memcpy(name, o->name().data(), n);
    name[n] = '\0';
}

// --- vessels and focus ------------------------------------------------------------------------

bool oapiIsVessel(OBJHANDLE object) {
    Simulator* s = Simulator::current();
    return s && s->vessel(object) != nullptr;
}

OBJHANDLE oapiGetFocusObject() {
    Simulator* s = host("oapiGetFocusObject");
    return s ? s->focus() : nullptr;
}

VESSEL* oapiGetFocusInterface() {
    Simulator* s = host("oapiGetFocusInterface");
    if (!s) return nullptr;
    sim::Vessel* v = s->vessel(s->focus());
    return v ? v->iface : nullptr;
}

VESSEL* oapiGetVesselInterface(OBJHANDLE vessel) {
    Simulator* s = host("oapiGetVesselInterface");
    if (!s) return nullptr;
    sim::Vessel* v = s->checked_vessel(vessel, "oapiGetVesselInterface");
    return v ? v->iface : nullptr;
}

double oapiGetSimTime() {
    Simulator* s = host("oapiGetSimTime");
    return s ? s->sim_time() : 0.0;
}

double oapiGetSimMJD() {
    Simulator* s = host("oapiGetSimMJD");
    return s ? s->mjd() : 0.0;
}

OBJHANDLE oapiCreateVesselEx(const char* name, const char* classname, const void* status) {
    Simulator* s = host("oapiCreateVesselEx");
    if (!s) return nullptr;
    if (!name || !classname || !status) {
        sim::log().violation("oapiCreateVesselEx", "null name, class or status");
        return nullptr;
    }
    const auto* st = static_cast<const VesselCreateStatus*>(status);
    if (st->version != 2) {
        sim::log().violation("oapiCreateVesselEx", "status record version " + std::to_string(st->version));
        return nullptr;
    }
    return s->create_vessel(name, classname, *st);
}

bool oapiDeleteVessel(OBJHANDLE vessel, OBJHANDLE focus_alternative) {
    Simulator* s = host("oapiDeleteVessel");
    if (!s) return false;
    if (!s->checked_vessel(vessel, "oapiDeleteVessel")) return false;
    if (focus_alternative && s->focus() == vessel) {
        if (s->checked_vessel(focus_alternative, "oapiDeleteVessel")) s->set_focus(focus_alternative);
    }
    return s->request_deletion(vessel);
}

// --- custom commands ----------------------------------------------------------------------------

DWORD oapiRegisterCustomCmd(const char* label, const char* description, CustomFunc func, void* context) {
    Simulator* s = host("oapiRegisterCustomCmd");
    if (!s) return 0;
    if (!label || !func) {
        sim::log().violation("oapiRegisterCustomCmd", "null label or callback");
        return 0;
    }
    return s->register_command(label, description, func, context);
}

bool oapiUnregisterCustomCmd(DWORD id) {
    Simulator* s = host("oapiUnregisterCustomCmd");
    if (!s) return false;
    if (!s->unregister_command(id)) {
        sim::log().violation("oapiUnregisterCustomCmd", "no custom command has the id " + std::to_string(id));
        return false;
    }
    return true;
}

// --- meshes and modules -------------------------------------------------------------------------

MESHHANDLE oapiLoadMeshGlobal(const char* name) {
    Simulator* s = host("oapiLoadMeshGlobal");
    if (!s) return nullptr;
    if (!name) {
        sim::log().violation("oapiLoadMeshGlobal", "null name");
        return nullptr;
    }
    return s->load_mesh(name);
}

void InitLib(HINSTANCE instance) {
    Simulator* s = host("InitLib");
    if (!s) return;
    sim::Module* m = s->modules().find(instance);
    if (!m) {
        sim::log().violation("InitLib", "unknown module instance");
        return;
    }
    sim::log().info("InitLib: " + m->name);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    Simulator* s = host("GetProcAddress");
    if (!s) return nullptr;
    sim::Module* m = s->modules().find(module);
    if (!m) {
        sim::log().violation("GetProcAddress", "unknown module instance");
        return nullptr;
    }
    if (!name) return nullptr;
    return reinterpret_cast<FARPROC>(m->symbol(name));
}
