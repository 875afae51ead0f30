// Host configuration files: lines "KEY = value", ';' starts a comment.
//
// Keys compare without regard to case and surrounding blanks; the first occurrence of a
// key wins. A file is parsed once, when it is opened, so every read is a lookup. A file
// that cannot be read or is refused (too large, over-long lines, binary content) is an
// empty file: every read finds nothing; the reason is logged.
//
// Syntax, line by line (LF or CR LF; a leading UTF-8 byte-order mark is skipped):
// - everything from the first ';' on is a comment, so a value cannot hold a ';';
// - a line that is blank after that is skipped;
// - otherwise the key is the text before the first '=' and the value the text after
//   it, both trimmed of blanks (spaces, tabs). A line without '=' or with an empty key
//   is logged with its file and line number and skipped; the rest of the file counts.
// - Keys are normalised: ASCII letters fold to lower case and each run of inner blanks
//   counts as one blank, so "Base 1", "BASE 1" and " base\t 1 " name the same item.
//
// Values: integers are decimal with an optional sign ("010" is ten); floats are decimal
// or scientific ("1.5", "-2e3", ".5"), finite; booleans TRUE or FALSE in any case; a vec
// is three floats separated by blanks. A value with anything else in it ("3abc", "1e",
// "", "1 2" for a vec) does not parse.
//
// Refused (logged, read as empty): files over kMaxFileSize bytes, lines over
// kMaxLineLength characters, and content with a NUL or another control character
// than tab (binary files).
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "host/types.h"

namespace sim {

class ConfigFile {
public:
    static constexpr std::size_t kMaxFileSize = 256 * 1024;  // bytes
    static constexpr std::size_t kMaxLineLength = 4096;      // characters, without the line end
    static constexpr std::size_t kMaxStringLength = 255;     // string reads, without the NUL

    ConfigFile() = default;
    // Copies and moves forget the remembered lookup (it points into the source's items).
    ConfigFile(const ConfigFile& other) : source_(other.source_), items_(other.items_) {}
    ConfigFile(ConfigFile&& other) noexcept : source_(std::move(other.source_)), items_(std::move(other.items_)) {
        other.forget();
    }
    ConfigFile& operator=(const ConfigFile& other) {
        if (this != &other) {
            source_ = other.source_;
            items_ = other.items_;
            forget();
        }
        return *this;
    }
    ConfigFile& operator=(ConfigFile&& other) noexcept {
        source_ = std::move(other.source_);
        items_ = std::move(other.items_);
        forget();
        other.forget();
        return *this;
    }
    // Parses `text`; `source` names it in log lines.
    static ConfigFile from_text(std::string_view text, const std::string& source);
    // Reads and parses a file; a missing file gives an empty one and a warning.
    static ConfigFile load(const std::filesystem::path& path);
    // A file that reads nothing (a file that could not be opened); logs nothing.
    static ConfigFile empty(const std::string& source);

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
    const std::string* lookup(std::string_view key) const;
    void forget() const {
        last_found_ = false;
        int_text_ = nullptr;
    }
    // The last key asked for and what it found (null: not in the file); keys up to this
    // length are remembered, longer ones are looked up each time.
    static constexpr std::size_t kRememberedKeyLength = 15;
    mutable std::string last_key_;
    mutable const std::string* last_value_ = nullptr;
    mutable bool last_found_ = false;
    // The value last read as an integer and what it parsed to (a count read over and over
    // is parsed once). Values never change once the file is parsed.
    mutable const std::string* int_text_ = nullptr;
    mutable int int_value_ = 0;
    mutable bool int_parsed_ = false;
    // Lookups by std::string_view, so a read allocates nothing.
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const noexcept { return std::hash<std::string_view>{}(key); }
    };

    std::string source_;
    std::unordered_map<std::string, std::string, KeyHash, std::equal_to<>> items_;  // normalised key -> value
};

}  // namespace sim
