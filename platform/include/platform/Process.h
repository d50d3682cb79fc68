// Ending the process and entering the debugger.
#pragma once

#include <cstdint>

namespace ks::platform {

// Ends the process at once with `exitCode` (ExitProcess): nothing below the
// caller runs again and nothing is saved.
[[noreturn]] void ExitProcessNow(uint32_t exitCode);

// A breakpoint trap (DebugBreak, SIGTRAP elsewhere). Without a debugger the
// system's handling of the trap applies.
void BreakIntoDebugger();

// Whether a debugger is attached to this process.
bool DebuggerAttached();

}  // namespace ks::platform
