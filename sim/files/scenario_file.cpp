// Scenario files.
//
//   Text helpers         trimming, words, numbers and their formats
//   Attitude angles      euler_to_matrix, matrix_to_euler
//   Standard lines       parse_standard_line, standard_lines, vessel_block_line
//   Reading              parse_scenario, read_scenario_file
//   Writing              write_scenario
#include "scenario_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <map>
#include <system_error>

#include "sim/core/log.h"
#include "sim/files/text.h"

namespace sim {

namespace {

constexpr double kRadPerDeg = 0.017453292519943295;
constexpr double kDegPerRad = 57.29577951308232;
constexpr double kHalfPi = 1.5707963267948966;
// Angles are written rounded to this many units per degree (1e-10 degrees, a hundredth
// of a millimetre on Earth's surface). The numeric error of a degrees -> radians ->
// degrees trip (or of angles -> matrix -> angles) is below 1e-13 degrees, far inside
// half a unit, so a written angle reads back and writes again as the same text.
constexpr double kAngleUnitsPerDeg = 1e10;
// Beyond this many degrees, rounding to 1e-10 would lose the double's precision; such
// an angle is written as it is.
constexpr double kMaxRoundedDeg = 1e4;

// ====================================================================================
// Text helpers
// ====================================================================================

using namespace text;

// Splits off the first word of `s` (which the caller trimmed); `rest` is trimmed.
std::string_view first_word(std::string_view s, std::string_view& rest) {
    std::size_t end = 0;
    while (end < s.size() && !is_blank(s[end])) ++end;
    rest = trim(s.substr(end));
    return s.substr(0, end);
}

std::string in_quotes(std::string_view s) {
    std::string out(1, '"');
    return out.append(s).append(1, '"');
}

bool has_control_char(std::string_view s) {
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t') || u == 0x7F) return true;
    }
    return false;
}

// One finite number, the whole of `text`; a leading '+' is allowed.
bool parse_double(std::string_view text, double& out) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-' || text.front() == '+') return false;
    }
    if (text.empty()) return false;
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return false;
    out = v;
    return true;
}

// Exactly `n` numbers separated by blanks.
bool parse_numbers(std::string_view text, double* out, int n) {
    std::string_view rest = trim(text);
    for (int i = 0; i < n; ++i) {
        std::string_view after;
        if (!parse_double(first_word(rest, after), out[i])) return false;
        rest = after;
    }
    return rest.empty();
}

bool finite_or_warn(double v, const char* what) {
    if (std::isfinite(v)) return true;
    log().warn(std::string("scenario: ") + what + " is not finite; written as 0");
    return false;
}

// The shortest text that reads back as the same double.
std::string format_exact(double v, const char* what) {
    if (!finite_or_warn(v, what)) v = 0;
    if (v == 0) v = 0;  // no "-0"
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, ec == std::errc() ? end : buf);
}

// An angle in degrees, rounded to 1e-10 degrees (see kAngleUnitsPerDeg).
std::string format_degrees(double deg, const char* what) {
    if (!finite_or_warn(deg, what)) deg = 0;
    if (std::fabs(deg) < kMaxRoundedDeg) deg = std::round(deg * kAngleUnitsPerDeg) / kAngleUnitsPerDeg;
    return format_exact(deg, what);
}

// Degrees in (-180, 180] (rounded first, so a value that rounds to -180 becomes 180).
std::string format_signed_angle(double rad, const char* what) {
    double deg = std::isfinite(rad) ? std::remainder(rad * kDegPerRad, 360.0) : rad;
    if (std::isfinite(deg)) {
        deg = std::round(deg * kAngleUnitsPerDeg) / kAngleUnitsPerDeg;
        if (deg <= -180.0) deg += 360.0;
    }
    return format_degrees(deg, what);
}

// Degrees in [0, 360).
std::string format_positive_angle(double rad, const char* what) {
    double deg = std::isfinite(rad) ? std::fmod(rad * kDegPerRad, 360.0) : rad;
    if (std::isfinite(deg)) {
        deg = std::round(deg * kAngleUnitsPerDeg) / kAngleUnitsPerDeg;
        if (deg < 0) deg += 360.0;
        if (deg >= 360.0) deg -= 360.0;
    }
    return format_degrees(deg, what);
}

