// The module loader: dlopen plus the entry-point emulation of a Windows module.
//
// Index:
//   Module      symbol lookups and resources
//   loading     load(), the search path
//   unloading   unload(), unload_all()

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstring>

#include "sim/core/log.h"
#include "sim/modules/module.h"

#ifndef ORV_DEFAULT_MODULE_DIR
#define ORV_DEFAULT_MODULE_DIR ""
#endif

namespace sim {

// --- Module --------------------------------------------------------------------------------

void* Module::symbol(const char* name) const {
    if (!dl || !name) return nullptr;
    void* address = dlsym(dl, name);
    // dlsym also searches what the module links against; only the module's own
    // exports count.
    return address && contains(address) ? address : nullptr;
}

bool Module::contains(const void* address) const {
    if (!dl || !address) return false;
    Dl_info info{};
    if (!dladdr(address, &info) || !info.dli_fname) return false;
    link_map* map = nullptr;
    if (dlinfo(dl, RTLD_DI_LINKMAP, &map) != 0 || !map) return false;
    return reinterpret_cast<std::uintptr_t>(info.dli_fbase) == map->l_addr ||
           (map->l_name && std::strcmp(map->l_name, info.dli_fname) == 0);
}

const DialogTemplate* Module::dialog(int id) const {
    if (!resources) return nullptr;
    for (int i = 0; i < resources->dialog_count; ++i)
        if (resources->dialogs[i].id == id) return &resources->dialogs[i];
    return nullptr;
}

const BitmapResource* Module::bitmap(int id) const {
    if (!resources) return nullptr;
    for (int i = 0; i < resources->bitmap_count; ++i)
        if (resources->bitmaps[i].id == id) return &resources->bitmaps[i];
    return nullptr;
}

const char* Module::string(int id) const {
    if (!resources) return nullptr;
    for (int i = 0; i < resources->string_count; ++i)
        if (resources->strings[i].id == id) return resources->strings[i].text;
    return nullptr;
}

// --- loading ---------------------------------------------------------------------------------

ModuleLoader::ModuleLoader() {
    if (std::strlen(ORV_DEFAULT_MODULE_DIR) > 0) search_path_.emplace_back(ORV_DEFAULT_MODULE_DIR);
}

ModuleLoader::~ModuleLoader() { unload_all(); }

namespace {

template <class F>
F lookup(const Module& module, const char* name) {
    return reinterpret_cast<F>(module.symbol(name));
}

}  // namespace

Module* ModuleLoader::load(const std::string& name_or_path, ModuleKind kind) {
    namespace fs = std::filesystem;
    fs::path file;
    std::string name = name_or_path;
    if (name_or_path.find('/') != std::string::npos || fs::path(name_or_path).extension() == ".so") {
        file = fs::absolute(name_or_path);
        name = file.stem().string();
    } else {
        for (const fs::path& dir : search_path_) {
            fs::path candidate = dir / (name_or_path + ".so");
            if (fs::exists(candidate)) {
                file = fs::absolute(candidate);
                break;
            }
        }
    }
    for (const auto& m : modules_)
        if (m->name == name || (!file.empty() && m->path == file)) return m.get();
    if (file.empty() || !fs::exists(file)) {
        log().warn("module \"" + name_or_path + "\" not found in the module path");
        return nullptr;
    }

    auto module = std::make_unique<Module>();
    module->name = name;
    module->path = file;
    module->kind = kind;
    module->instance = typed<HINSTANCE>(instances_.insert(std::make_unique<Module*>(module.get())));
    // Registered before dlopen: the module's static initialisation may already call the
    // host, and the host must be able to name the module then.
    Module* m = module.get();
    modules_.push_back(std::move(module));

    m->dl = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m->dl) {
        const char* err = dlerror();
        log().warn("module \"" + name_or_path + "\" cannot be loaded: " + (err ? err : "unknown error"));
        instances_.erase(raw(m->instance));
        modules_.pop_back();
        return nullptr;
    }
    m->dll_main = lookup<DllMainFunc>(*m, "DllMain");
    m->init_module = lookup<InitModuleFunc>(*m, "InitModule");
    m->exit_module = lookup<ExitModuleFunc>(*m, "ExitModule");
    m->post_step = lookup<PostStepFunc>(*m, "opcPostStep");
    m->ovc_init = lookup<VesselInitFunc>(*m, "ovcInit");
    m->ovc_exit = lookup<VesselExitFunc>(*m, "ovcExit");
    if (auto resources = lookup<ModuleResourcesFunc>(*m, "ModuleResources")) m->resources = resources();

    log().info("module loaded: " + m->name + " (" + m->path.string() + ")");
    if (m->dll_main) m->dll_main(m->instance, DLL_PROCESS_ATTACH, nullptr);
    if (m->init_module) m->init_module(m->instance);
    return m;
}

// --- unloading -------------------------------------------------------------------------------

void ModuleLoader::unload(Module* module) {
    auto it = std::find_if(modules_.begin(), modules_.end(), [&](const auto& m) { return m.get() == module; });
    if (it == modules_.end()) return;
    if (unload_hook_) unload_hook_(module, false, unload_hook_context_);
    if (module->exit_module) module->exit_module(module->instance);
    if (module->dll_main) module->dll_main(module->instance, DLL_PROCESS_DETACH, nullptr);
    if (unload_hook_) unload_hook_(module, true, unload_hook_context_);
    if (module->dl) dlclose(module->dl);
    log().info("module unloaded: " + module->name);
    instances_.erase(raw(module->instance));
    modules_.erase(std::find_if(modules_.begin(), modules_.end(), [&](const auto& m) { return m.get() == module; }));
}

void ModuleLoader::unload_all() {
    while (!modules_.empty()) unload(modules_.back().get());
}

Module* ModuleLoader::find(HINSTANCE instance) const {
    Module** m = instances_.find(raw(instance));
    return m ? *m : nullptr;
}

Module* ModuleLoader::find(const std::string& name) const {
    for (const auto& m : modules_)
        if (m->name == name) return m.get();
    return nullptr;
}

Module* ModuleLoader::containing(const void* address) const {
    for (const auto& m : modules_)
        if (m->contains(address)) return m.get();
    return nullptr;
}

std::vector<Module*> ModuleLoader::modules() const {
    std::vector<Module*> out;
    for (const auto& m : modules_) out.push_back(m.get());
    return out;
}

std::vector<Module*> ModuleLoader::plugins() const {
    std::vector<Module*> out;
    for (const auto& m : modules_)
        if (m->kind == ModuleKind::Plugin) out.push_back(m.get());
    return out;
}

}  // namespace sim
