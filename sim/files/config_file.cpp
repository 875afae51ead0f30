// Placeholder configuration reader until the full one lands.
#include "sim/files/config_file.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace sim {

namespace {
std::string norm(std::string_view k) {
    std::string out;
    for (char c : k)
        if (!std::isspace(static_cast<unsigned char>(c))) out += char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}
std::string trim(std::string s) {
    const auto a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}
}  // namespace

ConfigFile ConfigFile::from_text(std::string_view text, const std::string& source) {
    ConfigFile f;
    f.source_ = source;
    std::istringstream in{std::string(text)};
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find(';'));
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        f.items_.emplace(norm(line.substr(0, eq)), trim(line.substr(eq + 1)));
    }
    return f;
}

ConfigFile ConfigFile::load(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return from_text(s.str(), path.string());
}

const std::string* ConfigFile::find(std::string_view key) const {
    auto it = items_.find(norm(key));
    return it == items_.end() ? nullptr : &it->second;
}
bool ConfigFile::read_int(std::string_view key, int& v) const {
    const std::string* s = find(key);
    if (!s) return false;
    v = std::atoi(s->c_str());
    return true;
}
bool ConfigFile::read_float(std::string_view key, double& v) const {
    const std::string* s = find(key);
    if (!s) return false;
    v = std::atof(s->c_str());
    return true;
}
bool ConfigFile::read_bool(std::string_view key, bool& v) const {
    const std::string* s = find(key);
    if (!s) return false;
    v = norm(*s) == "true";
    return true;
}
bool ConfigFile::read_string(std::string_view key, char* v) const {
    const std::string* s = find(key);
    if (!s) return false;
    std::strncpy(v, s->c_str(), 255);
    v[255] = 0;
    return true;
}
bool ConfigFile::read_vec(std::string_view key, VECTOR3& v) const {
    const std::string* s = find(key);
    if (!s) return false;
    std::istringstream in(*s);
    in >> v.x >> v.y >> v.z;
    return true;
}

}  // namespace sim