// AROT's angles. When b is written as +-90 degrees, the text is read back in gimbal
// lock (a = 0, c the whole turn), so it is written that way too, even when the matrix is
// only within 1e-10 degrees of lock: the second save then writes the same text.
std::string format_attitude(const MATRIX3& m) {
    VECTOR3 e = matrix_to_euler(m);
    const std::string b = format_degrees(e.y * kDegPerRad, "AROT");
    if (b == "90" || b == "-90") {
        e.x = 0;
        e.z = std::atan2(m.m21, m.m22);
    }
    return format_signed_angle(e.x, "AROT") + " " + b + " " + format_signed_angle(e.z, "AROT");
}

std::string format_vector(const VECTOR3& v, const char* what) {
    return format_exact(v.x, what) + " " + format_exact(v.y, what) + " " + format_exact(v.z, what);
}

}  // namespace

// ====================================================================================
// Attitude angles
// ====================================================================================

MATRIX3 euler_to_matrix(const VECTOR3& angles) {
    const double ca = std::cos(angles.x), sa = std::sin(angles.x);
    const double cb = std::cos(angles.y), sb = std::sin(angles.y);
    const double cc = std::cos(angles.z), sc = std::sin(angles.z);
    // Rx(a) . Ry(b) . Rz(c), multiplied out.
    return {cb * cc,                -cb * sc,                sb,
            ca * sc + sa * sb * cc, ca * cc - sa * sb * sc,  -sa * cb,
            sa * sc - ca * sb * cc, sa * cc + ca * sb * sc,  ca * cb};
}

VECTOR3 matrix_to_euler(const MATRIX3& m) {
    // a from the third column (-sa cb, ca cb); b from sb against cb = |first row's
    // first two|. Near gimbal lock cb -> 0 and a is poorly determined, so c is not taken
    // from the first row (cb-scaled too) but from Rx(a)^T . R, whose second row is
    // (sc, cc, 0) for whatever a was found: a and c then rebuild the matrix together.
    // In lock (cb below rounding, so the third column is (+-1, 0, 0) to rounding) only
    // a + c or a - c is defined: take a = 0 and let c carry the whole turn, rather than
    // whatever atan2 makes of rounding noise and signed zeros.
    const bool lock = std::hypot(m.m23, m.m33) < std::numeric_limits<double>::epsilon();
    const double a = lock ? 0.0 : std::atan2(-m.m23, m.m33);
    const double b = std::atan2(m.m13, std::hypot(m.m11, m.m12));
    const double ca = std::cos(a), sa = std::sin(a);
    const double c = std::atan2(ca * m.m21 + sa * m.m31, ca * m.m22 + sa * m.m32);
    return {a, b, c};
}

// ====================================================================================
// Standard lines
// ====================================================================================

namespace {

enum class StandardKey { None, Status, Pos, Heading, Rpos, Rvel, Arot };

StandardKey standard_key(std::string_view word) {
    if (equal_folded(word, "STATUS")) return StandardKey::Status;
    if (equal_folded(word, "POS")) return StandardKey::Pos;
    if (equal_folded(word, "HEADING")) return StandardKey::Heading;
    if (equal_folded(word, "RPOS")) return StandardKey::Rpos;
    if (equal_folded(word, "RVEL")) return StandardKey::Rvel;
    if (equal_folded(word, "AROT")) return StandardKey::Arot;
    return StandardKey::None;
}

}  // namespace

bool is_standard_line(std::string_view line) {
    std::string_view rest;
    return standard_key(first_word(trim(line), rest)) != StandardKey::None;
}

