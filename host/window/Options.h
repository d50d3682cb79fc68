// The host program's command line.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace window {

struct Options {
    std::string plugin;  // empty: MoveDuplicate.dll beside the program, else the one built with it
    std::string script;
    std::string dump;        // the drawing's summary, written when the window closes
    std::string status;      // the window's state, rewritten after every step
    std::string transcript;  // the script's transcript, written when the window closes
    int stepMs = 400;        // pause between script lines
    bool exitWhenDone = false;
    int width = 1000, height = 700;  // the drawing's area, in pixels
};

// Thrown for a command line that cannot be used.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

Options ParseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace window
