#include "log.h"

#include <cstdio>

namespace sim {

Log& Log::instance() {
    static Log log;
    return log;
}

void Log::info(const std::string& text) { add(LogLevel::Info, text); }
void Log::warn(const std::string& text) { add(LogLevel::Warning, "warning: " + text); }

void Log::violation(const std::string& call, const std::string& detail) {
    ++violations_;
    add(LogLevel::Violation, "contract violation: " + call + ": " + detail);
}

void Log::add(LogLevel, const std::string& text) {
    lines_.push_back(text);
    if (echo_) std::fprintf(stderr, "%s\n", text.c_str());
}

std::vector<std::string> Log::take_new() {
    std::vector<std::string> out(lines_.begin() + std::ptrdiff_t(first_new_), lines_.end());
    first_new_ = lines_.size();
    return out;
}

void Log::clear() {
    lines_.clear();
    first_new_ = 0;
}

}  // namespace sim
