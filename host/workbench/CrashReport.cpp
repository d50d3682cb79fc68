#include "workbench/CrashReport.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace workbench {

namespace {

Runner* gRunner = nullptr;
std::string gTracePart, gTrace;
volatile std::sig_atomic_t gReporting = 0;

const int kSignals[] = {SIGSEGV, SIGILL, SIGFPE, SIGABRT
#if defined(SIGBUS)
                        ,
                        SIGBUS
#endif
};

void Say(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

// Runs on the crashed thread. What it does is not safe in a signal handler
// in general, but the process is lost anyway: a second fault on the way (a
// heap the plug-in broke) ends in the plain sentence.
extern "C" void OnCrash(int) {
    if (gReporting) {
        std::fputs("the plug-in crashed; the report itself failed\n", stderr);
        std::_Exit(kCrashStatus);
    }
    gReporting = 1;
#if !defined(_WIN32)
    alarm(5);  // a lock held by the crashed code must not hang the report
#endif
    Runner& runner = *gRunner;
    std::cout.flush();
    runner.WriteUnwritten();
    std::cout.flush();
    if (!gTracePart.empty()) std::rename(gTracePart.c_str(), gTrace.c_str());
    Say(CrashText(runner.Host().log, runner.CurrentLine()) + "\n");
    std::_Exit(kCrashStatus);
}

#if !defined(_WIN32)
extern "C" void OnAlarm(int) {
    const char text[] = "the plug-in crashed; the report took too long\n";
    (void)!write(2, text, sizeof text - 1);
    _exit(kCrashStatus);
}
#endif

}  // namespace

std::string CrashText(const host::CallLog& log, int line) {
    const auto& entries = log.Entries();
    for (std::size_t i = entries.size(); i-- > 0;)
        if (entries[i].type == host::LogEntry::Type::Event && !entries[i].finished)
            return "the plug-in crashed in event " + std::to_string(entries[i].selector) + " (script line " +
                   std::to_string(line) + ")";
    return "the workbench crashed outside the plug-in's events (script line " + std::to_string(line) + ")";
}

void ArmCrashReport(Runner& runner, const std::string& tracePart, const std::string& trace) {
    gRunner = &runner;
    gTracePart = tracePart;
    gTrace = trace;
#if defined(_WIN32)
    for (int s : kSignals) std::signal(s, OnCrash);
#else
    struct sigaction action = {};
    action.sa_handler = OnCrash;
    action.sa_flags = SA_NODEFER;  // a fault inside the report reaches it again
    sigemptyset(&action.sa_mask);
    for (int s : kSignals) sigaction(s, &action, nullptr);
    std::signal(SIGALRM, OnAlarm);
#endif
}

void DisarmCrashReport() {
    for (int s : kSignals) std::signal(s, SIG_DFL);
    gRunner = nullptr;
}

}  // namespace workbench
