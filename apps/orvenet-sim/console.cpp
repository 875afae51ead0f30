#include "console.h"

#include <cmath>
#include <cstdlib>
#include <iostream>

#include "sim/simulator.h"
#include "sim/ui/window_system.h"

namespace runner {

bool split_words(const std::string& line, std::vector<std::string>& words, std::string& error) {
    words.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i >= line.size()) break;
        std::string word;
        if (line[i] == '"') {
            const std::size_t end = line.find('"', i + 1);
            if (end == std::string::npos) {
                error = "unterminated quote";
                return false;
            }
            word = line.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
        }
        words.push_back(word);
    }
    return true;
}

Console::Console(sim::Simulator& sim, double dt, std::ostream& out, std::ostream& err)
    : sim_(sim), dt_(dt), out_(out), err_(err) {}

void Console::advance(double seconds) {
    // Whole steps of dt, then one shorter step for the remainder.
    double left = seconds;
    while (left > 1e-9) {
        const double dt = std::min(dt_, left);
        sim_.step(dt);
        left -= dt;
        if (after_step) after_step(seconds - left, seconds);
    }
}

CommandResult Console::execute(const std::string& line) {
    std::vector<std::string> w;
    std::string error;
    if (!split_words(line, w, error)) {
        err_ << "error: " << error << " in: " << line << "\n";
        return CommandResult::Failed;
    }
    if (w.empty() || w[0][0] == '#') return CommandResult::Ok;
    const std::string& cmd = w[0];
    auto need = [&](std::size_t n, const char* usage) {
        if (w.size() == n + 1) return true;
        err_ << "error: usage: " << usage << "\n";
        return false;
    };
    if (cmd == "quit") return CommandResult::Quit;
    if (cmd == "command") {
        if (!need(1, "command LABEL")) return CommandResult::Failed;
        if (!sim_.run_command(w[1])) {
            err_ << "error: no custom command \"" << w[1] << "\"; commands:";
            for (const auto& c : sim_.commands()) err_ << " \"" << c.label << "\"";
            err_ << "\n";
            return CommandResult::Failed;
        }
        return CommandResult::Ok;
    }
    if (cmd == "focus") {
        if (!need(1, "focus VESSEL")) return CommandResult::Failed;
        const OBJHANDLE h = sim_.find_object(w[1]);
        if (!sim_.vessel(h)) {
            err_ << "error: no vessel \"" << w[1] << "\"\n";
            return CommandResult::Failed;
        }
        if (!sim_.set_focus(h)) {
            err_ << "error: \"" << w[1] << "\" cannot take the focus\n";
            return CommandResult::Failed;
        }
        return CommandResult::Ok;
    }
    if (cmd == "run") {
        if (!need(1, "run SECONDS")) return CommandResult::Failed;
        char* end = nullptr;
        const double seconds = std::strtod(w[1].c_str(), &end);
        if (end == w[1].c_str() || *end || !std::isfinite(seconds) || seconds < 0) {
            err_ << "error: run: \"" << w[1] << "\" is not a number of seconds\n";
            return CommandResult::Failed;
        }
        advance(seconds);
        return CommandResult::Ok;
    }
    if (cmd == "save") {
        if (!need(1, "save FILE")) return CommandResult::Failed;
        try {
            sim_.save_scenario(w[1]);
        } catch (const std::exception& e) {
            err_ << "error: " << e.what() << "\n";
            return CommandResult::Failed;
        }
        out_ << "saved " << w[1] << "\n";
        return CommandResult::Ok;
    }
    if (cmd == "log") {
        for (const std::string& l : sim::log().take_new()) out_ << l << "\n";
        return CommandResult::Ok;
    }
    if (cmd == "press") {
        if (!need(2, "press WINDOW BUTTON")) return CommandResult::Failed;
        const HWND window = sim_.windows().find_window(w[1]);
        if (!window) {
            err_ << "error: no open window \"" << w[1] << "\"\n";
            return CommandResult::Failed;
        }
        if (!sim_.windows().press(window, w[2])) {
            err_ << "error: window \"" << w[1] << "\" has no button \"" << w[2] << "\"\n";
            return CommandResult::Failed;
        }
        return CommandResult::Ok;
    }
    if (cmd == "windows") {
        if (!need(0, "windows")) return CommandResult::Failed;
        out_ << sim_.windows().describe();
        return CommandResult::Ok;
    }
    if (cmd == "snapshot") {
        if (!need(2, "snapshot WINDOW FILE.png")) return CommandResult::Failed;
        const HWND window = sim_.windows().find_window(w[1]);
        if (!window) {
            err_ << "error: no open window \"" << w[1] << "\"\n";
            return CommandResult::Failed;
        }
        if (!sim_.windows().snapshot(window, w[2])) {
            err_ << "error: cannot write \"" << w[2] << "\"\n";
            return CommandResult::Failed;
        }
        out_ << "snapshot " << w[2] << "\n";
        return CommandResult::Ok;
    }
    err_ << "error: unknown command \"" << cmd
         << "\" (commands: command, focus, run, save, log, press, windows, snapshot, quit)\n";
    return CommandResult::Unknown;
}

CommandResult Console::run(std::istream& in, const std::string& prompt) {
    std::string line;
    while (true) {
        if (!prompt.empty()) out_ << prompt << std::flush;
        if (!std::getline(in, line)) return CommandResult::Ok;
        const CommandResult r = execute(line);
        if (r != CommandResult::Ok) return r;
    }
}

}  // namespace runner
