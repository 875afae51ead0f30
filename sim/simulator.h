// The stand-in simulator: one instance per process at a time, reachable by the exported
// host calls through Simulator::current().
//
// It owns the bodies and vessels of the current run (one object table, index-and-
// generation handles), the simulation clock, the loaded modules, the custom commands,
// the open configuration files, the global mesh store and the window system.
//
// Frames: the global frame has the axes of the ecliptic and equinox of J2000, origin at
// the Sun, metres; y points to ecliptic north and longitude runs from +x toward +z (a
// left-handed frame). Body frames have y on the rotation pole.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/oapi.h"
#include "sim/bodies/ephemeris.h"
#include "sim/core/handles.h"
#include "sim/core/log.h"
#include "sim/files/config_file.h"
#include "sim/files/scenario_file.h"
#include "sim/modules/module.h"
#include "sim/vessels/vessel.h"

namespace sim {

class WindowSystem;

struct CustomCommand {
    DWORD id;
    std::string label;
    std::string description;
    CustomFunc func;
    void* context;
};

// The cursor behind a scenario FILEHANDLE: the lines of one vessel's block while it is
// read, or the block being written.
struct ScenarioCursor {
    std::vector<std::string> lines;  // reading: the block's lines as in the file
    std::size_t next = 0;
    std::string current;             // the line handed out last (its buffer)
    std::vector<std::string>* out = nullptr;  // writing: where "  KEY VALUE" lines go
};

// What an ANIMATIONCOMPONENT_HANDLE names: a component of one vessel.
struct ComponentRef {
    RawHandle vessel;
    int index;  // into Vessel::components
};

struct MeshRecord {
    std::string name;
    std::filesystem::path file;  // empty when Meshes/NAME.msh does not exist
    int group_count = 0;         // from the file; 0 without geometry
};

class Simulator {
public:
    // `root` is the main folder (data/); paths of oapiOpenFile resolve against it.
    explicit Simulator(std::filesystem::path root);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // The running instance, or null.
    static Simulator* current() { return current_; }
    // The running instance for a host call; without one the call is logged and counted
    // as a violation of `call` and null is answered.
    static Simulator* running(const char* call) { return current_ ? current_ : not_running(call); }

    const std::filesystem::path& root() const { return root_; }

    // --- Time ------------------------------------------------------------------------
    double sim_time() const { return sim_time_; }
    double mjd() const { return mjd_; }
    // Sets the date of the current run (scenario Date MJD); bodies move at once.
    void set_mjd(double mjd);
    // One step of `dt` seconds: the window repaints asked for since the last step; then
    // bodies and vessels move; then every vessel's clbkAfterStep, then every plug-in's
    // opcPostStep; then the deletions requested during the step are carried out.
    void step(double dt);

    // --- Runs ----------------------------------------------------------------------------
    // Ends the current run (every vessel deleted, every handle of the run stale) and
    // starts a new one from the scenario. Throws ScenarioError when the file is missing
    // or malformed; the run is then empty.
    void load_scenario(const std::filesystem::path& file);
    // Writes the current state as a scenario file. Throws std::runtime_error when the
    // file cannot be written.
    void save_scenario(const std::filesystem::path& file);
    std::string scenario_text();
    // Ends the current run: every vessel is deleted (ovcExit), bodies are recreated;
    // plug-ins stay loaded. The clock restarts at 0 with the same MJD.
    void end_run();

    // --- Modules --------------------------------------------------------------------------
    ModuleLoader& modules() { return modules_; }
    Module* load_plugin(const std::string& name_or_path);
    // Unloads a module: its windows are closed and, for a vessel module, its vessels
    // deleted, before ExitModule.
    void unload_module(Module* module);

    // --- Objects ----------------------------------------------------------------------------
    OBJHANDLE body(BodyId id) const { return bodies_[int(id)]; }
    // Lookups that answer null for stale or foreign handles without counting them.
    Object* object(OBJHANDLE h) const { return objects_.find(raw(h)); }
    Vessel* vessel(OBJHANDLE h) const {
        Object* o = object(h);
        return o && o->type() == ObjectType::Vessel ? static_cast<Vessel*>(o) : nullptr;
    }
    Body* body_object(OBJHANDLE h) const;
    // Lookups for the host calls: a bad handle is logged against `call` and counted.
    Object* checked_object(OBJHANDLE h, const char* call) const {
        Object* o = object(h);
        if (!o) [[unlikely]]
            report_bad_object(h, call);
        return o;
    }
    Vessel* checked_vessel(OBJHANDLE h, const char* call) const;
    OBJHANDLE handle_of(const Object* object) const;

    OBJHANDLE find_object(const std::string& name) const;
    std::vector<OBJHANDLE> vessel_handles() const;  // in creation order

    // Creates a vessel (see oapiCreateVesselEx). Null and a log line when the name is in
    // use or empty, or the status is malformed.
    OBJHANDLE create_vessel(const std::string& name, const std::string& class_name,
                            const VesselCreateStatus& status);
    // Marks a vessel for deletion at the end of the current step (or at once, outside a
    // step). False for a bad handle.
    bool request_deletion(OBJHANDLE vessel);

