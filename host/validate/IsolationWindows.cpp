// Worker processes, each running a range of scenarios and saying where it is
// on its standard output; a worker that crashes or outlives a scenario's
// time limit is ended, that scenario fails, and a new worker takes the rest
// of the range.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "Isolation.h"

namespace validate {

namespace {

using Clock = std::chrono::steady_clock;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string ThisProgram() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n == MAX_PATH) throw std::runtime_error("cannot find this program's own path");
    return std::string(path, n);
}

struct Worker {
    PROCESS_INFORMATION process{};
    HANDLE output = nullptr;
    int64_t next = 0;  // the scenario it runs or runs next
    int64_t last = 0;  // one past its range
    bool inScenario = false;
    Clock::time_point deadline;
    std::string pending;  // output not yet read as whole lines
    std::string scenario;  // the lines of the scenario running
};

Worker Start(const RunSettings& settings, int64_t first, int64_t last) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 16)) throw std::runtime_error("cannot make a pipe");
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    std::string command = Quoted(ThisProgram()) + " validate " + Quoted(settings.plugin.path) + " --worker " +
                          std::to_string(first) + " " + std::to_string(last - first) + " --seed " +
                          std::to_string(settings.seed) + " --strictness " + std::to_string(settings.strictness);
    Worker worker;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &worker.process)) {
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        throw std::runtime_error("cannot start a worker process (system error " + std::to_string(GetLastError()) +
                                 ")");
    }
    CloseHandle(writeEnd);
    worker.output = readEnd;
    worker.next = first;
    worker.last = last;
    return worker;
}

void Close(Worker& worker) {
    CloseHandle(worker.output);
    CloseHandle(worker.process.hProcess);
    CloseHandle(worker.process.hThread);
}

// Reads what is there without waiting.
void Drain(Worker& worker) {
    DWORD available = 0;
    while (PeekNamedPipe(worker.output, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        char buffer[4096];
        DWORD n = 0;
        if (!ReadFile(worker.output, buffer, available < sizeof buffer ? available : sizeof buffer, &n, nullptr) ||
            n == 0)
            return;
        worker.pending.append(buffer, n);
    }
}

}  // namespace

void RunIsolated(const RunSettings& settings, int64_t first, int64_t count,
                 const std::function<void(const Finished&)>& done) {
    const auto limit = std::chrono::milliseconds(static_cast<int64_t>(settings.timeoutSeconds * 1000));
    const int64_t jobs = settings.jobs < 1 ? 1 : settings.jobs;
    const int64_t share = (count + jobs - 1) / jobs;
    std::vector<Worker> workers;
    for (int64_t from = first; from < first + count; from += share)
        workers.push_back(Start(settings, from, std::min(from + share, first + count)));

    const auto report = [&](Worker& w, const ChildEnd& end) {
        done(Finished{w.next, ReadChild(w.scenario, w.next, settings, end)});
        w.scenario.clear();
        w.inScenario = false;
        ++w.next;
    };
    while (!workers.empty()) {
        for (std::size_t i = workers.size(); i-- > 0;) {
            Worker& w = workers[i];
            Drain(w);
            std::size_t eol;
            while ((eol = w.pending.find('\n')) != std::string::npos) {
                const std::string line = w.pending.substr(0, eol + 1);
                w.pending.erase(0, eol + 1);
                if (line.rfind("@begin ", 0) == 0) {
                    w.inScenario = true;
                    w.deadline = Clock::now() + limit;
                }
                w.scenario += line;
                if (line.rfind("@end ", 0) == 0) report(w, ChildEnd{});
            }
            const bool exited = WaitForSingleObject(w.process.hProcess, 0) == WAIT_OBJECT_0;
            const bool late = w.inScenario && Clock::now() >= w.deadline;
            if (!exited && !late) continue;
            if (late) {
                TerminateProcess(w.process.hProcess, 1);
                WaitForSingleObject(w.process.hProcess, INFINITE);
            }
            Drain(w);
            w.scenario += w.pending;
            DWORD code = 0;
            GetExitCodeProcess(w.process.hProcess, &code);
            const int64_t last = w.last;
            if (w.inScenario || (exited && w.next < last)) {
                char how[64];
                std::snprintf(how, sizeof how, "exit code 0x%08lx", static_cast<unsigned long>(code));
                report(w, ChildEnd{late, (code & 0xC0000000u) == 0xC0000000u, static_cast<int>(code), how});
            }
            const int64_t resume = w.next;
            Close(w);
            workers.erase(workers.begin() + static_cast<std::ptrdiff_t>(i));
            if (resume < last) workers.push_back(Start(settings, resume, last));
        }
        Sleep(5);
    }
}

}  // namespace validate
