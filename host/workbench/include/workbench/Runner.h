// Runs a checked session script against the plug-in in the substitute host
// and writes the transcript.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "host/Host.h"
#include "host/Session.h"
#include "workbench/Script.h"

namespace workbench {

struct RunOptions {
    std::string plugin;
    bool calls = false;  // every host call under its event
    bool largeCounts = false;  // --yes: counts above kCopyLimit may run
    // The machine-readable trace (Trace.h) goes here too when set.
    std::ostream* trace = nullptr;
    // Called after every line that ran, with the line; the frames writer.
    std::function<void(const Line&)> afterLine;
};

class Runner {
public:
    explicit Runner(std::ostream& transcript) : fOut(transcript) {}

    // Checks every line of the script; throws ScriptError at the first bad
    // one. A count above kCopyLimit is bad unless `largeCounts` allows it.
    static void Check(const Script& script, bool largeCounts = false);

    // Runs the script. The result is the exit status: 0 when every
    // expectation held and the host noticed no fault, 1 otherwise.
    int Run(const Script& script, const RunOptions& options);

    // The same run in steps, for a program that shows each line as it runs:
    // Begin loads the plug-in and makes the host and the session, RunLine
    // runs one checked line and writes its transcript, End writes the
    // summary and gives the exit status. Run is these three in a row.
    void Begin(const Script& script, const RunOptions& options);
    void RunLine(const Line& line);
    int End();

    host::Host& Host() { return *fHost; }
    host::Session& Session() { return *fSession; }
    std::ostream& Out() { return fOut; }
    const std::string& File() const { return fFile; }
    // The number of the script line running or run last.
    int CurrentLine() const { return fLine; }
    // Reports an expectation that did not hold on the line being run.
    void Fail(const std::string& what);
    // Writes what the line running has logged so far: a crash handler's
    // last words before it reports the crash.
    void WriteUnwritten();

private:
    std::ostream& fOut;
    std::unique_ptr<host::Host> fHost;
    std::unique_ptr<host::Session> fSession;
    RunOptions fOptions;
    ScriptState fState;  // the run re-declares what the check saw
    std::string fFile;
    int fLine = 0;
    int fFailures = 0;
    std::size_t fMark = 0;        // the first log entry not yet written
    std::deque<int> fQueuedLines;  // the lines of the dialog actions still queued
    std::string fDataBar;          // the data bar as the transcript showed it last
};

// One command of the script format: how its line reads and what it does.
// `run` reads the arguments through Args; with a null runner it only
// checks them.
struct Command {
    const char* name;
    const char* usage;
    const char* help;
    void (*run)(Args& args, Runner* runner);
    // Sends the tool events, so the tool must have been chosen before.
    bool toTool = false;
};

const std::vector<Command>& Commands();

// The state at the end of a session: message line, mode bar, data bar, undo
// steps and objects, as the transcript ends.
void WriteSummary(std::ostream& out, host::Host& host);

// The commands with their usage and help, for --help.
void WriteCommandHelp(std::ostream& out);

}  // namespace workbench
