// workbench: runs the move/duplicate tool in the substitute host without the
// real CAD application, from a session script, and draws what happened.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "workbench/CrashReport.h"
#include "workbench/Outputs.h"
#include "workbench/Pictures.h"
#include "workbench/Runner.h"
#include "validate/Validate.h"

namespace {

const char* kUsage = R"(usage: workbench run SCRIPT [--plugin PATH] [--svg FILE] [--frames DIR] [--calls]
                     [--trace FILE] [--html FILE] [--yes]
       workbench validate LIBRARY [--seeds N] [--seed S] [--strictness 1-5] [--jobs N]
                          [--report FILE] (workbench validate --help)
       workbench --help

Runs a session script against the move/duplicate tool plug-in in the
substitute host, prints a transcript and draws the drawing as SVG.

  run SCRIPT      the session script to run (examples/*.session)
  --plugin PATH   the plug-in library to load (default: the one built with
                  this program)
  --svg FILE      writes the drawing at the end of the session
  --frames DIR    writes one drawing per script line, DIR/frame-0001.svg ...,
                  to watch the preview evolve
  --calls         lists every host call under the event that made it
  --html FILE     writes one self-contained page that steps through the
                  drawings line by line (slider, arrow keys, Home, End),
                  each with its script line and transcript
  --trace FILE    writes one JSON object per line for every event and host
                  call, with its script line (kind, event or name, messages
                  or arguments, reply or result)
  --yes           lets a script ask the count dialog for more than 10000
                  copies of each object ('dialog type N', N above 10000);
                  without it such a script is refused before it runs

The drawings (--svg, --frames, --html) of one run share one view, fitted to
everything the run shows, so frames do not jump. Each has the script's name,
a legend and a scale bar; the plan seen from above and, when anything has a
height or a z, an elevation looking north below or beside it; the objects
(selected ones in blue; a label that would overprint another moves or is
left out), the tool's preview (red, dashed), the points picked in the action
in progress (green) and those of the action that completed last (hollow,
muted), and the tool's own cursor picture with its hotspot on the point.
Under them a status line (mode, count, what the tool will do: move or
duplicate, repeat, reverse; the cursor and its name) and the script line.

The transcript tells the session line by line:
  > LINE                          the script line
  event 5 cursor -> 17002 (duplicate)
                                  a tool event the host sent (number, name,
                                  the two messages when not 0) and the tool's
                                  reply; cursors with their names
  # ...                           what the host did: the tool is chosen, the
                                  dialog opens, what is typed and pressed,
                                  whether a press is refused, how it closes
  => 2 copies made, step (3, 1) (undo step "Move/Duplicate")
                                  what the operation did, or "refused:
                                  completion not allowed"; undo and redo say
                                  which step they took back or made again;
                                  more than 10000 copies: how long it took
  = cursor ..., points picked, preview on screen
    data bar: ∆X: 10, ∆Y: 0       the state after the line; the data bar's
                                  fields with their labels when they change
At the end: the message line, mode bar, data bar, undo steps and objects,
and a warning for dialog actions that were queued but never used. Numbers
read back exactly as written (shortest round-trip form, no exponent between
1e-6 and 1e16).

Exit status: 0 when the session ran and every 'expect' held; 1 when an
expectation failed or the host noticed a fault in the plug-in's calls; 2 when
nothing could run: a bad command line, a bad script line (FILE:LINE: what is
wrong), an output that cannot be written, or a plug-in that cannot be loaded.
These are all found before the first line runs, and then nothing is written.
3 when the plug-in crashed: the transcript up to there is kept.

Script commands (one per line; '#' starts a comment):
)";

void Usage(std::ostream& out) {
    out << kUsage;
    workbench::WriteCommandHelp(out);
}

// Passes the transcript on to stdout and keeps a copy of what the current
// line wrote, for the storyboard.
class Tee : public std::streambuf {
public:
    explicit Tee(std::streambuf* out) : fOut(out) {}
    std::string taken;

protected:
    int overflow(int c) override {
        if (c == traits_type::eof()) return traits_type::not_eof(c);
        taken += static_cast<char>(c);
        return fOut->sputc(static_cast<char>(c));
    }
    std::streamsize xsputn(const char* text, std::streamsize n) override {
        taken.append(text, static_cast<std::size_t>(n));
        return fOut->sputn(text, n);
    }
    int sync() override { return fOut->pubsync(); }

private:
    std::streambuf* fOut;
};

// The script as read, or a ScriptError / OutputError for a file that cannot be one.
workbench::Script ReadScriptFile(const std::string& file) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) throw workbench::OutputError(file + " is a folder, not a script");
    std::ifstream in(file, std::ios::binary);
    if (!in) throw workbench::OutputError("cannot read " + file);
    return workbench::ReadScript(in, file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "validate") return validate::Main(argc - 1, argv + 1, std::cout, std::cerr);
    std::string command, script, svg, frames, trace, html;
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
            else if (arg == "--html")
                html = value("--html");
            else if (arg == "--trace")
                trace = value("--trace");
            else if (arg == "--calls")
                options.calls = true;
            else if (arg == "--yes")
                options.largeCounts = true;
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

    // Everything that can be known to fail is checked before the first line
    // runs: the script, then every output.
    workbench::Script parsed;
    try {
        parsed = ReadScriptFile(script);
        workbench::Runner::Check(parsed, options.largeCounts);
        if (!svg.empty()) workbench::CheckOutputFile(svg, "--svg");
        if (!trace.empty()) workbench::CheckOutputFile(trace, "--trace");
        if (!html.empty()) workbench::CheckOutputFile(html, "--html");
        if (!frames.empty()) workbench::PrepareOutputFolder(frames, "--frames");
    } catch (const workbench::ScriptError& e) {
        std::cerr << e.what() << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "workbench: " << e.what() << '\n';
        return 2;
    }

    // The transcript goes out line by line, so a pipe sees each line as it
    // happens and a crash keeps what came before it.
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
    const std::string tracePart = trace.empty() ? std::string() : trace + ".part";
    std::ofstream traceOut;
    if (!trace.empty()) {
        traceOut.open(tracePart, std::ios::binary | std::ios::trunc);
        options.trace = &traceOut;
    }
    // On any failure after this the partial outputs go again.
    auto fail = [&](const std::string& message) {
        std::cout.flush();
        std::cerr << message << '\n';
        if (!trace.empty()) {
            traceOut.close();
            std::filesystem::remove(tracePart);
        }
        return 2;
    };

    Tee tee(std::cout.rdbuf());
    std::ostream transcript(&tee);
    workbench::Runner runner(transcript);
    std::unique_ptr<workbench::Pictures> pictures;
    try {
        pictures = std::make_unique<workbench::Pictures>(
            workbench::PictureOptions{std::filesystem::path(script).filename().string(), svg, frames, html});
        runner.Begin(parsed, options);
    } catch (const std::exception& e) {
        return fail(std::string("workbench: ") + e.what());
    }
    workbench::ArmCrashReport(runner, tracePart, trace);
    try {
        for (const workbench::Line& line : parsed.lines) {
            tee.taken.clear();
            runner.RunLine(line);
            pictures->AfterLine(line, runner.Host(), runner.Session().Cursor(), tee.taken);
        }
        tee.taken.clear();
        const int status = runner.End();
        workbench::DisarmCrashReport();
        pictures->Write(tee.taken);
        if (!trace.empty()) {
            traceOut.close();
            if (!traceOut) return fail("workbench: cannot write '" + trace + "'");
            std::filesystem::rename(tracePart, trace);
        }
        std::cout.flush();
        return status;
    } catch (const workbench::BadLine& e) {
        workbench::DisarmCrashReport();
        return fail(script + ":" + std::to_string(runner.CurrentLine()) + ": " + e.what());
    } catch (const std::exception& e) {
        workbench::DisarmCrashReport();
        return fail(std::string("workbench: ") + e.what());
    }
}
