#include "Options.h"

#include <charconv>

namespace window {

const char* const kUsage = R"(usage: MoveDuplicateHost [--plugin DLL] [SCRIPT] [options]

Opens a window in which the move/duplicate tool plug-in is used with the
mouse, as in the CAD host. SCRIPT (a workbench session script) sets up the
drawing; its mouse and key commands are replayed one by one in the window.

  --plugin DLL        the plug-in to load (default: MoveDuplicate.dll beside
                      this program, else the one built with it)
  --dump FILE         writes the state at the end (message line, mode bar,
                      data bar, undo steps, objects) when the window closes
  --transcript FILE   writes the script's transcript when the window closes
  --status FILE       rewrites the window's state after every step
  --step-ms N         pause between script lines (default 400)
  --exit-when-done    closes the window once the script has run
  --size WxH          size of the drawing area in pixels (default 1000x700)

Exit status: 0, 1 when an 'expect' line failed or the host noticed a fault
in the plug-in's calls, 2 for a bad command line, a missing file, a plug-in
without 'main' or a bad script line.
)";

namespace {
int Number(const std::string& text, const char* what, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw UsageError(std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + text + "'");
    return value;
}
}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--plugin")
            options.plugin = value();
        else if (arg == "--dump")
            options.dump = value();
        else if (arg == "--status")
            options.status = value();
        else if (arg == "--transcript")
            options.transcript = value();
        else if (arg == "--step-ms")
            options.stepMs = Number(value(), "--step-ms", 0, 60000);
        else if (arg == "--exit-when-done")
            options.exitWhenDone = true;
        else if (arg == "--size") {
            const std::string size = value();
            const std::size_t x = size.find('x');
            if (x == std::string::npos) throw UsageError("--size must be WIDTHxHEIGHT, not '" + size + "'");
            options.width = Number(size.substr(0, x), "the width", 200, 8000);
            options.height = Number(size.substr(x + 1), "the height", 150, 8000);
        } else if (!arg.empty() && arg[0] == '-')
            throw UsageError("unknown option '" + arg + "'");
        else if (options.script.empty())
            options.script = arg;
        else
            throw UsageError("unexpected argument '" + arg + "'");
    }
    if (options.exitWhenDone && options.script.empty()) throw UsageError("--exit-when-done needs a script");
    return options;
}

}  // namespace window
