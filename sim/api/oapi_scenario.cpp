// Host calls for scenario files: the vessel's lines while its block is read, and its
// lines while its block is written, through the simulator's scenario cursors.
//
// Every call checks its handle: a null, stale or foreign handle, or a cursor used the
// wrong way (reading one being written, writing one being read), does nothing, answers
// false, and is logged naming the call and counted as a contract violation.
#include <cstdio>
#include <string>

#include "host/oapi.h"
#include "sim/core/log.h"
#include "sim/files/scenario_file.h"
#include "sim/simulator.h"

namespace {

using sim::ScenarioCursor;
using sim::Simulator;

std::string describe(FILEHANDLE scenario) {
    if (!scenario) return "null scenario handle";
    char buf[64];
    std::snprintf(buf, sizeof buf, "stale or foreign scenario handle 0x%016llx",
                  static_cast<unsigned long long>(sim::raw(scenario)));
    return buf;
}

ScenarioCursor* checked_cursor(FILEHANDLE scenario, const char* call) {
    Simulator* sim = Simulator::running(call);
    if (!sim) return nullptr;
    ScenarioCursor* cursor = sim->scenario_cursors().find(sim::raw(scenario));
    if (!cursor) sim::log().violation(call, describe(scenario));
    return cursor;
}

// The text in double quotes, control characters as \xNN, so that a log entry stays one
// line.
std::string quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out.push_back('"');
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", unsigned(u));
            out.append(buf);
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
    return out;
}

std::string_view without_leading_blanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

}  // namespace

// Hands out the next line of the vessel's block, leading blanks removed, in a buffer that
// stays valid (and writable) until the next call on this handle or the end of the
// vessel's state reading. False at the end of the block; `line` is then unchanged.
bool oapiReadScenario_nextline(FILEHANDLE scenario, char*& line) {
    static constexpr const char* call = "oapiReadScenario_nextline";
    ScenarioCursor* cursor = checked_cursor(scenario, call);
    if (!cursor) return false;
    if (cursor->out) {
        sim::log().violation(call, "the scenario handle is open for writing");
        return false;
    }
    if (cursor->next >= cursor->lines.size()) return false;
    cursor->current = without_leading_blanks(cursor->lines[cursor->next++]);
    line = cursor->current.data();
    return true;
}

// Appends "  KEY VALUE" to the vessel's block. A null key or value, or a line that would
// break the file (a line end in it, or one that reads back as END), is refused.
void oapiWriteScenario_string(FILEHANDLE scenario, const char* key, const char* value) {
    static constexpr const char* call = "oapiWriteScenario_string";
    ScenarioCursor* cursor = checked_cursor(scenario, call);
    if (!cursor) return;
    if (!cursor->out) {
        sim::log().violation(call, "the scenario handle is open for reading");
        return;
    }
    if (!key || !value) {
        sim::log().violation(call, key ? "null value for " + quoted(key) : std::string("null key"));
        return;
    }
    auto line = sim::vessel_block_line(key, value);
    if (!line) {
        sim::log().violation(call, quoted(key) + " " + quoted(value) +
                                       " would break the scenario file (control character, blank line, or END)");
        return;
    }
    cursor->out->push_back(std::move(*line));
}
