// Runs scenarios in child processes, so that a crash, a sanitizer report or
// a hang fails that scenario alone, and the run goes on.
//
// On POSIX systems each scenario runs in a child forked for it. On Windows a
// worker process runs a range of scenarios one after another, each with the
// plug-in loaded afresh and a host of its own; a worker that crashes or hangs
// is ended and a new one goes on after the scenario that failed (starting a
// process under Wine costs too much for one per scenario).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "Sanitized.h"
#include "validate/Scenario.h"

namespace validate {

struct RunSettings {
    PluginSource plugin;
    uint64_t seed = 1;
    int strictness = kMaxStrictness;
    int jobs = 1;
    double timeoutSeconds = kDefaultTimeoutSeconds;
};

struct Finished {
    int64_t number = 0;
    Outcome outcome;
};

// Runs scenarios first .. first + count - 1 and calls `done` for each as it
// ends, in the order they end.
void RunIsolated(const RunSettings& settings, int64_t first, int64_t count,
                 const std::function<void(const Finished&)>& done);

// The child's side: runs scenario `number` and tells its parent what
// happened, one line at a time through `emit`, each line as soon as it is
// known.
void RunChild(const RunSettings& settings, int64_t number, void (*emit)(const std::string& line));

// How a child ended, as its parent saw it.
struct ChildEnd {
    bool timedOut = false;
    bool signalled = false;  // ended by a signal (POSIX) or an exception (Windows)
    int code = 0;            // the exit status, the signal or the exception code
    std::string how;         // "segmentation fault", "exception 0xc0000005", ...
};

// What scenario `number` came to, from what its child wrote (`text`) and how
// it ended.
Outcome ReadChild(const std::string& text, int64_t number, const RunSettings& settings, const ChildEnd& end);

// Runs scenarios first .. first + count - 1 one after another in this
// process, for a Windows parent (the worker's side).
void RunWorker(const RunSettings& settings, int64_t first, int64_t count);

}  // namespace validate
