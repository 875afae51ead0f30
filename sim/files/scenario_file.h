// Scenario files: parsing into a document, writing it back, and the host's standard
// vessel lines.
//
// Blocks: BEGIN_DESC ... END_DESC, BEGIN_ENVIRONMENT (System, Date MJD) ...
// END_ENVIRONMENT, BEGIN_FOCUS (Ship NAME) ... END_FOCUS, BEGIN_SHIPS ... END_SHIPS; each
// vessel is "NAME:CLASS", its lines, then "END". Names may contain blanks. Lines the
// host does not know are kept and written back in place.
#pragma once

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
        : std::runtime_error(file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + message),
          file_(std::move(file)), line_(line) {}
    const std::string& file() const { return file_; }
    int line() const { return line_; }

private:
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
// Writes a document; parse_scenario(write_scenario(d)) gives d again.
std::string write_scenario(const ScenarioDoc& doc);

// The host's standard vessel lines (STATUS Landed BODY / POS lng lat / HEADING hdg, or
// STATUS Orbiting BODY / RPOS x y z / RVEL x y z; AROT a b c in degrees). Applies one
// line to `state`; false when the line is not a standard line or does not parse (the
// caller then keeps it).
bool parse_standard_line(std::string_view line, VesselState& state);
// The standard lines of `state`, as "KEY VALUE" pairs (key, value), followed by the
// kept lines (key "", value the whole line).
std::vector<std::pair<std::string, std::string>> standard_lines(const VesselState& state);

}  // namespace sim