bool parse_standard_line(std::string_view line, VesselState& state) {
    std::string_view rest;
    const StandardKey key = standard_key(first_word(trim(line), rest));
    double v[3];
    switch (key) {
        case StandardKey::None: return false;
        case StandardKey::Status: {
            std::string_view body;
            const std::string_view status = first_word(rest, body);
            if (body.empty()) return false;
            if (equal_folded(status, "Landed")) state.status = VesselState::Status::Landed;
            else if (equal_folded(status, "Orbiting")) state.status = VesselState::Status::Orbiting;
            else return false;
            state.body = std::string(body);
            return true;
        }
        case StandardKey::Pos:
            if (!parse_numbers(rest, v, 2)) return false;
            state.lng = v[0] * kRadPerDeg;
            state.lat = v[1] * kRadPerDeg;
            return true;
        case StandardKey::Heading:
            if (!parse_numbers(rest, v, 1)) return false;
            state.hdg = v[0] * kRadPerDeg;
            return true;
        case StandardKey::Rpos:
            if (!parse_numbers(rest, v, 3)) return false;
            state.rpos = {v[0], v[1], v[2]};
            return true;
        case StandardKey::Rvel:
            if (!parse_numbers(rest, v, 3)) return false;
            state.rvel = {v[0], v[1], v[2]};
            return true;
        case StandardKey::Arot: {
            if (!parse_numbers(rest, v, 3)) return false;
            // A written b lies in [-90, 90]; keep its radians there too, so that cos b is
            // not negative at +-90 and the angles read back as they were written.
            double b = v[1] * kRadPerDeg;
            if (std::fabs(v[1]) <= 90.0) b = std::clamp(b, -kHalfPi, kHalfPi);
            state.attitude = euler_to_matrix({v[0] * kRadPerDeg, b, v[2] * kRadPerDeg});
            return true;
        }
    }
    return false;
}

std::vector<std::pair<std::string, std::string>> standard_lines(const VesselState& state) {
    std::vector<std::pair<std::string, std::string>> out;
    if (state.status == VesselState::Status::Landed) {
        out.emplace_back("STATUS", "Landed " + state.body);
        out.emplace_back("POS", format_signed_angle(state.lng, "POS longitude") + " " +
                                    format_degrees(state.lat * kDegPerRad, "POS latitude"));
        out.emplace_back("HEADING", format_positive_angle(state.hdg, "HEADING"));
    } else {
        out.emplace_back("STATUS", "Orbiting " + state.body);
        out.emplace_back("RPOS", format_vector(state.rpos, "RPOS"));
        out.emplace_back("RVEL", format_vector(state.rvel, "RVEL"));
    }
    out.emplace_back("AROT", format_attitude(state.attitude));
    for (const std::string& line : state.kept_lines) {
        if (vessel_block_line(line, "")) out.emplace_back("", line);
        else log().warn(std::string("scenario: kept line ").append(in_quotes(line)).append(" would break the file; not written"));
    }
    return out;
}

std::optional<std::string> vessel_block_line(std::string_view key, std::string_view value) {
    if (has_control_char(key) || has_control_char(value)) return std::nullopt;
    std::string line = "  ";
    line += key;
    if (!value.empty()) {
        line += ' ';
        line += value;
    }
    const std::string_view content = trim(line);
    if (content.empty() || content == "END" || content == "END_SHIPS") return std::nullopt;
    return line;
}

// ====================================================================================
// Reading
// ====================================================================================

namespace {

// Walks the lines of a scenario text with their numbers, and makes the errors.
class LineReader {
public:
    LineReader(std::string_view text, const std::string& file) : text_(text), file_(file) {}

    // The next line (without its line end), or false at the end of the text.
    bool next(std::string_view& line) {
        if (done_) return false;
        const std::size_t eol = text_.find('\n');
        line = text_.substr(0, eol);
        if (eol == std::string_view::npos) {
            done_ = true;
            if (line.empty()) return false;  // the text ended with a line end
        } else {
            text_.remove_prefix(eol + 1);
        }
        ++number_;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (has_control_char(line)) fail("control character in the line (binary content?)");
        return true;
    }

