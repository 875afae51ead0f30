// The runner's console language: one command per line, arguments separated by blanks,
// an argument with blanks in double quotes.
//
//   command LABEL      run a custom command by its label
//   focus VESSEL       give a vessel the focus
//   run SECONDS        run the simulation for that long at the runner's step
//   save FILE          save the current state as a scenario file
//   log                print the host log since the last `log`
//   press WINDOW BUTTON  press a button of a window (window by caption, button by
//                      caption or id), as a user's click would
//   windows            list the open windows and their controls
//   snapshot WINDOW FILE.png  write a window as a PNG image
//   quit               end the session
//   # ...              a comment; empty lines do nothing
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace sim {
class Simulator;
}

namespace runner {

// Splits a line into words; false (and `error`) for an unterminated quote.
bool split_words(const std::string& line, std::vector<std::string>& words, std::string& error);

enum class CommandResult { Ok, Quit, Failed, Unknown };

class Console {
public:
    Console(sim::Simulator& sim, double dt, std::ostream& out, std::ostream& err);
    // Runs one line. Failed: the command was known but could not be done (the reason is
    // printed); Unknown: no such command.
    CommandResult execute(const std::string& line);
    // Runs every line of `in`; `prompt` is printed before each line when non-empty.
    // Stops at quit, at the end, or at the first failing or unknown command; returns the
    // result that ended it (Ok at the end of input).
    CommandResult run(std::istream& in, const std::string& prompt);
    // Runs the simulation for `seconds` at the console's step, calling `after_step` (may be
    // empty) after each step with the seconds done and the seconds asked for.
    void advance(double seconds);
    std::function<void(double done, double total)> after_step;

private:
    sim::Simulator& sim_;
    double dt_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace runner
