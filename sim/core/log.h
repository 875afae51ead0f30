// The host log and the contract-violation counter.
//
// Every line goes to an in-memory log (read by the runner's `log` command and written to
// the run's log file) and, when echo is on, to standard error. A contract violation is a
// module handing the host something it must not: a stale or foreign handle, a null where
// an object is required, a pen deleted while selected. Each one is logged as one line
// naming the call and counted; tests assert that the count is zero.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace sim {

enum class LogLevel { Info, Warning, Violation };

class Log {
public:
    static Log& instance();

    void info(const std::string& text);
    void warn(const std::string& text);
    // `call` names the host call, `detail` the offending value.
    void violation(const std::string& call, const std::string& detail);

    std::size_t violations() const { return violations_; }
    void reset_violations() { violations_ = 0; }

    // Lines logged since the last call of take_new().
    std::vector<std::string> take_new();
    const std::vector<std::string>& lines() const { return lines_; }
    void clear();

    void set_echo(bool echo) { echo_ = echo; }

private:
    void add(LogLevel level, const std::string& text);
    std::vector<std::string> lines_;
    std::size_t first_new_ = 0;
    std::size_t violations_ = 0;
    bool echo_ = false;
};

inline Log& log() { return Log::instance(); }

// Test and runner helpers for the counter.
inline std::size_t contract_violations() { return Log::instance().violations(); }
inline void reset_contract_violations() { Log::instance().reset_violations(); }

}  // namespace sim
