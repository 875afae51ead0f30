#include "recorder.h"

#include <cmath>
#include <cstdio>
#include <iomanip>
#include <map>
#include <ostream>
#include <sstream>

#include "host/winapi.h"
#include "sim/core/log.h"
#include "sim/core/vecmath.h"
#include "sim/simulator.h"
#include "sim/ui/window_system.h"

namespace runner {

namespace {

constexpr const char* kControllerCaption = "Orvenet Controller";
constexpr const char* kMapCaption = "MAP";
constexpr double kEarthRadius = 6371010.0;  // the plug-in's sphere, m
constexpr double kRelayCeiling = 3e7;       // m
constexpr double kDeepSpaceFloor = 4e8;     // m
// The controller dialog's readouts and antenna buttons.
constexpr int kStationName = 1008, kStationStrength = 1001, kStationLag = 1005;
constexpr int kRelayName = 1003, kRelayStrength = 1004, kRelayLag = 1010;
constexpr int kHighGain = 1016;

std::string text_of(HWND dialog, int id) {
    char buf[256] = "";
    GetWindowTextA(GetDlgItem(dialog, id), buf, sizeof buf);
    return buf;
}

bool serving(const std::string& name) { return !name.empty() && name != "N/A"; }

std::string format_time(double seconds) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0f s", seconds);
    return buf;
}

}  // namespace

std::string csv_field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

ReadoutRow read_readouts(sim::Simulator& sim) {
    ReadoutRow r;
    r.time = sim.sim_time();
    r.mjd = sim.mjd();
    if (sim::Vessel* f = sim.vessel(sim.focus())) {
        r.focus = f->name();
        const VECTOR3 d = sim::operator-(sim.global_pos(*f), sim.global_pos(*sim.object(sim.body(sim::BodyId::Earth))));
        r.altitude = sim::length(d) - kEarthRadius;
    } else {
        r.altitude = NAN;
    }
    r.band = r.altitude < kRelayCeiling ? "stations+relays" : r.altitude < kDeepSpaceFloor ? "stations" : "deep space";
    const HWND dialog = sim.windows().find_window(kControllerCaption);
    r.antenna = IsDlgButtonChecked(dialog, kHighGain) == BST_CHECKED ? "High Gain" : "Omni";
    r.station = text_of(dialog, kStationName);
    r.station_strength = text_of(dialog, kStationStrength);
    r.station_lag = text_of(dialog, kStationLag);
    r.relay = text_of(dialog, kRelayName);
    r.relay_strength = text_of(dialog, kRelayStrength);
    r.relay_lag = text_of(dialog, kRelayLag);
    return r;
}

std::vector<Contact> derive_contacts(const std::vector<ReadoutRow>& rows) {
    std::vector<Contact> out;
    struct Open {
        std::string name;
        double since = 0;
    };
    Open open[2];
    const char* kinds[2] = {"station", "relay"};
    for (const ReadoutRow& r : rows) {
        const std::string* now[2] = {&r.station, &r.relay};
        for (int k = 0; k < 2; ++k) {
            if (*now[k] == open[k].name) continue;
            if (serving(open[k].name)) out.push_back({open[k].name, kinds[k], open[k].since, r.time, false});
            open[k] = {*now[k], r.time};
        }
    }
    if (!rows.empty())
        for (int k = 0; k < 2; ++k)
            if (serving(open[k].name)) out.push_back({open[k].name, kinds[k], open[k].since, rows.back().time, true});
    std::stable_sort(out.begin(), out.end(), [](const Contact& a, const Contact& b) { return a.acquisition < b.acquisition; });
    return out;
}

Recorder::Recorder(sim::Simulator& sim, std::filesystem::path out, double map_every)
    : sim_(sim), out_(std::move(out)), map_every_(map_every) {
    std::filesystem::create_directories(out_);
    csv_.open(out_ / "readouts.csv", std::ios::trunc);
    csv_ << "time_s,mjd,focus,altitude_m,band,antenna,station,station_strength,station_lag,relay,relay_strength,relay_lag\n";
    files_.push_back(out_ / "readouts.csv");
    next_map_ = map_every_ > 0 ? sim_.sim_time() + map_every_ : INFINITY;
}

