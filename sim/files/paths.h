// Paths that modules hand the host, resolved under the main folder.
//
// The modules were written for a host on a case-insensitive file system with '\' as the
// separator: "config\Orvenet\TDRS.cfg" and "Config/Vessels/Relvana.cfg" name folders
// that may differ in case only. A module path is split at '\' and '/'; "." and empty
// components are dropped and ".." steps back one component. A path never leaves the
// root: an absolute path ("/etc", "\x", "C:x") or one whose ".." climbs above the root is
// refused. On the disk, each component is matched exactly first and otherwise without
// regard to ASCII case; when several entries of a folder match ("config" and "Config"),
// each is tried in turn (exact first, then in name order), as a case-insensitive file
// system would merge them.
//
// Symbolic links inside the main folder are followed as they are: the main folder is
// the host's own data, and only module paths are confined.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/oapi.h"

namespace sim {

// The components of a module path, or nullopt when it is absolute or climbs above the
// root. An empty result names the root itself.
std::optional<std::vector<std::string>> split_module_path(std::string_view path);

// The folder of the main folder that a PathRoot names ("" for ROOT, "Config" for
// CONFIG, "Scenarios", "Textures", "Textures2", "Meshes", "Modules"), or nullopt for a
// value outside the enumeration.
std::optional<std::string_view> path_root_folder(int root);

// The existing file or folder that `path` names under `root` (see above), or nullopt
// when there is none. A path that would leave the root is logged (naming `call`) and
// answers nullopt, as a missing file.
std::optional<std::filesystem::path> resolve_under_root(const std::filesystem::path& root, std::string_view path,
                                                     const char* call = "path");

}  // namespace sim