    int number() const { return number_; }
    [[noreturn]] void fail(const std::string& why) const { fail_at(number_, why); }
    [[noreturn]] void fail_at(int line, const std::string& why) const { throw ScenarioError(file_, line, why); }
    [[noreturn]] void fail_unterminated(int opened, const std::string& what, const std::string& end) const {
        fail_at(opened, what + " has no " + end + " (the file ends at line " + std::to_string(number_) + ")");
    }

private:
    std::string_view text_;
    const std::string& file_;
    int number_ = 0;
    bool done_ = false;
};


void read_description(LineReader& in, ScenarioDoc& doc) {
    const int opened = in.number();
    std::string_view line;
    while (in.next(line)) {
        if (trim(line) == "END_DESC") return;
        doc.description.emplace_back(line);
    }
    in.fail_unterminated(opened, "BEGIN_DESC", "END_DESC");
}

void read_environment(LineReader& in, ScenarioDoc& doc) {
    const int opened = in.number();
    std::string_view line;
    while (in.next(line)) {
        const std::string_view content = trim(line);
        if (content == "END_ENVIRONMENT") return;
        if (content.empty()) continue;
        std::string_view rest;
        const std::string_view key = first_word(content, rest);
        if (equal_folded(key, "System")) {
            if (rest.empty()) in.fail("System without a name");
            doc.system = std::string(rest);
        } else if (equal_folded(key, "Date")) {
            std::string_view number;
            const std::string_view kind = first_word(rest, number);
            double mjd = 0;
            if (!equal_folded(kind, "MJD") || !parse_double(number, mjd))
                in.fail("bad Date " + in_quotes(content) + " (expected \"Date MJD <number>\")");
            doc.mjd = mjd;
        } else {
            doc.environment_extra.emplace_back(content);
        }
    }
    in.fail_unterminated(opened, "BEGIN_ENVIRONMENT", "END_ENVIRONMENT");
}

void read_focus(LineReader& in, ScenarioDoc& doc) {
    const int opened = in.number();
    std::string_view line;
    while (in.next(line)) {
        const std::string_view content = trim(line);
        if (content == "END_FOCUS") return;
        if (content.empty()) continue;
        std::string_view rest;
        if (equal_folded(first_word(content, rest), "Ship")) {
            if (rest.empty()) in.fail("Ship without a name");
            doc.focus = std::string(rest);
        } else {
            doc.focus_extra.emplace_back(content);
        }
    }
    in.fail_unterminated(opened, "BEGIN_FOCUS", "END_FOCUS");
}

void read_ship(LineReader& in, std::string_view header, ScenarioDoc& doc, std::map<std::string, int>& names) {
    const std::size_t colon = header.rfind(':');
    if (colon == std::string_view::npos) in.fail("vessel line " + in_quotes(header) + " has no ':' (expected NAME:CLASS)");
    ScenarioShip ship;
    ship.name = std::string(trim(header.substr(0, colon)));
    ship.class_name = std::string(trim(header.substr(colon + 1)));
    ship.line_number = in.number();
    if (ship.name.empty()) in.fail("vessel line " + in_quotes(header) + " has an empty name");
    if (ship.class_name.empty()) in.fail("vessel line " + in_quotes(header) + " has an empty class");
    if (const auto [it, fresh] = names.try_emplace(ship.name, in.number()); !fresh)
        in.fail("vessel name " + in_quotes(ship.name) + " used twice (first at line " + std::to_string(it->second) + ")");

    std::string_view line;
    while (in.next(line)) {
        const std::string_view content = trim(line);
        if (content == "END") {
            doc.ships.push_back(std::move(ship));
            return;
        }
        if (content == "END_SHIPS") break;
        if (content.empty()) continue;
        VesselState scratch;
        if (is_standard_line(content) && !parse_standard_line(content, scratch))
            in.fail("bad standard line " + in_quotes(content) + " of vessel " + in_quotes(ship.name));
        ship.lines.emplace_back(content);
    }
    in.fail_unterminated(ship.line_number, "vessel " + in_quotes(ship.name), "END");
}

void read_ships(LineReader& in, ScenarioDoc& doc, std::map<std::string, int>& names) {
    const int opened = in.number();
    std::string_view line;
    while (in.next(line)) {
        const std::string_view content = trim(line);
        if (content == "END_SHIPS") return;
        if (content.empty()) continue;
        read_ship(in, content, doc, names);
    }
    in.fail_unterminated(opened, "BEGIN_SHIPS", "END_SHIPS");
}

// A block the host does not know, kept with its markers.
void read_unknown_block(LineReader& in, std::string_view begin_line, std::string_view name, ScenarioDoc& doc) {
    const int opened = in.number();
    const std::string end = "END_" + std::string(name);
    doc.extra.emplace_back(begin_line);
    std::string_view line;
    while (in.next(line)) {
        doc.extra.emplace_back(line);
        if (trim(line) == end) return;
    }
    in.fail_unterminated(opened, "BEGIN_" + std::string(name), end);
}

}  // namespace

