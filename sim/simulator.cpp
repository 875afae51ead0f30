// The stand-in simulator.
//
// Index:
//   lifetime        construction, current(), destruction
//   bodies          creation, update, global state of objects
//   vessels         creation, class binding, deletion, focus
//   step            the step loop and free-flight propagation
//   runs            scenario load and save, end of a run
//   modules         plug-ins and unloading
//   commands        custom commands
//   meshes          the global mesh store

#include "sim/simulator.h"

#include <algorithm>
#include <array>
#include <boost/numeric/odeint.hpp>
#include <cmath>
#include <fstream>
#include <sstream>

#include "sim/core/vecmath.h"
#include "sim/files/paths.h"
#include "sim/ui/window_system.h"

namespace sim {

namespace {

constexpr double kSecondsPerDay = 86400.0;
// Earth's rotation rate (mean sidereal), rad/s: the speed of landed vessels.
constexpr double kEarthSpinRate = 7.2921158553e-5;

const char* const kBodyNames[3] = {"Sun", "Earth", "Moon"};
const double kBodyRadius[3] = {kSunRadius, kEarthRadius, kMoonRadius};
const double kBodyGM[3] = {kSunGM, kEarthGM, kMoonGM};

}  // namespace

Simulator* Simulator::current_ = nullptr;

// --- lifetime --------------------------------------------------------------------------------

Simulator::Simulator(std::filesystem::path root) : root_(std::filesystem::absolute(std::move(root))) {
    if (current_) log().warn("a second simulator was created; the host calls now reach the new one");
    current_ = this;
    windows_ = std::make_unique<WindowSystem>(*this);
    modules_.set_unload_hook(
        [](Module* m, bool exited, void* self) { static_cast<Simulator*>(self)->on_unload(*m, exited); }, this);
    create_bodies();
}

Simulator::~Simulator() {
    end_run();
    windows_->close_all();
    modules_.unload_all();
    if (current_ == this) current_ = nullptr;
}

Simulator* Simulator::not_running(const char* call) {
    log().violation(call, "no simulation is running");
    return nullptr;
}

// Runs a vessel callback made outside a step; deletions it asks for wait until it returns.
template <class F>
void Simulator::in_callback(F&& call) {
    ++callback_depth_;
    call();
    --callback_depth_;
    if (callback_depth_ == 0 && !in_step_) carry_out_deletions();
}


// --- bodies ----------------------------------------------------------------------------------

void Simulator::create_bodies() {
    for (int i = 0; i < 3; ++i) {
        if (bodies_[i]) {
            names_.erase(kBodyNames[i]);
            objects_.erase(raw(bodies_[i]));
        }
        bodies_[i] = typed<OBJHANDLE>(
            objects_.insert(std::make_unique<Body>(BodyId(i), kBodyNames[i], kBodyRadius[i], kBodyGM[i])));
        names_[kBodyNames[i]] = raw(bodies_[i]);
    }
    update_bodies();
}

void Simulator::update_bodies() { ephemeris_.states(mjd_, body_states_); }

void Simulator::set_mjd(double mjd) {
    mjd_ = mjd;
    update_bodies();
    for (OBJHANDLE h : vessel_order_)
        if (Vessel* v = vessel(h)) update_vessel_global(*v);
}

Body* Simulator::body_object(OBJHANDLE h) const {
    Object* o = object(h);
    return o && o->type() == ObjectType::Body ? static_cast<Body*>(o) : nullptr;
}

namespace {

std::string describe_handle(OBJHANDLE h) {
    if (!h) return "null object handle";
    std::ostringstream s;
    s << "stale or foreign object handle 0x" << std::hex << raw(h);
    return s.str();
}

}  // namespace

void Simulator::report_bad_object(OBJHANDLE h, const char* call) { log().violation(call, describe_handle(h)); }

Vessel* Simulator::checked_vessel(OBJHANDLE h, const char* call) const {
    Object* o = object(h);
    if (!o) {
        log().violation(call, describe_handle(h));
        return nullptr;
    }
    if (o->type() != ObjectType::Vessel) {
        log().violation(call, "\"" + o->name() + "\" is not a vessel");
        return nullptr;
    }
    return static_cast<Vessel*>(o);
}

OBJHANDLE Simulator::handle_of(const Object* o) const { return typed<OBJHANDLE>(objects_.handle_of(o)); }

OBJHANDLE Simulator::find_object(const std::string& name) const {
    auto it = names_.find(name);
    return it == names_.end() ? nullptr : typed<OBJHANDLE>(it->second);
}

std::vector<OBJHANDLE> Simulator::vessel_handles() const {
    std::vector<OBJHANDLE> out;
    for (OBJHANDLE h : vessel_order_)
        if (vessel(h)) out.push_back(h);
    return out;
}

namespace {

int body_index(const std::string& name) {
    for (int i = 0; i < 3; ++i)
        if (name == kBodyNames[i]) return i;
    return -1;
}

VECTOR3 surface_point(const VesselState& s, double radius) {
    const double c = std::cos(s.lat);
    return VECTOR3{c * std::cos(s.lng), std::sin(s.lat), c * std::sin(s.lng)} * radius;
}

}  // namespace

void Simulator::update_vessel_global(Vessel& v) {
    int b = body_index(v.state.body);
    if (b < 0) b = int(BodyId::Earth);
    const VECTOR3& bpos = body_states_.pos[b];
    const VECTOR3& bvel = body_states_.vel[b];
    if (v.state.status == VesselState::Status::Landed) {
        const MATRIX3& R = body_states_.rot[b];
        const VECTOR3 local = surface_point(v.state, kBodyRadius[b]);
        // Only Earth spins in this host; the Moon keeps its face to Earth, and a landed
        // vessel there moves with the Moon's frame (its slow turn is neglected).
        const double spin = b == int(BodyId::Earth) ? kEarthSpinRate : 0.0;
        const VECTOR3 local_vel = VECTOR3{-local.z, 0, local.x} * spin;
        v.global_pos = bpos + mul(R, local);
        v.global_vel = bvel + mul(R, local_vel);
    } else {
        v.global_pos = bpos + v.state.rpos;
        v.global_vel = bvel + v.state.rvel;
    }
}

double Simulator::size(const Object& o) const {
    if (o.type() == ObjectType::Body) return static_cast<const Body&>(o).radius;
    const SetterCall* c = static_cast<const Vessel&>(o).last_call("SetSize");
    return c && !c->values.empty() ? c->values[0] : 1.0;
}

OBJHANDLE Simulator::surface_ref(const Vessel& v) const {
    const VECTOR3 to_moon = body_states_.pos[int(BodyId::Moon)] - v.global_pos;
    return length(to_moon) < kMoonSphereOfInfluence ? body(BodyId::Moon) : body(BodyId::Earth);
}

// --- vessels ---------------------------------------------------------------------------------

Module* Simulator::vessel_module_for(const std::string& class_name) {
    // Config/Vessels/CLASS.cfg binds a class to its module; without a file or without a
    // "Module" item the class is a plain vessel.
    auto file = resolve_under_root(root_, "Config/Vessels/" + class_name + ".cfg");
    if (!file) return nullptr;
    ConfigFile cfg = ConfigFile::load(*file);
    char module_name[256] = "";
    if (!cfg.read_string("Module", module_name) || !module_name[0]) return nullptr;
    Module* m = modules_.load(module_name, ModuleKind::Vessel);
    if (!m) log().warn("class \"" + class_name + "\": module \"" + module_name + "\" cannot be loaded; plain vessel");
    return m;
}

Vessel* Simulator::instantiate(const std::string& name, const std::string& class_name, const VesselState& state) {
    auto owned = std::make_unique<Vessel>(name, class_name);
    Vessel* v = owned.get();
    v->state = state;
    const OBJHANDLE h = typed<OBJHANDLE>(objects_.insert(std::move(owned)));
    names_[name] = raw(h);
    vessel_order_.push_back(h);
    update_vessel_global(*v);

    v->module = vessel_module_for(class_name);
    if (v->module && v->module->ovc_init) {
        v->iface = v->module->ovc_init(h, 1);
        v->iface2 = dynamic_cast<VESSEL2*>(v->iface);
        if (!v->iface) log().warn("class \"" + class_name + "\": ovcInit returned no vessel; plain vessel");
    }
    if (!v->iface) {
        v->module = nullptr;
        v->iface2 = new VESSEL2(h);
        v->iface = v->iface2;
        v->own_iface = true;
    }
    if (v->iface2) {
        // The class file goes to the set-up callback, as the host reads class files.
        FILEHANDLE cfg = nullptr;
        if (auto file = resolve_under_root(root_, "Config/Vessels/" + class_name + ".cfg"))
            cfg = typed<FILEHANDLE>(config_files_.insert(std::make_unique<ConfigFile>(ConfigFile::load(*file))));
        in_callback([&] { v->iface2->clbkDefineClass(cfg); });
        if (cfg) config_files_.erase(raw(cfg));
    }
    if (!focus_ && v->focus_enabled) focus_ = h;
    return v;
}

OBJHANDLE Simulator::create_vessel(const std::string& name, const std::string& class_name,
                                   const VesselCreateStatus& status) {
    // A name must survive a scenario save: no control characters, no surrounding blanks,
    // no ':' in the class (it ends the name on the vessel's line).
    auto printable = [](const std::string& t) {
        return std::none_of(t.begin(), t.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
    };
    if (name.empty() || class_name.empty() || !printable(name) || !printable(class_name) || name.front() == ' ' ||
        name.back() == ' ' || class_name.find_first_of(": ") != std::string::npos) {
        log().warn("oapiCreateVesselEx: unusable name \"" + name + "\" or class \"" + class_name + "\"; nothing created");
        return nullptr;
    }
    if (find_object(name)) {
        log().warn("oapiCreateVesselEx: the name \"" + name + "\" is in use; nothing created");
        return nullptr;
    }
    Body* ref = status.rbody ? body_object(status.rbody) : nullptr;
    if (!ref) {
        if (status.rbody) log().violation("oapiCreateVesselEx", describe_handle(status.rbody) + " as reference body");
        else log().warn("oapiCreateVesselEx: \"" + name + "\" has no reference body; nothing created");
        return nullptr;
    }
    VesselState state;
    state.body = ref->name();
    if (status.status == 1) {
        state.status = VesselState::Status::Landed;
        state.lng = status.surf_lng;
        state.lat = status.surf_lat;
        state.hdg = status.surf_hdg;
    } else {
        state.status = VesselState::Status::Orbiting;
        state.rpos = status.rpos;
        state.rvel = status.rvel;
    }
    Vessel* v = instantiate(name, class_name, state);
    const OBJHANDLE h = handle_of(v);
    if (v->iface2) in_callback([&] { v->iface2->clbkPostCreation(); });
    log().info("vessel created: \"" + name + "\" (" + class_name + ")");
    return vessel(h) ? h : nullptr;
}

bool Simulator::request_deletion(OBJHANDLE h) {
    Vessel* v = vessel(h);
    if (!v) return false;
    // Outside a step and outside any vessel callback (a dialog button, a console
    // command) the vessel goes at once, so its name is free for the next action. Inside a
    // callback it goes when the step or the outermost callback ends: the instance that
    // asked may still be running.
    if (!in_step_ && callback_depth_ == 0) {
        delete_now(h);
        return true;
    }
    if (!v->delete_pending) {
        v->delete_pending = true;
        pending_deletions_.push_back(h);
    }
    return true;
}

void Simulator::delete_now(OBJHANDLE h) {
    Vessel* v = vessel(h);
    if (!v) return;
    const std::string name = v->name();
    // Component handles go first: the module's transforms die with its instance.
    for (const AnimationComponent& c : v->components) component_handles_.erase(c.handle);
    v->components.clear();
    if (v->own_iface) delete v->iface;
    else if (v->module && v->module->ovc_exit) v->module->ovc_exit(v->iface);
    v->iface = nullptr;
    v->iface2 = nullptr;
    names_.erase(name);
    objects_.erase(raw(h));
    std::erase(vessel_order_, h);
    if (focus_ == h) {
        focus_ = nullptr;
        for (OBJHANDLE other : vessel_order_)
            if (Vessel* o = vessel(other); o && o->focus_enabled) {
                focus_ = other;
                break;
            }
    }
    log().info("vessel deleted: \"" + name + "\"");
}

bool Simulator::set_focus(OBJHANDLE h) {
    Vessel* v = vessel(h);
    if (!v || !v->focus_enabled) return false;
    const OBJHANDLE old = focus_;
    focus_ = h;
    if (old != h) {
        in_callback([&] {
            if (Vessel* o = vessel(old); o && o->iface2) o->iface2->clbkFocusChanged(false, h, old);
            if (Vessel* n = vessel(h); n && n->iface2) n->iface2->clbkFocusChanged(true, h, old);
        });
    }
    return true;
}

// --- step ------------------------------------------------------------------------------------

namespace {

using OrbitState = std::array<double, 6>;  // position, velocity relative to the reference body

VECTOR3 gravity(const VECTOR3& at, const BodyStates& b, int skip = -1) {
    VECTOR3 a{0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        if (i == skip) continue;
        const VECTOR3 d = b.pos[i] - at;
        const double r2 = dot(d, d);
        if (r2 <= 0) continue;
        a += d * (kBodyGM[i] / (r2 * std::sqrt(r2)));
    }
    return a;
}

}  // namespace

// Free vessels move under the point-mass gravity of Sun, Earth and Moon, integrated in
// their reference body's non-rotating frame (so the body's own acceleration is taken off)
// with a fixed-step classical Runge-Kutta of 4th order: at 1 s steps its error on a low
// orbit is far below a metre per orbit. The bodies' states at the three times a step
// needs are computed once and shared by every vessel.
void Simulator::propagate(double dt) {
    BodyStates at[3];
    ephemeris_.states(mjd_, at[0]);
    ephemeris_.states(mjd_ + 0.5 * dt / kSecondsPerDay, at[1]);
    ephemeris_.states(mjd_ + dt / kSecondsPerDay, at[2]);
    auto states_at = [&](double t) -> const BodyStates& { return t < 0.25 * dt ? at[0] : t < 0.75 * dt ? at[1] : at[2]; };

    boost::numeric::odeint::runge_kutta4<OrbitState> stepper;
    for (OBJHANDLE h : vessel_order_) {
        Vessel* v = vessel(h);
        if (!v || v->state.status != VesselState::Status::Orbiting) continue;
        int ref = body_index(v->state.body);
        if (ref < 0) ref = int(BodyId::Earth);
        auto system = [&](const OrbitState& x, OrbitState& dxdt, double t) {
            const BodyStates& b = states_at(t);
            const VECTOR3 r{x[0], x[1], x[2]};
            const VECTOR3 a = gravity(b.pos[ref] + r, b) - gravity(b.pos[ref], b, ref);
            dxdt = {x[3], x[4], x[5], a.x, a.y, a.z};
        };
        OrbitState x{v->state.rpos.x, v->state.rpos.y, v->state.rpos.z,
                     v->state.rvel.x, v->state.rvel.y, v->state.rvel.z};
        stepper.do_step(system, x, 0.0, dt);
        v->state.rpos = {x[0], x[1], x[2]};
        v->state.rvel = {x[3], x[4], x[5]};
    }
}

void Simulator::step(double dt) {
    if (in_step_) {
        log().warn("step requested from inside a step; ignored");
        return;
    }
    // Repaints asked for since the last step come first: a window shows what was drawn
    // on it until the next step begins.
    windows_->run_pending_repaints();
    in_step_ = true;
    const std::vector<OBJHANDLE> order = vessel_order_;
    for (OBJHANDLE h : order)
        if (Vessel* v = vessel(h); v && v->iface2) v->iface2->clbkPreStep(sim_time_, dt, mjd_);

    if (dt > 0) propagate(dt);
    sim_time_ += dt;
    mjd_ += dt / kSecondsPerDay;
    update_bodies();
    for (OBJHANDLE h : vessel_order_)
        if (Vessel* v = vessel(h)) update_vessel_global(*v);

    for (OBJHANDLE h : order)
        if (Vessel* v = vessel(h); v && v->iface2) v->iface2->clbkAfterStep(sim_time_, dt, mjd_);
    for (Module* m : modules_.plugins())
        if (m->post_step) m->post_step(sim_time_, dt, mjd_);

    carry_out_deletions();
    in_step_ = false;
}

void Simulator::carry_out_deletions() {
    std::vector<OBJHANDLE> pending;
    pending.swap(pending_deletions_);
    for (OBJHANDLE h : pending) delete_now(h);
}

// --- runs ------------------------------------------------------------------------------------

void Simulator::end_run() {
    const std::vector<OBJHANDLE> order = vessel_order_;
    for (auto it = order.rbegin(); it != order.rend(); ++it) delete_now(*it);
    pending_deletions_.clear();
    vessel_order_.clear();
    focus_ = nullptr;
    scenario_cursors_ = HandleTable<ScenarioCursor>(HandleKind::Scenario);
    scenario_description_.clear();
    scenario_extra_.clear();
    sim_time_ = 0;
    create_bodies();
}

void Simulator::load_scenario(const std::filesystem::path& file) {
    ScenarioDoc doc = read_scenario_file(file);

    end_run();
    mjd_ = doc.mjd;
    update_bodies();
    scenario_description_ = doc.description;
    scenario_system_ = doc.system;
    scenario_environment_extra_ = doc.environment_extra;
    scenario_focus_extra_ = doc.focus_extra;
    scenario_extra_ = doc.extra;
    restore_ships(doc, file.string());
    if (!doc.focus.empty()) {
        const OBJHANDLE f = find_object(doc.focus);
        if (vessel(f)) focus_ = f;
        else log().warn(file.string() + ": focus ship \"" + doc.focus + "\" does not exist");
    }
    log().info("scenario loaded: " + file.string());
}

void Simulator::restore_ships(const ScenarioDoc& doc, const std::string& file) {
    for (const ScenarioShip& ship : doc.ships) {
        if (find_object(ship.name)) {
            log().warn(file + ":" + std::to_string(ship.line_number) + ": the name \"" + ship.name +
                       "\" is in use; vessel skipped");
            continue;
        }
        VesselState initial;
        Vessel* v = instantiate(ship.name, ship.class_name, initial);
        const OBJHANDLE h = handle_of(v);
        auto cursor = std::make_unique<ScenarioCursor>();
        cursor->lines = ship.lines;
        const FILEHANDLE scn = typed<FILEHANDLE>(scenario_cursors_.insert(std::move(cursor)));
        VesselState status = v->state;
        restoring_ = &status;
        if (v->iface2) in_callback([&] { v->iface2->clbkRestoreState(scn, &status); });
        restoring_ = nullptr;
        scenario_cursors_.erase(raw(scn));
        if (Vessel* still = vessel(h)) {
            still->state = status;
            update_vessel_global(*still);
            if (still->iface2) in_callback([&] { still->iface2->clbkPostCreation(); });
        }
    }
}

bool Simulator::apply_scenario_line(Vessel& v, void* status, const char* line) {
    VesselState* target = status == restoring_ && restoring_ ? restoring_ : &v.state;
    if (!parse_standard_line(line, *target)) target->kept_lines.emplace_back(line);
    return true;
}

std::string Simulator::scenario_text() {
    ScenarioDoc doc;
    doc.description = scenario_description_;
    doc.system = scenario_system_;
    doc.mjd = mjd_;
    doc.environment_extra = scenario_environment_extra_;
    doc.focus_extra = scenario_focus_extra_;
    doc.extra = scenario_extra_;
    if (Vessel* f = vessel(focus_)) doc.focus = f->name();
    for (OBJHANDLE h : vessel_order_) {
        Vessel* v = vessel(h);
        if (!v) continue;
        std::vector<std::string> lines;
        auto cursor = std::make_unique<ScenarioCursor>();
        cursor->out = &lines;
        const FILEHANDLE scn = typed<FILEHANDLE>(scenario_cursors_.insert(std::move(cursor)));
        if (v->iface2) in_callback([&] { v->iface2->clbkStoreState(scn); });
        scenario_cursors_.erase(raw(scn));
        ScenarioShip ship;
        ship.name = v->name();
        ship.class_name = v->class_name;
        for (std::string& l : lines) {
            const std::size_t first = l.find_first_not_of(" \t");
            ship.lines.push_back(first == std::string::npos ? std::string() : l.substr(first));
        }
        doc.ships.push_back(std::move(ship));
    }
    return write_scenario(doc);
}

void Simulator::save_scenario(const std::filesystem::path& file) {
    const std::string text = scenario_text();
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error(file.string() + ": cannot write the scenario file");
    out << text;
    if (!out) throw std::runtime_error(file.string() + ": write failed");
    log().info("scenario saved: " + file.string());
}

// --- modules ---------------------------------------------------------------------------------

Module* Simulator::load_plugin(const std::string& name_or_path) { return modules_.load(name_or_path, ModuleKind::Plugin); }

void Simulator::unload_module(Module* module) { modules_.unload(module); }

void Simulator::on_unload(Module& module, bool exited) {
    if (!exited) {
        windows_->close_windows_of(module);
        const std::vector<OBJHANDLE> order = vessel_order_;
        for (OBJHANDLE h : order)
            if (Vessel* v = vessel(h); v && v->module == &module) delete_now(h);
        return;
    }
    windows_->close_windows_of(module);
    std::erase_if(commands_, [&](const CustomCommand& c) {
        if (!module.contains(reinterpret_cast<const void*>(c.func))) return false;
        log().warn("custom command \"" + c.label + "\" of module " + module.name + " was not unregistered; dropped");
        return true;
    });
}

// --- commands --------------------------------------------------------------------------------

DWORD Simulator::register_command(const char* label, const char* description, CustomFunc func, void* context) {
    CustomCommand c{next_command_id_++, label ? label : "", description ? description : "", func, context};
    commands_.push_back(c);
    return c.id;
}

bool Simulator::unregister_command(DWORD id) {
    const auto n = commands_.size();
    std::erase_if(commands_, [&](const CustomCommand& c) { return c.id == id; });
    return commands_.size() != n;
}

bool Simulator::run_command(const std::string& label) {
    for (const CustomCommand& c : commands_)
        if (c.label == label) {
            if (c.func) c.func(c.context);
            return true;
        }
    return false;
}

// --- meshes ----------------------------------------------------------------------------------

MESHHANDLE Simulator::load_mesh(const std::string& name) {
    RawHandle found = 0;
    meshes_.for_each([&](RawHandle h, const MeshRecord& m) {
        if (!found && m.name == name) found = h;
    });
    if (found) return typed<MESHHANDLE>(found);
    auto record = std::make_unique<MeshRecord>();
    record->name = name;
    if (auto file = resolve_under_root(root_, "Meshes/" + name + ".msh")) {
        record->file = *file;
        std::ifstream in(*file);
        std::string key;
        while (in >> key)
            if (key == "GROUPS") {
                in >> record->group_count;
                break;
            }
    } else {
        log().info("mesh \"" + name + "\" has no file; it has no geometry");
    }
    return typed<MESHHANDLE>(meshes_.insert(std::move(record)));
}

const MeshRecord* Simulator::mesh(MESHHANDLE h) const { return meshes_.find(raw(h)); }

}  // namespace sim
