#include "sim/files/paths.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

namespace sim {

namespace {

bool same_without_case(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::optional<std::filesystem::path> resolve_under_root(const std::filesystem::path& root, std::string_view relative) {
    namespace fs = std::filesystem;
    std::string rel(relative);
    std::replace(rel.begin(), rel.end(), '\\', '/');
    if (rel.empty() || rel.front() == '/') return std::nullopt;
    fs::path current = root;
    std::size_t start = 0;
    while (start <= rel.size()) {
        std::size_t end = rel.find('/', start);
        if (end == std::string::npos) end = rel.size();
        const std::string part = rel.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") return std::nullopt;
        std::error_code ec;
        if (fs::exists(current / part, ec)) {
            current /= part;
            continue;
        }
        bool found = false;
        for (const auto& entry : fs::directory_iterator(current, ec)) {
            if (same_without_case(entry.path().filename().string(), part)) {
                current = entry.path();
                found = true;
                break;
            }
        }
        if (!found) return std::nullopt;
    }
    std::error_code ec;
    if (!fs::exists(current, ec)) return std::nullopt;
    return current;
}

}  // namespace sim
