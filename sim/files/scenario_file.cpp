// Placeholder scenario codec until the full one lands.
#include "sim/files/scenario_file.h"

namespace sim {

ScenarioDoc parse_scenario(std::string_view, const std::string& file) {
    throw ScenarioError(file, 0, "scenario files are not supported yet");
}
std::string write_scenario(const ScenarioDoc&) { return {}; }
bool parse_standard_line(std::string_view, VesselState&) { return false; }
std::vector<std::pair<std::string, std::string>> standard_lines(const VesselState& state) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const std::string& l : state.kept_lines) out.emplace_back("", l);
    return out;
}

}  // namespace sim
