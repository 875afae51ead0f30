// Host calls on scenario files: a vessel's block read line by line, and written.

#include <cstring>

#include "host/oapi.h"
#include "sim/simulator.h"

bool oapiReadScenario_nextline(FILEHANDLE scenario, char*& line) {
    sim::Simulator* s = sim::Simulator::current();
    sim::ScenarioCursor* c = s ? s->scenario_cursors().find(sim::raw(scenario)) : nullptr;
    if (!c) {
        sim::log().violation("oapiReadScenario_nextline", "not a scenario being read");
        return false;
    }
    if (c->out || c->next >= c->lines.size()) return false;
    const std::string& l = c->lines[c->next++];
    const std::size_t first = l.find_first_not_of(" \t");
    c->current = first == std::string::npos ? std::string() : l.substr(first);
    line = c->current.data();
    return true;
}

void oapiWriteScenario_string(FILEHANDLE scenario, const char* key, const char* value) {
    sim::Simulator* s = sim::Simulator::current();
    sim::ScenarioCursor* c = s ? s->scenario_cursors().find(sim::raw(scenario)) : nullptr;
    if (!c || !c->out) {
        sim::log().violation("oapiWriteScenario_string", "not a scenario being written");
        return;
    }
    if (!key || !value) {
        sim::log().violation("oapiWriteScenario_string", "null key or value");
        return;
    }
    c->out->push_back(std::string("  ") + key + " " + value);
}
