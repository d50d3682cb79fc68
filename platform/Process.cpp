// Process exit and the debugger trap.
#include "platform/Process.h"

#include <cstdio>
#include <cstdlib>

#if defined(_WIN32)
#include <windows.h>
#else
#include <csignal>
#include <cstring>
#endif

namespace ks::platform {

void ExitProcessNow(uint32_t exitCode) {
    // What was written so far still reaches its file; nothing else runs.
    std::fflush(nullptr);
#if defined(_WIN32)
    ExitProcess(exitCode);
#else
    std::_Exit(static_cast<int>(exitCode));
#endif
}

void BreakIntoDebugger() {
#if defined(_WIN32)
    DebugBreak();
#else
    std::raise(SIGTRAP);
#endif
}

bool DebuggerAttached() {
#if defined(_WIN32)
    return IsDebuggerPresent() != 0;
#else
    // Linux names the tracing process in /proc; other systems have no tracer here.
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return false;
    char line[256];
    long tracer = 0;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "TracerPid:", 10) == 0) {
            tracer = std::strtol(line + 10, nullptr, 10);
            break;
        }
    }
    std::fclose(status);
    return tracer != 0;
#endif
}

}  // namespace ks::platform
