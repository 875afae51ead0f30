// Host configuration files: lines "KEY = value", ';' starts a comment.
//
// Keys compare without regard to case and surrounding blanks; the first occurrence of a
// key wins. A file is parsed once, when it is opened, so every read is a lookup. A file
// that cannot be read or is refused (too large, over-long lines, binary content) is an
// empty file: every read finds nothing; the reason is logged.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

#include "host/types.h"

namespace sim {

class ConfigFile {
public:
    ConfigFile() = default;
    // Parses `text`; `source` names it in log lines.
    static ConfigFile from_text(std::string_view text, const std::string& source);
    // Reads and parses a file; a missing file gives an empty one and a warning.
    static ConfigFile load(const std::filesystem::path& path);

    // Typed readers: true and the value on success; false and `value` untouched when the
    // key is missing or its value does not parse.
    bool read_int(std::string_view key, int& value) const;
    bool read_float(std::string_view key, double& value) const;
    bool read_bool(std::string_view key, bool& value) const;    // TRUE / FALSE
    bool read_string(std::string_view key, char* value) const;  // cut to 255 chars + NUL
    bool read_vec(std::string_view key, VECTOR3& value) const;  // three numbers

    // The raw (trimmed) value of a key, or null.
    const std::string* find(std::string_view key) const;
    std::size_t item_count() const { return items_.size(); }
    const std::string& source() const { return source_; }

private:
    std::string source_;
    std::unordered_map<std::string, std::string> items_;  // normalised key -> value
};

}  // namespace sim
