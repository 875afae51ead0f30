// Scenario files: parsing into a document, writing it back, and the host's standard
// vessel lines.
//
// Blocks: BEGIN_DESC ... END_DESC, BEGIN_ENVIRONMENT (System, Date MJD) ...
// END_ENVIRONMENT, BEGIN_FOCUS (Ship NAME) ... END_FOCUS, BEGIN_SHIPS ... END_SHIPS; each
// vessel is "NAME:CLASS", its lines, then "END". Names may contain blanks. Lines the
// host does not know are kept and written back in place.
//
// Reading, line by line (LF or CR LF):
// - Block markers, "END" and the environment and focus keys must stand alone on their
//   line (blanks around them are ignored); markers compare exactly ("BEGIN_SHIPS"), the
//   keys System, Date, Ship and the standard vessel keys without regard to case.
// - A vessel line splits at its last ':' (class names are file names and hold none), so
//   a name may contain blanks and ':'; name and class are trimmed and must not be empty;
//   a name may appear once.
// - Inside a vessel's block, blank lines are dropped and every other line is kept
//   trimmed; standard lines must parse.
// - Between the blocks, blank lines are dropped and other lines kept as they are; an
//   unknown block BEGIN_X ... END_X is kept as it is, lines and markers.
// - Control characters other than tab (binary content) are an error.
//
// Writing: the description, environment, focus and ships blocks in this order, one blank
// line between blocks, vessel lines and environment and focus lines indented by two
// blanks; then the kept outside lines. Numbers are written so that reading them gives
// the same double (MJD, RPOS, RVEL), or, for angles, rounded to 1e-10 degrees so that
// the angle -> radians -> angle trip reproduces the text: load -> save -> load -> save
// gives the same text.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sim/vessels/vessel_state.h"

namespace sim {

// A scenario that cannot be loaded: the file, the line (1-based, 0 when none) and why.
class ScenarioError : public std::runtime_error {
public:
    ScenarioError(std::string file, int line, const std::string& message)
        : std::runtime_error(compose(file, line, message)), file_(std::move(file)), line_(line) {}
    const std::string& file() const { return file_; }
    int line() const { return line_; }

private:
    // "FILE:LINE: MESSAGE" ("FILE: MESSAGE" without a line), built by appending: GCC 12
    // warns falsely (-Wrestrict) on `"literal" + std::string` at -O3.
    static std::string compose(const std::string& file, int line, const std::string& message) {
        std::string text = file;
        if (line > 0) text.append(":").append(std::to_string(line));
        return text.append(": ").append(message);
    }
    std::string file_;
    int line_;
};

struct ScenarioShip {
    std::string name;
    std::string class_name;
    std::vector<std::string> lines;  // the block's lines as in the file, leading blanks removed
    int line_number = 0;             // of the "NAME:CLASS" line
};

struct ScenarioDoc {
    std::vector<std::string> description;        // lines between BEGIN_DESC and END_DESC
    std::string system = "Sol";
    double mjd = 60000.0;
    std::vector<std::string> environment_extra;  // other lines of the environment block
    std::string focus;                           // Ship NAME ("" when none)
    std::vector<std::string> focus_extra;
    std::vector<ScenarioShip> ships;
    // Lines outside the known blocks (and unknown blocks), in order, written back after
    // the known blocks.
    std::vector<std::string> extra;
};

// Parses a scenario. Throws ScenarioError naming `file` and the line
// for a truncated or malformed file (a block without its END, a vessel line without
// ':', a Date that is not a number, ...).
ScenarioDoc parse_scenario(std::string_view text, const std::string& file);
// Reads and parses a scenario file. Throws ScenarioError when it cannot be read, is
// larger than kMaxScenarioSize, or is malformed.
constexpr std::size_t kMaxScenarioSize = 16 * 1024 * 1024;  // bytes
ScenarioDoc read_scenario_file(const std::filesystem::path& path);
// Writes a document; parse_scenario(write_scenario(d)) gives d again.
std::string write_scenario(const ScenarioDoc& doc);

// The host's standard vessel lines (STATUS Landed BODY / POS lng lat / HEADING hdg, or
// STATUS Orbiting BODY / RPOS x y z / RVEL x y z; AROT a b c in degrees). Applies one
// line to `state`; false when the line is not a standard line or does not parse (the
// caller then keeps it). A line that does not parse leaves `state` as it was.
//
// POS: longitude and latitude in degrees (east, north positive); HEADING: degrees from
// north toward east; RPOS, RVEL: metres and m/s relative to the body, global axes;
// AROT: the attitude as the angles of euler_to_matrix, in degrees.
bool parse_standard_line(std::string_view line, VesselState& state);
// True when the line's key (its first word) is one of the standard keys.
bool is_standard_line(std::string_view line);
// The standard lines of `state`, as "KEY VALUE" pairs (key, value), followed by the
// kept lines (key "", value the whole line). Longitude is written in (-180, 180],
// heading in [0, 360); a value that is not finite is written as 0, and a kept line that
// would break the file (see vessel_block_line) is left out, each with a warning.
std::vector<std::pair<std::string, std::string>> standard_lines(const VesselState& state);

// The line "  KEY VALUE" (or "  KEY" for an empty value) of a vessel's block, or nullopt
// when writing it would break the file: a control character (a line end) in key or
// value, nothing but blanks, or a line that reads back as END or END_SHIPS.
std::optional<std::string> vessel_block_line(std::string_view key, std::string_view value);

// Attitude angles (radians) a, b, c of the rotation R = Rx(a) . Ry(b) . Rz(c), where
// Rx(t) turns y toward z, Ry(t) turns z toward x and Rz(t) turns x toward y:
//     Rx(t) = [1 0 0; 0 cos -sin; 0 sin cos], Ry(t) = [cos 0 sin; 0 1 0; -sin 0 cos],
//     Rz(t) = [cos -sin 0; sin cos 0; 0 0 1].
// R turns the vessel's own frame into the global frame (as VesselState::attitude).
MATRIX3 euler_to_matrix(const VECTOR3& angles);
// The angles of a rotation matrix: a and c in [-pi, pi], b in [-pi/2, pi/2]. In gimbal
// lock (b = +-pi/2) a and c are not separate; the result still rebuilds the matrix to
// rounding, there and near it. Can't fail; a matrix that is not a rotation gives some
// finite angles for finite input.
VECTOR3 matrix_to_euler(const MATRIX3& m);

}  // namespace sim
