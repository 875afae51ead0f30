// Host calls for configuration files: oapiOpenFile, oapiCloseFile and the typed item
// readers, on the simulator's table of open files.
//
// Every call checks its handle: a null, stale (closed) or foreign handle does nothing,
// answers false, and is logged naming the call and counted as a contract violation.
#include <cstdio>
#include <memory>
#include <string>

#include "host/oapi.h"
#include "sim/core/log.h"
#include "sim/files/config_file.h"
#include "sim/files/paths.h"
#include "sim/simulator.h"

namespace {

using sim::ConfigFile;
using sim::Simulator;

std::string describe(FILEHANDLE file) {
    if (!file) return "null file handle";
    char buf[64];
    std::snprintf(buf, sizeof buf, "stale or foreign file handle 0x%016llx",
                  static_cast<unsigned long long>(sim::raw(file)));
    return buf;
}

Simulator* running(const char* call) { return Simulator::running(call); }

// The open file behind a handle, or null (logged and counted).
const ConfigFile* checked_file(FILEHANDLE file, const char* key, const char* call) {
    Simulator* sim = running(call);
    if (!sim) return nullptr;
    const ConfigFile* config = sim->config_files().find(sim::raw(file));
    if (!config) {
        sim::log().violation(call, describe(file));
        return nullptr;
    }
    if (!key) {
        sim::log().violation(call, "null key on " + config->source());
        return nullptr;
    }
    return config;
}

FILEHANDLE insert(Simulator& sim, ConfigFile file) {
    return sim::typed<FILEHANDLE>(sim.config_files().insert(std::make_unique<ConfigFile>(std::move(file))));
}

}  // namespace

// Opens a configuration file for reading. `root` picks the folder of the main folder the
// path is relative to (ROOT: the main folder itself, CONFIG: Config/, SCENARIOS:
// Scenarios/, MESHES: Meshes/, ...); '\' separates like '/', and folder and file names
// match without regard to case. Every failure (a write mode, an unknown root, a path
// that leaves the main folder, a missing or refused file) still gives a handle, on which
// every read finds nothing; the reason is logged as a warning.
FILEHANDLE oapiOpenFile(const char* path, FileAccessMode mode, PathRoot root) {
    static constexpr const char* call = "oapiOpenFile";
    Simulator* sim = running(call);
    if (!sim) return nullptr;
    if (!path) {
        sim::log().violation(call, "null path");
        return insert(*sim, ConfigFile::empty("(null path)"));
    }
    const std::string name = path;
    if (mode != FILE_IN && mode != FILE_IN_ZEROONFAIL) {
        sim::log().warn(std::string(call) + ": \"" + name + "\": mode " + std::to_string(int(mode)) +
                        " is not supported (files open for reading only); reads find nothing");
        return insert(*sim, ConfigFile::empty(name));
    }
    const auto folder = sim::path_root_folder(int(root));
    if (!folder) {
        sim::log().warn(std::string(call) + ": \"" + name + "\": unknown path root " + std::to_string(int(root)) +
                        "; reads find nothing");
        return insert(*sim, ConfigFile::empty(name));
    }
    const std::string relative = folder->empty() ? name : std::string(*folder) + "/" + name;
    const auto found = sim::resolve_under_root(sim->root(), relative, call);
    if (!found) {
        sim::log().warn(std::string(call) + ": \"" + relative + "\" not found under " + sim->root().string() +
                        "; reads find nothing");
        return insert(*sim, ConfigFile::empty(name));
    }
    return insert(*sim, ConfigFile::load(*found));
}

// Closes a file; its handle goes stale. The mode is not looked at.
void oapiCloseFile(FILEHANDLE file, FileAccessMode) {
    static constexpr const char* call = "oapiCloseFile";
    Simulator* sim = running(call);
    if (!sim) return;
    if (!sim->config_files().erase(sim::raw(file))) sim::log().violation(call, describe(file));
}

bool oapiReadItem_int(FILEHANDLE file, const char* key, int& value) {
    const ConfigFile* config = checked_file(file, key, "oapiReadItem_int");
    return config && config->read_int(key, value);
}

bool oapiReadItem_float(FILEHANDLE file, const char* key, double& value) {
    const ConfigFile* config = checked_file(file, key, "oapiReadItem_float");
    return config && config->read_float(key, value);
}

bool oapiReadItem_bool(FILEHANDLE file, const char* key, bool& value) {
    const ConfigFile* config = checked_file(file, key, "oapiReadItem_bool");
    return config && config->read_bool(key, value);
}

bool oapiReadItem_string(FILEHANDLE file, const char* key, char* value) {
    static constexpr const char* call = "oapiReadItem_string";
    const ConfigFile* config = checked_file(file, key, call);
    if (!config) return false;
    if (!value) {
        sim::log().violation(call, "null buffer for \"" + std::string(key) + "\" on " + config->source());
        return false;
    }
    return config->read_string(key, value);
}

bool oapiReadItem_vec(FILEHANDLE file, const char* key, VECTOR3& value) {
    const ConfigFile* config = checked_file(file, key, "oapiReadItem_vec");
    return config && config->read_vec(key, value);
}
