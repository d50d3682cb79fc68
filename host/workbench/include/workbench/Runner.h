// Runs a checked session script against the plug-in in the substitute host
// and writes the transcript.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <set>
#include <string>

#include "host/Host.h"
#include "host/Session.h"
#include "workbench/Script.h"

namespace workbench {

struct RunOptions {
    std::string plugin;
    bool calls = false;  // every host call under its event
    // Called after every line that ran, with the line; the frames writer.
    std::function<void(const Line&)> afterLine;
};

class Runner {
public:
    explicit Runner(std::ostream& transcript) : fOut(transcript) {}

    // Checks every line of the script; throws ScriptError at the first bad one.
    static void Check(const Script& script);

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
    // Reports an expectation that did not hold on the line being run.
    void Fail(const std::string& what);

private:
    std::ostream& fOut;
    std::unique_ptr<host::Host> fHost;
    std::unique_ptr<host::Session> fSession;
    RunOptions fOptions;
    std::set<std::string> fNames;  // the run re-declares what the check saw
    std::string fFile;
    int fLine = 0;
    int fFailures = 0;
};

// One command of the script format: how its line reads and what it does.
// `run` reads the arguments through Args; with a null runner it only
// checks them.
struct Command {
    const char* name;
    const char* usage;
    const char* help;
    void (*run)(Args& args, Runner* runner);
};

const std::vector<Command>& Commands();

// The state at the end of a session: message line, mode bar, data bar, undo
// steps and objects, as the transcript ends.
void WriteSummary(std::ostream& out, host::Host& host);

// The commands with their usage and help, for --help.
void WriteCommandHelp(std::ostream& out);

}  // namespace workbench
