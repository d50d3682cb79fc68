// A plug-in that crashes takes the workbench with it; this leaves a word
// behind first. While armed, a fatal signal writes what the running line has
// logged, then "the plug-in crashed in event N (script line L)" on the
// transcript and on stderr, keeps the trace file, and ends the process with
// status 3.
#pragma once

#include <string>

#include "workbench/Runner.h"

namespace workbench {

inline constexpr int kCrashStatus = 3;

// `tracePart` is renamed to `trace` at the crash (both empty: no trace).
void ArmCrashReport(Runner& runner, const std::string& tracePart, const std::string& trace);
void DisarmCrashReport();

// The sentence for a crash: in which event (the innermost one still
// running), on which script line.
std::string CrashText(const host::CallLog& log, int line);

}  // namespace workbench
