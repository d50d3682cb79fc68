// What a child process tells its parent about a scenario, and how the parent
// reads it back: lines that start with '@', among whatever else the child
// printed (a sanitizer's report, the plug-in's debug output).
//
//   @begin N          the scenario starts
//   @variant TEXT     which hostility of the family it met
//   @fault K TEXT     a check (K: its place in Checks()) that failed
//   @calls N          host calls the plug-in made
//   @seconds T        how long the scenario ran
//   @end N            the scenario ran to its end
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "Isolation.h"
#include "Sanitized.h"

namespace validate {

namespace {

void (*gEmit)(const std::string&) = nullptr;

void Announce(const std::string& variant) { gEmit("@variant " + variant); }

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

// The lines of a sanitizer's report that say what happened.
std::string SanitizerReport(const std::string& text) {
    static const char* const kMarks[] = {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                                         "ERROR: UndefinedBehaviorSanitizer"};
    std::istringstream in(text);
    std::string line, said;
    while (std::getline(in, line)) {
        bool marked = line.rfind("SUMMARY:", 0) == 0;
        for (const char* mark : kMarks) marked = marked || line.find(mark) != std::string::npos;
        if (marked && said.size() < 400) said += (said.empty() ? "" : " / ") + line;
    }
    return said;
}

}  // namespace

#if defined(MOVEDUP_VALIDATE_ASAN) && !defined(_WIN32)
#define MOVEDUP_VALIDATE_LSAN 1
#endif

#if defined(MOVEDUP_VALIDATE_LSAN)
extern "C" int __lsan_do_recoverable_leak_check();
#endif

void RunChild(const RunSettings& settings, int64_t number, void (*emit)(const std::string& line)) {
    gEmit = emit;
    emit("@begin " + std::to_string(number));
    const auto start = std::chrono::steady_clock::now();
    const Outcome outcome =
        RunScenario(settings.plugin, ScenarioId{settings.seed, number, settings.strictness}, nullptr, &Announce);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    for (const Fault& fault : outcome.faults)
        emit("@fault " + std::to_string(IndexOf(fault.check)) + " " + OneLine(fault.what));
    emit("@calls " + std::to_string(outcome.hostCalls));
    emit("@seconds " + std::to_string(took.count()));
#if defined(MOVEDUP_VALIDATE_LSAN)
    // Memory the plug-in took from the allocator and never gave back: the
    // report goes to the parent with the rest of the child's output.
    if (settings.strictness >= kMaxStrictness) __lsan_do_recoverable_leak_check();
#endif
    emit("@end " + std::to_string(number));
}

Outcome ReadChild(const std::string& text, int64_t number, const RunSettings& settings, const ChildEnd& end) {
    Outcome outcome;
    outcome.family = FamilyOf(ScenarioId{settings.seed, number, settings.strictness});
    bool ended = false;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("@variant ", 0) == 0) {
            outcome.variant = line.substr(9);
        } else if (line.rfind("@fault ", 0) == 0) {
            std::istringstream fields(line.substr(7));
            std::size_t index = 0;
            fields >> index;
            std::string what;
            std::getline(fields >> std::ws, what);
            if (index < Checks().size()) outcome.faults.push_back({Checks()[index].check, what});
        } else if (line.rfind("@calls ", 0) == 0) {
            outcome.hostCalls = std::stol(line.substr(7));
        } else if (line.rfind("@seconds ", 0) == 0) {
            outcome.seconds = std::strtod(line.c_str() + 9, nullptr);
        } else if (line.rfind("@end ", 0) == 0) {
            ended = true;
        }
    }
    if (const std::string report = SanitizerReport(text); !report.empty())
        outcome.faults.push_back({Check::Sanitizer, report});
    else if (end.timedOut) {
        outcome.seconds = settings.timeoutSeconds;
        outcome.faults.push_back(
            {Check::Hang, "still running after " + std::to_string(static_cast<int>(settings.timeoutSeconds)) + " s"});
    } else if (!ended || end.signalled || end.code != 0)
        outcome.faults.push_back({Check::Crash, "the scenario's process ended: " + end.how});
    return outcome;
}

namespace {
void EmitToStandardOutput(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}
}  // namespace

void RunWorker(const RunSettings& settings, int64_t first, int64_t count) {
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);  // lines end in \n alone, as the parent reads them
#endif
    for (int64_t number = first; number < first + count; ++number) RunChild(settings, number, &EmitToStandardOutput);
}

}  // namespace validate
