// What a run leaves behind: the readouts of every step as the controller dialog shows
// them, the contacts derived from them, map snapshots, and a summary.
#pragma once

#include <filesystem>
#include <fstream>
#include <iosfwd>
#include <string>
#include <vector>

namespace sim {
class Simulator;
}

namespace runner {

// One step's readouts, texts exactly as the dialog shows them ("N/A" kept; empty while
// the dialog is closed or not yet written).
struct ReadoutRow {
    double time = 0;      // simulation time, s
    double mjd = 0;
    std::string focus;
    double altitude = 0;  // m above the 6371010 m sphere
    std::string band;     // "stations+relays", "stations", "deep space"
    std::string antenna;  // "Omni", "High Gain"
    std::string station, station_strength, station_lag;
    std::string relay, relay_strength, relay_lag;
};

// One stretch of time during which one network vessel served the focus vessel.
struct Contact {
    std::string vessel;
    std::string kind;  // "station" or "relay"
    double acquisition = 0, loss = 0;  // s
    bool open_at_end = false;
};

// Reads the readouts of the plug-in's controller dialog through the window system.
ReadoutRow read_readouts(sim::Simulator& sim);

// Contacts from a sequence of rows: a contact runs while the same name (not "N/A", not
// empty) stands in the station (or relay) field; it is lost at the time of the first
// row that shows something else, or at the last row's time if it lasts to the end.
std::vector<Contact> derive_contacts(const std::vector<ReadoutRow>& rows);

class Recorder {
public:
    // Writes into `out` (created if missing); a map snapshot every `map_every` seconds of
    // simulation time while the map window is open (0: only at the end).
    Recorder(sim::Simulator& sim, std::filesystem::path out, double map_every);
    // After each step.
    void sample();
    // Writes contacts.csv, the last snapshots, the saved scenario and the host log, and
    // prints the summary to `summary`.
    void finish(std::ostream& summary);

    const std::vector<ReadoutRow>& rows() const { return rows_; }
    const std::vector<std::filesystem::path>& files() const { return files_; }
    const ReadoutRow* last() const { return rows_.empty() ? nullptr : &rows_.back(); }

private:
    sim::Simulator& sim_;
    std::filesystem::path out_;
    double map_every_;
    double next_map_ = 0;
    std::ofstream csv_;
    std::vector<ReadoutRow> rows_;
    std::vector<std::filesystem::path> files_;
};

// A CSV field: quoted when it holds a comma, a quote or a line break.
std::string csv_field(const std::string& text);

}  // namespace runner
