#include "config_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <system_error>
#include <type_traits>

#include "sim/core/log.h"
#include "sim/files/text.h"

namespace sim {

namespace {

using namespace text;

// Writes the normalised form of `key` (trimmed, case folded, inner blank runs as one
// blank) into `out`, which holds `capacity` characters. Answers its length, or nullopt
// when it does not fit.
std::optional<std::size_t> normalise_key(std::string_view key, char* out, std::size_t capacity) {
    std::size_t n = 0;
    bool blank = false;
    for (char c : trim(key)) {
        if (is_blank(c)) {
            blank = true;
            continue;
        }
        if (n + (blank ? 2 : 1) > capacity) return std::nullopt;
        if (blank) out[n++] = ' ';
        blank = false;
        out[n++] = fold(c);
    }
    return n;
}

std::string normalised(std::string_view key) {
    std::string out(key.size(), '\0');
    out.resize(*normalise_key(key, out.data(), out.size()));
    return out;
}

// A whole value as a number; a leading '+' is allowed, nothing may follow.
template <class T>
bool parse_number(std::string_view text, T& out) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-' || text.front() == '+') return false;
    }
    if (text.empty()) return false;
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(value)) return false;
    }
    out = value;
    return true;
}

std::string hex_byte(unsigned char c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", unsigned(c));
    return buf;
}

}  // namespace

// --- Parsing --------------------------------------------------------------------------

ConfigFile ConfigFile::empty(const std::string& source) {
    ConfigFile file;
    file.source_ = source;
    return file;
}

ConfigFile ConfigFile::from_text(std::string_view text, const std::string& source) {
    ConfigFile file = empty(source);
    auto refuse = [&](const std::string& why) {
        log().warn("config file " + source + " refused: " + why + "; reads find nothing");
        return empty(source);
    };
    if (text.size() > kMaxFileSize)
        return refuse(std::to_string(text.size()) + " bytes, over the limit of " + std::to_string(kMaxFileSize));
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    // Parse fully into `file`; a refusal on a later line throws all of it away.
    int line_number = 0;
    while (!text.empty()) {
        ++line_number;
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        const std::string where = "line " + std::to_string(line_number);
        if (line.size() > kMaxLineLength)
            return refuse(where + " has " + std::to_string(line.size()) + " characters, over the limit of " +
                          std::to_string(kMaxLineLength));
        for (char c : line) {
            const auto u = static_cast<unsigned char>(c);
            if ((u < 0x20 && c != '\t') || u == 0x7F) return refuse(where + " holds the control byte " + hex_byte(u));
        }

        const std::string_view content = trim(line.substr(0, line.find(';')));
        if (content.empty()) continue;
        const std::size_t eq = content.find('=');
        if (eq == std::string_view::npos) {
            log().warn(source + ":" + std::to_string(line_number) + ": no '=' in \"" + std::string(content) +
                       "\"; line ignored");
            continue;
        }
        std::string key = normalised(content.substr(0, eq));
        if (key.empty()) {
            log().warn(source + ":" + std::to_string(line_number) + ": no key in \"" + std::string(content) +
                       "\"; line ignored");
            continue;
        }
        file.items_.try_emplace(std::move(key), trim(content.substr(eq + 1)));  // the first occurrence wins
    }
    return file;
}

ConfigFile ConfigFile::load(const std::filesystem::path& path) {
    const std::string source = path.string();
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) {
        log().warn("config file " + source + " not found; reads find nothing");
        return empty(source);
    }
    if (!std::filesystem::is_regular_file(status)) {
        log().warn("config file " + source + " refused: not a regular file; reads find nothing");
        return empty(source);
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxFileSize) {
        log().warn("config file " + source + " refused: " + std::to_string(size) + " bytes, over the limit of " +
                   std::to_string(kMaxFileSize) + "; reads find nothing");
        return empty(source);
    }
    std::ifstream in(path, std::ios::binary);
    // Read one byte past the limit, so a file that grew since the size check is still
    // refused rather than cut.
    std::string text(kMaxFileSize + 1, '\0');
    in.read(text.data(), std::streamsize(text.size()));
    if (in.bad() || (!in && !in.eof())) {
        log().warn("config file " + source + " cannot be read; reads find nothing");
        return empty(source);
    }
    text.resize(std::size_t(in.gcount()));
    return from_text(text, source);
}

// --- Reading --------------------------------------------------------------------------

const std::string* ConfigFile::find(std::string_view key) const {
    // The same key asked again (a list's count is read many times a step) is answered
    // from the last lookup, without normalising and hashing it anew.
    if (last_found_ && key == last_key_) return last_value_;
    const std::string* value = lookup(key);
    if (key.size() <= kRememberedKeyLength) {
        last_key_.assign(key);
        last_value_ = value;
        last_found_ = true;
    }
    return value;
}

const std::string* ConfigFile::lookup(std::string_view key) const {
    char buffer[kMaxLineLength];  // no stored key is longer than a line
    const auto length = normalise_key(key, buffer, sizeof buffer);
    if (!length) return nullptr;
    const auto it = items_.find(std::string_view(buffer, *length));
    return it == items_.end() ? nullptr : &it->second;
}

bool ConfigFile::read_int(std::string_view key, int& value) const {
    const std::string* text = find(key);
    if (!text) return false;
    if (text != int_text_) {
        int_parsed_ = parse_number(std::string_view(*text), int_value_);
        int_text_ = text;
    }
    if (int_parsed_) value = int_value_;
    return int_parsed_;
}

bool ConfigFile::read_float(std::string_view key, double& value) const {
    const std::string* text = find(key);
    return text && parse_number(std::string_view(*text), value);
}

bool ConfigFile::read_bool(std::string_view key, bool& value) const {
    const std::string* text = find(key);
    if (!text) return false;
    if (equal_folded(*text, "true")) {
        value = true;
        return true;
    }
    if (equal_folded(*text, "false")) {
        value = false;
        return true;
    }
    return false;
}

bool ConfigFile::read_string(std::string_view key, char* value) const {
    const std::string* text = find(key);
    if (!text || !value) return false;
    const std::size_t n = std::min(text->size(), kMaxStringLength);
    std::memcpy(value, text->data(), n);
    value[n] = '\0';
    return true;
}

bool ConfigFile::read_vec(std::string_view key, VECTOR3& value) const {
    const std::string* text = find(key);
    if (!text) return false;
    double v[3];
    std::string_view rest = *text;
    for (double& component : v) {
        rest = trim(rest);
        std::size_t end = 0;
        while (end < rest.size() && !is_blank(rest[end])) ++end;
        if (!parse_number(rest.substr(0, end), component)) return false;
        rest.remove_prefix(end);
    }
    if (!trim(rest).empty()) return false;
    value = VECTOR3{v[0], v[1], v[2]};
    return true;
}

}  // namespace sim
