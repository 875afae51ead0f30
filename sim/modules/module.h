// Loaded modules (plug-ins and vessel modules) and the loader that plays the operating
// system's part for them.
//
// Loading: dlopen (the module's static initialisations run), the module's DllMain with
// DLL_PROCESS_ATTACH, then InitModule. Unloading: the windows whose procedure lives in
// the module are closed first, then ExitModule, DllMain with DLL_PROCESS_DETACH, dlclose.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/module.h"
#include "host/resources.h"
#include "sim/core/handles.h"

namespace sim {

enum class ModuleKind { Plugin, Vessel };

class Module {
public:
    std::string name;              // as requested ("Kavrin", "Relvana")
    std::filesystem::path path;    // the shared library file
    ModuleKind kind = ModuleKind::Plugin;
    HINSTANCE instance = nullptr;  // handle naming this module
    void* dl = nullptr;            // dlopen handle

    // Exports looked up at load (null when absent).
    InitModuleFunc init_module = nullptr;
    ExitModuleFunc exit_module = nullptr;
    DllMainFunc dll_main = nullptr;
    PostStepFunc post_step = nullptr;
    VesselInitFunc ovc_init = nullptr;
    VesselExitFunc ovc_exit = nullptr;
    const ResourceTable* resources = nullptr;

    // dlsym on the module itself (not on what it links against); null when absent.
    void* symbol(const char* name) const;
    // Whether a code or data address lies inside this module's image.
    bool contains(const void* address) const;
    // Resource lookups; null when the module has none of that number.
    const DialogTemplate* dialog(int id) const;
    const BitmapResource* bitmap(int id) const;
    const char* string(int id) const;
};

class ModuleLoader {
public:
    ModuleLoader();
    ~ModuleLoader();  // unloads every module, newest first

    // Folders searched for NAME.so, in order (the runner adds the build's module folder).
    std::vector<std::filesystem::path>& search_path() { return search_path_; }

    // Loads a module by name (searched as NAME.so) or by a path to a .so file. A module
    // already loaded is returned as it is. Null (and a log line) when it cannot be found
    // or opened.
    Module* load(const std::string& name_or_path, ModuleKind kind);
    // Unloads one module; the callback runs first so that the host can close the
    // module's windows and delete its vessels.
    void unload(Module* module);
    void unload_all();

    Module* find(HINSTANCE instance) const;
    Module* find(const std::string& name) const;
    Module* containing(const void* address) const;
    std::vector<Module*> modules() const;  // in load order
    std::vector<Module*> plugins() const;

    // Called with each module being unloaded: with `exited` false just before its
    // ExitModule (the host closes its windows and deletes its vessels), with `exited` true
    // after its entry point's detach, while its code is still mapped (the host drops what
    // the module left registered).
    using UnloadHook = void (*)(Module*, bool exited, void* context);
    void set_unload_hook(UnloadHook hook, void* context) {
        unload_hook_ = hook;
        unload_hook_context_ = context;
    }

private:
    std::vector<std::filesystem::path> search_path_;
    std::vector<std::unique_ptr<Module>> modules_;
    HandleTable<Module*> instances_{HandleKind::Module};  // names the instance handles
    UnloadHook unload_hook_ = nullptr;
    void* unload_hook_context_ = nullptr;
};

}  // namespace sim
