// The bundled network flown end to end on the default scenario: the user opens the
// controller, generates the network, enables tracking and flies one orbit; then the run
// is saved and loaded again.
#include <fstream>
#include <set>

#include "network_host.h"
#include "sim/core/log.h"
#include "sim/ui/window_system.h"

namespace {

class EndToEnd : public NetworkTest {
protected:
    std::string Text(HWND dialog, int control) {
        char text[256] = {};
        Sim().windows().get_window_text(Sim().windows().dlg_item(dialog, control), text, int(sizeof text));
        return text;
    }
};

const std::set<std::string> kStations = {
    "Merritt Island", "Bermuda", "Ascension", "Maspalomas", "Guam",     "Kauai",     "Wallops",          "White Sands",
    "Santiago",       "Kourou",  "Svalbard",  "McMurdo",    "Fairbanks", "Antigua", "Honeysuckle Creek"};
const std::set<std::string> kRelays = {"TDRS-3",  "TDRS-5",  "TDRS-6",  "TDRS-7", "TDRS-8",
                                       "TDRS-10", "TDRS-11", "TDRS-12", "TDRS-13"};
const std::set<std::string> kDeepSpace = {"DSS-14 Goldstone", "DSS-43 Canberra", "DSS-63 Madrid"};

// The texts a readout showed, each change once, in order.
void Note(std::vector<std::string>& seen, const std::string& text) {
    if (seen.empty() || seen.back() != text) seen.push_back(text);
}

TEST_F(EndToEnd, OneOrbitWithTheBundledNetworkThenSaveAndReload) {
    StartBundled("default");
    const HWND dialog = OpenController();
    Press(dialog, "Generate Network");
    Press(dialog, "Enable Track");
    EXPECT_EQ(VesselNames().size(), 1 + kStations.size() + kRelays.size() + kDeepSpace.size());

    std::vector<std::string> stations, relays;
    for (int i = 0; i < 5600; ++i) {
        Sim().step(1.0);
        Note(stations, Text(dialog, 1008));
        Note(relays, Text(dialog, 1003));
    }
    // Stations take over one after another (neighbours hand over directly), with "N/A"
    // while none is above the horizon.
    std::set<std::string> stationNames, relayNames;
    int passes = 0;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        if (stations[i] == "N/A") continue;
        EXPECT_TRUE(kStations.count(stations[i])) << stations[i];
        stationNames.insert(stations[i]);
        passes += i > 0 && stations[i - 1] == "N/A";
    }
    std::string sequence;
    for (const std::string& s : stations) sequence += s + "; ";
    EXPECT_GE(stationNames.size(), 3u) << sequence;
    EXPECT_GE(passes, 2) << sequence;
    for (const std::string& r : relays) {
        EXPECT_TRUE(kRelays.count(r)) << r;
        relayNames.insert(r);
    }
    EXPECT_GE(relayNames.size(), 2u);

    EXPECT_EQ(sim::contract_violations(), 0u);

    // Every station and relay satellite is saved with its marker line.
    const std::filesystem::path file =
        std::filesystem::path(ORV_BINARY_DIR) / "test_roots" / "plugin_network" / "end_to_end.scn";
    std::filesystem::create_directories(file.parent_path());
    Sim().save_scenario(file);
    std::ifstream in(file);
    std::string line, current;
    std::set<std::string> saved, marked;
    while (std::getline(in, line)) {
        const std::size_t colon = line.rfind(':');
        if (line.find("Groundpost") != std::string::npos || line.find("Relvana") != std::string::npos) {
            if (colon != std::string::npos && line[0] != ' ') {
                current = line.substr(0, colon);
                saved.insert(current);
            }
        } else if (line == "END") {
            current.clear();
        } else if (!current.empty() && line.find("SAVED") != std::string::npos) {
            marked.insert(current);
        }
    }
    EXPECT_EQ(saved.size(), kStations.size() + kRelays.size() + kDeepSpace.size());
    EXPECT_EQ(marked, saved);

    // Loaded again, they remove themselves at the first step; the ship stays.
    Sim().load_scenario(file);
    EXPECT_EQ(VesselNames().size(), 1 + saved.size());
    Sim().step(1.0);
    EXPECT_EQ(VesselNames(), std::vector<std::string>{"Kestrel"});
    // The plug-in forgot the old run's network; a new press builds it again.
    Press(dialog, "Generate Network");
    EXPECT_EQ(VesselNames().size(), 1 + saved.size());
    Sim().step(1.0);
}

}  // namespace
