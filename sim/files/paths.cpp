#include "paths.h"

#include <algorithm>
#include <system_error>

#include "sim/core/log.h"
#include "sim/files/text.h"

namespace sim {

namespace {

using text::equal_folded;

bool is_separator(char c) { return c == '/' || c == '\\'; }

// The entries of `dir` that `name` names: the exact one first, then those that differ
// in case only, in name order. Unreadable folders have none.
std::vector<std::filesystem::path> matching_entries(const std::filesystem::path& dir, const std::string& name) {
    std::vector<std::filesystem::path> out;
    std::error_code ec;
    if (std::filesystem::exists(dir / name, ec)) out.push_back(dir / name);
    std::vector<std::filesystem::path> others;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (entry != name && equal_folded(entry, name)) others.push_back(it->path());
    }
    std::sort(others.begin(), others.end());
    out.insert(out.end(), others.begin(), others.end());
    return out;
}

std::optional<std::filesystem::path> resolve(const std::filesystem::path& dir, const std::vector<std::string>& parts,
                                             std::size_t i) {
    if (i == parts.size()) return dir;
    for (const std::filesystem::path& entry : matching_entries(dir, parts[i])) {
        if (i + 1 < parts.size()) {
            std::error_code ec;
            if (!std::filesystem::is_directory(entry, ec)) continue;
        }
        if (auto found = resolve(entry, parts, i + 1)) return found;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<std::string>> split_module_path(std::string_view path) {
    if (!path.empty() && is_separator(path.front())) return std::nullopt;                 // "/x", "\x"
    if (path.size() >= 2 && path[1] == ':') return std::nullopt;                            // "C:x"
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !is_separator(path[end])) ++end;
        const std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (parts.empty()) return std::nullopt;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.emplace_back(part);
        }
        start = end + 1;
    }
    return parts;
}

std::optional<std::string_view> path_root_folder(int root) {
    switch (root) {
        case ROOT: return "";
        case CONFIG: return "Config";
        case SCENARIOS: return "Scenarios";
        case TEXTURES: return "Textures";
        case TEXTURES2: return "Textures2";
        case MESHES: return "Meshes";
        case MODULES: return "Modules";
        default: return std::nullopt;
    }
}

std::optional<std::filesystem::path> resolve_under_root(const std::filesystem::path& root, std::string_view path,
                                                     const char* call) {
    const auto parts = split_module_path(path);
    if (!parts) {
        log().warn(std::string(call) + ": path \"" + std::string(path) + "\" leaves the main folder; refused");
        return std::nullopt;
    }
    return resolve(root, *parts, 0);
}

}  // namespace sim
