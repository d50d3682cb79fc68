// workbench: runs the move/duplicate tool in the substitute host without the
// real CAD application, from a session script, and draws what happened.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "workbench/Runner.h"
#include "workbench/Svg.h"

namespace {

const char* kUsage = R"(usage: workbench run SCRIPT [--plugin PATH] [--svg FILE] [--frames DIR] [--calls]
       workbench --help

Runs a session script against the move/duplicate tool plug-in in the
substitute host, prints a transcript and draws the drawing as SVG.

  run SCRIPT      the session script to run (examples/*.session)
  --plugin PATH   the plug-in library to load (default: the one built with
                  this program)
  --svg FILE      writes the drawing at the end of the session: objects
                  (selected ones in blue), the tool's preview still on screen
                  (red, dashed), picked points (green) and the cursor
  --frames DIR    writes one drawing per script line, DIR/frame-0001.svg ...,
                  to watch the preview evolve
  --calls         lists every host call under the event that made it

The transcript shows each script line ("> ..."), the tool events the host
sent with the tool's replies ("main(EVENT, M1, M2) -> REPLY"), notes on what
the host did ("# ..."), and the cursor and picked points after the line; at
the end the message line, mode bar, data bar, undo steps and objects.

Exit status: 0 when the session ran and every 'expect' held, 1 when an
expectation failed, the host noticed a fault in the plug-in's calls or the
plug-in could not be loaded, 2 for a bad command line or a bad script line
(reported as FILE:LINE: what is wrong, before anything runs or is written).

Script commands (one per line; '#' starts a comment):
)";

void Usage(std::ostream& out) {
    out << kUsage;
    workbench::WriteCommandHelp(out);
}

// Writes a file whole or not at all.
void WriteFile(const std::filesystem::path& path, const std::string& text) {
    const std::filesystem::path part = path.string() + ".part";
    {
        std::ofstream out(part, std::ios::binary);
        out << text;
        if (!out) throw std::runtime_error("cannot write " + part.string());
    }
    std::filesystem::rename(part, path);
}

std::string Caption(const workbench::Line& line, int cursor) {
    return "line " + std::to_string(line.number) + ": " + line.text + "   cursor " + std::to_string(cursor);
}

}  // namespace

int main(int argc, char** argv) {
    std::string command, script, svg, frames;
    workbench::RunOptions options;
    options.plugin = MOVEDUP_DEFAULT_PLUGIN;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char* flag) -> std::string {
            if (i + 1 >= argc) throw std::invalid_argument(std::string(flag) + " needs a value");
            return argv[++i];
        };
        try {
            if (arg == "--help" || arg == "-h") {
                Usage(std::cout);
                return 0;
            } else if (arg == "--plugin")
                options.plugin = value("--plugin");
            else if (arg == "--svg")
                svg = value("--svg");
            else if (arg == "--frames")
                frames = value("--frames");
            else if (arg == "--calls")
                options.calls = true;
            else if (command.empty())
                command = arg;
            else if (script.empty())
                script = arg;
            else
                throw std::invalid_argument("unexpected argument '" + arg + "'");
        } catch (const std::invalid_argument& e) {
            std::cerr << "workbench: " << e.what() << "\n\n";
            Usage(std::cerr);
            return 2;
        }
    }
    if (command != "run" || script.empty()) {
        Usage(std::cerr);
        return 2;
    }

    std::ifstream in(script);
    if (!in) {
        std::cerr << "workbench: cannot read " << script << '\n';
        return 2;
    }
    const workbench::Script parsed = workbench::ReadScript(in, script);
    try {
        workbench::Runner::Check(parsed);
    } catch (const workbench::ScriptError& e) {
        std::cerr << e.what() << '\n';
        return 2;
    }

    try {
        workbench::Runner runner(std::cout);
        int frame = 0;
        if (!frames.empty()) {
            std::filesystem::create_directories(frames);
            options.afterLine = [&](const workbench::Line& line) {
                char name[32];
                std::snprintf(name, sizeof name, "frame-%04d.svg", ++frame);
                WriteFile(std::filesystem::path(frames) / name,
                          workbench::DrawingSvg(runner.Host(), Caption(line, runner.Session().Cursor())));
            };
        }
        const int status = runner.Run(parsed, options);
        if (!svg.empty()) {
            const std::string caption = parsed.lines.empty() ? std::string("empty session")
                                                             : Caption(parsed.lines.back(), runner.Session().Cursor());
            WriteFile(svg, workbench::DrawingSvg(runner.Host(), caption));
        }
        return status;
    } catch (const workbench::BadLine& e) {
        std::cerr << script << ": " << e.what() << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "workbench: " << e.what() << '\n';
        return 1;
    }
}