void Recorder::sample() {
    ReadoutRow r = read_readouts(sim_);
    csv_ << std::setprecision(10) << r.time << ',' << std::setprecision(12) << r.mjd << ',' << csv_field(r.focus) << ','
         << std::fixed << std::setprecision(1) << r.altitude << std::defaultfloat << ',' << r.band << ',' << r.antenna << ','
         << csv_field(r.station) << ',' << csv_field(r.station_strength) << ',' << csv_field(r.station_lag) << ','
         << csv_field(r.relay) << ',' << csv_field(r.relay_strength) << ',' << csv_field(r.relay_lag) << '\n';
    rows_.push_back(std::move(r));
    if (sim_.sim_time() + 1e-9 >= next_map_) {
        if (HWND map = sim_.windows().find_window(kMapCaption)) {
            char name[64];
            std::snprintf(name, sizeof name, "map-%06.0f.png", sim_.sim_time());
            if (sim_.windows().snapshot(map, out_ / name)) files_.push_back(out_ / name);
        }
        while (next_map_ <= sim_.sim_time() + 1e-9) next_map_ += map_every_;
    }
}

void Recorder::finish(std::ostream& summary) {
    csv_.close();
    const std::vector<Contact> contacts = derive_contacts(rows_);
    {
        std::ofstream c(out_ / "contacts.csv", std::ios::trunc);
        c << "vessel,kind,acquisition_s,loss_s,duration_s,open_at_end\n";
        for (const Contact& k : contacts)
            c << csv_field(k.vessel) << ',' << k.kind << ',' << k.acquisition << ',' << k.loss << ','
              << k.loss - k.acquisition << ',' << (k.open_at_end ? "yes" : "no") << '\n';
        files_.push_back(out_ / "contacts.csv");
    }
    if (HWND map = sim_.windows().find_window(kMapCaption))
        if (sim_.windows().snapshot(map, out_ / "map-final.png")) files_.push_back(out_ / "map-final.png");
    if (HWND ctl = sim_.windows().find_window(kControllerCaption))
        if (sim_.windows().snapshot(ctl, out_ / "controller.png")) files_.push_back(out_ / "controller.png");
    try {
        sim_.save_scenario(out_ / "final.scn");
        files_.push_back(out_ / "final.scn");
    } catch (const std::exception& e) {
        summary << "warning: " << e.what() << "\n";
    }
    {
        std::ofstream log(out_ / "host.log", std::ios::trunc);
        for (const std::string& l : sim::log().lines()) log << l << '\n';
        files_.push_back(out_ / "host.log");
    }

    // Per network vessel: time served, contacts, first acquisition, last loss.
    struct Served {
        std::string kind;
        double total = 0, first = 0, last = 0;
        int contacts = 0;
    };
    std::map<std::string, Served> served;
    std::vector<std::string> order;
    for (const Contact& k : contacts) {
        auto [it, fresh] = served.try_emplace(k.vessel, Served{k.kind, 0, k.acquisition, k.loss, 0});
        if (fresh) order.push_back(k.vessel);
        it->second.total += k.loss - k.acquisition;
        it->second.last = k.loss;
        ++it->second.contacts;
    }
    summary << "\nNetwork vessels that served " << (rows_.empty() ? std::string("nobody") : rows_.back().focus) << ":\n";
    summary << "  " << std::left << std::setw(22) << "vessel" << std::setw(9) << "kind" << std::right << std::setw(10)
            << "served" << std::setw(10) << "contacts" << std::setw(12) << "first AOS" << std::setw(12) << "last LOS" << "\n";
    for (const std::string& name : order) {
        const Served& s = served[name];
        summary << "  " << std::left << std::setw(22) << name << std::setw(9) << s.kind << std::right << std::setw(10)
                << format_time(s.total) << std::setw(10) << s.contacts << std::setw(12) << format_time(s.first)
                << std::setw(12) << format_time(s.last) << "\n";
    }
    if (order.empty()) summary << "  (none)\n";

    // Gaps: stretches with no station, once tracking showed anything.
    int gaps = 0;
    double longest = 0, since = -1;
    for (const ReadoutRow& r : rows_) {
        const bool none = r.station == "N/A";
        if (none && since < 0) since = r.time;
        if (!none && since >= 0) {
            ++gaps;
            longest = std::max(longest, r.time - since);
            since = -1;
        }
    }
    if (since >= 0 && !rows_.empty()) {
        ++gaps;
        longest = std::max(longest, rows_.back().time - since);
    }
    summary << "Gaps with no station: " << gaps << ", longest " << format_time(longest) << "\n";
    summary << "Files written:\n";
    for (const auto& f : files_) summary << "  " << f.string() << "\n";
}

}  // namespace runner