    OBJHANDLE focus() const { return focus_; }
    // False when the vessel does not exist or its focus is disabled.
    bool set_focus(OBJHANDLE vessel);

    // Global state, metres and m/s; rotation: own frame into the global frame.
    const VECTOR3& global_pos(const Object& o) const {
        if (o.type() == ObjectType::Body) return body_states_.pos[int(static_cast<const Body&>(o).id)];
        return static_cast<const Vessel&>(o).global_pos;
    }
    const VECTOR3& global_vel(const Object& o) const {
        if (o.type() == ObjectType::Body) return body_states_.vel[int(static_cast<const Body&>(o).id)];
        return static_cast<const Vessel&>(o).global_vel;
    }
    const MATRIX3& rotation(const Object& o) const {
        if (o.type() == ObjectType::Body) return body_states_.rot[int(static_cast<const Body&>(o).id)];
        return static_cast<const Vessel&>(o).state.attitude;
    }
    double size(const Object& object) const;
    // The body a vessel's surface is nearest to: the Moon inside 6.61e7 m of its
    // centre, otherwise Earth.
    OBJHANDLE surface_ref(const Vessel& vessel) const;

    const Ephemeris& ephemeris() const { return ephemeris_; }
    const BodyStates& body_states() const { return body_states_; }

    // --- Custom commands ------------------------------------------------------------------------
    DWORD register_command(const char* label, const char* description, CustomFunc func, void* context);
    bool unregister_command(DWORD id);
    const std::vector<CustomCommand>& commands() const { return commands_; }
    // Runs the command with this label; false when there is none.
    bool run_command(const std::string& label);

    // --- Files ----------------------------------------------------------------------------------
    HandleTable<ConfigFile>& config_files() { return config_files_; }
    HandleTable<ScenarioCursor>& scenario_cursors() { return scenario_cursors_; }
    // The global mesh store: one handle per name.
    MESHHANDLE load_mesh(const std::string& name);
    const MeshRecord* mesh(MESHHANDLE h) const;
    // Animation component handles of all vessels.
    HandleTable<ComponentRef>& component_handles() { return component_handles_; }

    // --- Windows --------------------------------------------------------------------------------
    WindowSystem& windows() { return *windows_; }

    // --- For the VESSEL methods ------------------------------------------------------------------
    // Applies one scenario line the class handed back (ParseScenarioLineEx): a standard
    // line changes the state being restored, any other line is kept.
    bool apply_scenario_line(Vessel& vessel, void* status, const char* line);
    bool in_step() const { return in_step_; }

private:
    // The slow paths of running() and checked_object(): log and count the violation.
    static Simulator* not_running(const char* call);
    static void report_bad_object(OBJHANDLE h, const char* call);

    static Simulator* current_;  // the running instance

    void create_bodies();
    Vessel* instantiate(const std::string& name, const std::string& class_name, const VesselState& state);
    void on_unload(Module& module, bool exited);
    void update_bodies();
    void update_vessel_global(Vessel& vessel);
    void propagate(double dt);
    void carry_out_deletions();
    template <class F>
    void in_callback(F&& call);
    void delete_now(OBJHANDLE h);
    void restore_ships(const ScenarioDoc& doc, const std::string& file);
    Module* vessel_module_for(const std::string& class_name);

    std::filesystem::path root_;
    double sim_time_ = 0;
    double mjd_ = 60000.0;
    bool in_step_ = false;
    int callback_depth_ = 0;  // vessel callbacks running outside a step

    Ephemeris ephemeris_;
    BodyStates body_states_{};
    HandleTable<Object> objects_{HandleKind::Object};
    std::unordered_map<std::string, RawHandle> names_;  // every object by name
    OBJHANDLE bodies_[3] = {nullptr, nullptr, nullptr};
    std::vector<OBJHANDLE> vessel_order_;
    OBJHANDLE focus_ = nullptr;
    std::vector<OBJHANDLE> pending_deletions_;

    ModuleLoader modules_;
    std::vector<CustomCommand> commands_;
    DWORD next_command_id_ = 1;

    HandleTable<ConfigFile> config_files_{HandleKind::File};
    HandleTable<ScenarioCursor> scenario_cursors_{HandleKind::Scenario};
    HandleTable<MeshRecord> meshes_{HandleKind::Mesh};
    HandleTable<ComponentRef> component_handles_{HandleKind::AnimComp};

    std::vector<std::string> scenario_description_;
    std::string scenario_system_ = "Sol";
    std::vector<std::string> scenario_environment_extra_;
    std::vector<std::string> scenario_focus_extra_;
    std::vector<std::string> scenario_extra_;
    VesselState* restoring_ = nullptr;  // the state clbkRestoreState is filling

    std::unique_ptr<WindowSystem> windows_;
};

}  // namespace sim