ScenarioDoc parse_scenario(std::string_view text, const std::string& file) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    ScenarioDoc doc;
    std::map<std::string, int> names;  // vessel name -> line
    LineReader in(text, file);
    std::string_view line;
    while (in.next(line)) {
        const std::string_view content = trim(line);
        if (content.empty()) continue;
        if (content == "BEGIN_DESC") read_description(in, doc);
        else if (content == "BEGIN_ENVIRONMENT") read_environment(in, doc);
        else if (content == "BEGIN_FOCUS") read_focus(in, doc);
        else if (content == "BEGIN_SHIPS") read_ships(in, doc, names);
        else if (content.starts_with("BEGIN_") && content.size() > 6 && content.find_first_of(" \t") == content.npos)
            read_unknown_block(in, line, content.substr(6), doc);
        else if (content.starts_with("END_") || content == "END")
            in.fail(in_quotes(content) + " outside the block it closes");
        else
            doc.extra.emplace_back(line);
    }
    return doc;
}

ScenarioDoc read_scenario_file(const std::filesystem::path& path) {
    const std::string file = path.string();
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) throw ScenarioError(file, 0, "no such file");
    if (!std::filesystem::is_regular_file(status)) throw ScenarioError(file, 0, "not a regular file");
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) throw ScenarioError(file, 0, "cannot read its size: " + ec.message());
    if (size > kMaxScenarioSize)
        throw ScenarioError(file, 0, std::to_string(size) + " bytes, over the limit of " + std::to_string(kMaxScenarioSize));
    std::ifstream in(path, std::ios::binary);
    std::string text(std::size_t(size), '\0');
    if (!in.read(text.data(), std::streamsize(text.size()))) throw ScenarioError(file, 0, "cannot be read");
    return parse_scenario(text, file);
}

// ====================================================================================
// Writing
// ====================================================================================

std::string write_scenario(const ScenarioDoc& doc) {
    std::string out;
    auto put = [&out](std::string_view line) {
        out += line;
        out += '\n';
    };
    auto put_indented = [&out](std::string_view line) {
        out += "  ";
        out += line;
        out += '\n';
    };

    if (!doc.description.empty()) {
        put("BEGIN_DESC");
        for (const std::string& line : doc.description) put(line);
        put("END_DESC");
        put("");
    }

    put("BEGIN_ENVIRONMENT");
    put_indented("System " + (doc.system.empty() ? std::string("Sol") : doc.system));
    put_indented("Date MJD " + format_exact(doc.mjd, "Date"));
    for (const std::string& line : doc.environment_extra) put_indented(line);
    put("END_ENVIRONMENT");

    if (!doc.focus.empty() || !doc.focus_extra.empty()) {
        put("");
        put("BEGIN_FOCUS");
        if (!doc.focus.empty()) put_indented("Ship " + doc.focus);
        for (const std::string& line : doc.focus_extra) put_indented(line);
        put("END_FOCUS");
    }

    put("");
    put("BEGIN_SHIPS");
    for (const ScenarioShip& ship : doc.ships) {
        put(ship.name + ":" + ship.class_name);
        for (const std::string& line : ship.lines) put_indented(line);
        put("END");
    }
    put("END_SHIPS");

    if (!doc.extra.empty()) {
        put("");
        for (const std::string& line : doc.extra) put(line);
    }
    return out;
}

}  // namespace sim
