// Paths of the main folder: what a module names (possibly with '\' separators and in
// another case than on disk) resolved against the root, never leaving it.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace sim {

// The existing file or folder that `relative` names under `root`, matching each path
// component without regard to case when there is no exact match. Null when it does not
// exist, or when the path is absolute or climbs out of the root.
std::optional<std::filesystem::path> resolve_under_root(const std::filesystem::path& root, std::string_view relative);

}  // namespace sim
